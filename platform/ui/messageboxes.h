// Every message box of the program goes through this interface, so that tests
// answer them instead of a person.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QMessageBox;

namespace lattora {

class SettingsStore;

// The title of every plain message box.
inline const QString kApplicationTitle = QStringLiteral("Lattora");
// The title of the error report.
inline const QString kErrorReportTitle = QStringLiteral("Application Error");

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A plain box with an OK button and the application's title; returns when
    // it is dismissed.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // The error report: warning icon, "Application Error", OK.
    virtual void showError(QWidget* parent, const QString& text) = 0;
};

// The box as it is shown: plain text, the right title and icon, one OK button.
// The caller owns it.
QMessageBox* createMessageBox(QWidget* parent, const QString& text, bool error);

// Modal QMessageBox windows.
class QtMessageBoxes : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
};

// The boxes of a window's start-up, held until the window has painted
// itself once and then shown in order over it: a box over an empty screen
// says nothing about what it belongs to. A held box returns at once, before
// it is dismissed; later boxes go straight through.
class BoxesAfterFirstPaint : public QObject, public MessageBoxes {
public:
    explicit BoxesAfterFirstPaint(MessageBoxes& boxes) : boxes_(boxes) {}
    // Holds every box until `window` has painted.
    void holdUntilPainted(QWidget& window);

    void showMessage(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        bool error;
        QPointer<QWidget> parent;
        QString text;
    };
    void release();

    MessageBoxes& boxes_;
    QPointer<QWidget> window_;
    QList<Held> held_;
    bool releasing_ = false;
};

// After a save: where the store kept a copy of its file before writing into
// it, if it had to, in a plain box over `parent`.
void showSaveNotice(MessageBoxes& boxes, SettingsStore& store, QWidget* parent);

}  // namespace lattora
