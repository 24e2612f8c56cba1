// The notice shown for a few seconds at the bottom right of the screen when
// the main window goes to the system tray: a small frameless window in the
// desktop's tool-tip colours that says how to get the window back.
//
// Loading sizes it and starts its clock; on the third tick it unloads
// itself, and the next load starts counting afresh.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>
#include <chrono>
#include <cstdint>

class QFontMetrics;
class QLabel;
class QRect;
class QScreen;
class QTimer;

namespace lattora {

class ErrorReport;

// The notice's size in pixels for the caption and message in `metrics`, on a
// screen of `dpiX` logical dots per inch: one line high, and as wide as the
// wider of the two texts plus 100 twips.
QSize noticeSize(const QFontMetrics& metrics, const QString& caption, const QString& message,
                 double dpiX);

// Where a notice of `size` goes on a screen whose free area is `available`,
// at `dpiY` logical dots per inch: flush with the area's right edge, its top
// 775 twips above the area's bottom edge.
QPoint noticePosition(const QRect& available, const QSize& size, double dpiY);

class Form2 : public QWidget {
    Q_OBJECT

public:
    // The window's fixed title; it also sets the least width of the notice.
    static inline const QString kCaption = QStringLiteral("Lattora is still running");
    static constexpr std::chrono::milliseconds kTickInterval{1000};
    // The tick on which the notice goes.
    static constexpr std::int16_t kLastTick = 3;

    // `report` must outlive the window.
    explicit Form2(ErrorReport& report, QWidget* parent = nullptr);
    ~Form2() override;

    // Sizes the notice to its texts, resets the tick count and starts the
    // clock. Does not show it.
    void Form_Load();
    // Stops the clock and hides the notice; it can be loaded again.
    void Form_Unload();
    bool loaded() const { return loaded_; }

    // One tick of the clock.
    void Timer1_Timer();
    // The pointer over the notice: the plain arrow, unless the program shows
    // its busy pointer, which stays.
    void Form_MouseMove();

    // The message; the notice is sized again to fit it.
    void setMessage(const QString& message);
    QString message() const;

    // Shows the notice at the bottom right of `screen`, above other windows,
    // without taking the focus.
    void showOn(QScreen* screen);

    // For tests: how long a tick is, and how many have passed since loading.
    void setTickInterval(std::chrono::milliseconds interval);
    std::chrono::milliseconds tickInterval() const;
    bool ticking() const;
    std::int16_t ticks() const { return ticks_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    // A notice closed by other means is unloaded all the same.
    void closeEvent(QCloseEvent* event) override;

private:
    void fitToTexts();

    ErrorReport& report_;
    QLabel* txtToolTip_ = nullptr;
    QTimer* Timer1_ = nullptr;
    std::int16_t ticks_ = 0;
    bool loaded_ = false;
};

}  // namespace lattora
