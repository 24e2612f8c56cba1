#include "mainwindow/form2.h"

#include <QCloseEvent>
#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QRect>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/ui/errorreport.h"
#include "sheet/units.h"

namespace lattora {

namespace {

const QString kWindowName = QStringLiteral("Form2");
// Room either side of the text, so it does not touch the edges.
constexpr double kExtraWidthTwips = 100;
// Clear of the task bars and docks that sit along the bottom of a screen.
constexpr double kTopAboveBottomTwips = 775;

int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

double pixelsToTwips(int pixels, double dpi) {
    return pixels * kTwipsPerInch / dpi;
}

bool isBusy(const QCursor* cursor) {
    return cursor != nullptr &&
           (cursor->shape() == Qt::WaitCursor || cursor->shape() == Qt::BusyCursor);
}

}  // namespace

QSize noticeSize(const QFontMetrics& metrics, const QString& caption, const QString& message,
                 double dpiX) {
    const double captionWidth = pixelsToTwips(metrics.horizontalAdvance(caption), dpiX);
    const double messageWidth = pixelsToTwips(metrics.horizontalAdvance(message), dpiX);
    // The caption alone would cut any message wider than itself, as the one
    // the tray command shows is; the wider text decides.
    const double width = std::max(captionWidth, messageWidth) + kExtraWidthTwips;
    return {twipsToPixels(width, dpiX), metrics.height()};
}

QPoint noticePosition(const QRect& available, const QSize& size, double dpiY) {
    const int bottom = available.y() + available.height();
    return {available.x() + available.width() - size.width(),
            bottom - twipsToPixels(kTopAboveBottomTwips, dpiY)};
}

Form2::Form2(ErrorReport& report, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      report_(report) {
    setObjectName(kWindowName);
    setWindowTitle(kCaption);
    // A notice, not a window to work in: showing it must not take the focus
    // from whatever the user is doing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
    setMouseTracking(true);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);

    txtToolTip_ = new QLabel(this);
    txtToolTip_->setObjectName(QStringLiteral("txtToolTip"));
    txtToolTip_->setTextFormat(Qt::PlainText);
    txtToolTip_->setFrameShape(QFrame::NoFrame);
    txtToolTip_->setMargin(0);
    txtToolTip_->setAlignment(Qt::AlignCenter);
    txtToolTip_->setAutoFillBackground(true);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(kTickInterval);
    connect(Timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

Form2::~Form2() = default;

void Form2::Form_Load() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Form_Load"), this);
    scope([&] { fitToTexts(); });
    scope([&] {
        ticks_ = 0;
        Timer1_->start();
        loaded_ = true;
    });
}

void Form2::Form_Unload() {
    Timer1_->stop();
    hide();
    loaded_ = false;
}

void Form2::Timer1_Timer() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Timer1_Timer"), this);
    scope([&] {
        ++ticks_;
        if (ticks_ >= kLastTick) {
            Form_Unload();
        }
    });
}

void Form2::Form_MouseMove() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Form_MouseMove"), this);
    scope([&] {
        // The busy pointer shows above every window's own; while it is up
        // the program is working, and the notice must not pretend otherwise.
        if (isBusy(QGuiApplication::overrideCursor())) {
            return;
        }
        setCursor(Qt::ArrowCursor);
    });
}

void Form2::setMessage(const QString& message) {
    txtToolTip_->setText(message);
    fitToTexts();
}

QString Form2::message() const {
    return txtToolTip_->text();
}

void Form2::showOn(QScreen* screen) {
    if (screen != nullptr && screen != this->screen()) {
        setScreen(screen);
        // The new screen may reckon twips in other pixels.
        fitToTexts();
    }
    const QScreen* shownOn = this->screen();
    if (shownOn != nullptr) {
        move(noticePosition(shownOn->availableGeometry(), size(), logicalDpiY()));
    }
    show();
    raise();
}

void Form2::setTickInterval(std::chrono::milliseconds interval) {
    Timer1_->setInterval(interval);
}

std::chrono::milliseconds Form2::tickInterval() const {
    return Timer1_->intervalAsDuration();
}

bool Form2::ticking() const {
    return Timer1_->isActive();
}

void Form2::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void Form2::closeEvent(QCloseEvent* event) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Form_Unload"), this);
    scope([&] { Form_Unload(); });
    event->accept();
}

void Form2::fitToTexts() {
    const QSize size = noticeSize(fontMetrics(), kCaption, txtToolTip_->text(), logicalDpiX());
    setFixedSize(size);
    txtToolTip_->setGeometry(0, 0, size.width(), size.height());
}

}  // namespace lattora
