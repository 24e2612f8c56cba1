// The tray notice: its size and place, its clock and the pointer over it.
#include "mainwindow/form2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QRect>
#include <cmath>
#include <optional>

#include "platform/ui/errorreport.h"
#include "tests/support/recordingboxes.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

const QString kMessage = u"Double-click (Single-click) to show window again"_s;

struct PlaceCase {
    QRect available;
    QSize notice;
    double dpi;
    QPoint expected;
};

// 775 twips are 775 * dpi / 1440 pixels: 51.7 at 96 dpi, 64.6 at 120 and
// 103.3 at 192, so the top lies 52, 65 and 103 pixels above the bottom.
TEST(NoticePositionTest, FlushWithTheRightEdgeAndItsTop775TwipsAboveTheBottom) {
    for (const PlaceCase& c : {
             PlaceCase{QRect(0, 0, 1366, 728), QSize(300, 15), 96, QPoint(1066, 676)},
             PlaceCase{QRect(1366, 40, 1920, 1040), QSize(410, 20), 120, QPoint(2876, 1015)},
             PlaceCase{QRect(-1280, 0, 1280, 1024), QSize(200, 16), 192, QPoint(-200, 921)},
         }) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(noticePosition(c.available, c.notice, c.dpi), c.expected);
    }
}

class Form2Test : public ::testing::Test {
protected:
    QLabel* text() const {
        auto* label = notice.findChild<QLabel*>(u"txtToolTip"_s);
        if (label == nullptr) {
            throw std::runtime_error("no txtToolTip");
        }
        return label;
    }
    // The pixels of 100 twips on the notice's screen.
    int hundredTwips() const {
        return static_cast<int>(std::lround(100 * notice.logicalDpiX() / 1440.0));
    }
    void tick(int times) {
        for (int i = 0; i < times; ++i) {
            notice.Timer1_Timer();
        }
    }
    void loadAndShow() {
        notice.Form_Load();
        notice.setMessage(kMessage);
        notice.show();
    }

    RecordingBoxes boxes;
    ErrorReport report{boxes};
    Form2 notice{report};
};

TEST_F(Form2Test, IsAFramelessNoticeInTheToolTipColoursAndArialNineBold) {
    EXPECT_TRUE(notice.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(notice.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(notice.font().family(), u"Arial");
    EXPECT_EQ(notice.font().pointSize(), 9);
    EXPECT_TRUE(notice.font().bold());
    const QPalette desktop = QApplication::palette();
    ASSERT_NE(desktop.color(QPalette::ToolTipBase), desktop.color(QPalette::Window));
    EXPECT_EQ(text()->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(text()->palette().color(text()->backgroundRole()),
              desktop.color(QPalette::ToolTipBase));
    EXPECT_EQ(text()->palette().color(text()->foregroundRole()),
              desktop.color(QPalette::ToolTipText));
}

TEST_F(Form2Test, IsOneLineHighAndAsWideAsTheWiderTextPlusAHundredTwips) {
    const QFontMetrics metrics(notice.font(), &notice);
    const int caption = metrics.horizontalAdvance(Form2::kCaption);
    ASSERT_GT(metrics.horizontalAdvance(kMessage), caption);
    notice.Form_Load();
    EXPECT_EQ(notice.width(), caption + hundredTwips());
    for (const QString& message : {QString(), u"Hi"_s, kMessage}) {
        SCOPED_TRACE(message.toStdString());
        notice.setMessage(message);
        const int wider = std::max(caption, metrics.horizontalAdvance(message));
        EXPECT_EQ(notice.size(), QSize(wider + hundredTwips(), metrics.height()));
    }
}

TEST_F(Form2Test, ShowsTheWholeMessage) {
    loadAndShow();
    EXPECT_EQ(notice.message(), kMessage);
    EXPECT_EQ(text()->geometry(), notice.rect());
    EXPECT_GE(text()->width(), text()->sizeHint().width());
    EXPECT_GE(text()->height(), text()->sizeHint().height());
}

TEST_F(Form2Test, LoadingStartsAOneSecondClock) {
    EXPECT_FALSE(notice.ticking());
    notice.Form_Load();
    EXPECT_TRUE(notice.loaded());
    EXPECT_TRUE(notice.ticking());
    EXPECT_EQ(notice.tickInterval(), std::chrono::milliseconds(1000));
    EXPECT_EQ(notice.ticks(), 0);
}

TEST_F(Form2Test, GoesOnTheThirdTickNotTheSecond) {
    loadAndShow();
    tick(2);
    EXPECT_TRUE(notice.isVisible());
    EXPECT_TRUE(notice.loaded());
    tick(1);
    EXPECT_FALSE(notice.isVisible());
    EXPECT_FALSE(notice.loaded());
    EXPECT_FALSE(notice.ticking());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form2Test, LoadedAgainItCountsFromNothing) {
    loadAndShow();
    tick(3);
    ASSERT_FALSE(notice.loaded());
    loadAndShow();
    EXPECT_EQ(notice.ticks(), 0);
    tick(2);
    EXPECT_TRUE(notice.isVisible());
    tick(1);
    EXPECT_FALSE(notice.isVisible());
}

TEST_F(Form2Test, ItsOwnClockTakesItAway) {
    notice.setTickInterval(std::chrono::milliseconds(1));
    loadAndShow();
    const QDeadlineTimer deadline(5000);
    while (notice.loaded() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(notice.ticks(), 3);
}

TEST_F(Form2Test, ThePointerOverItIsTheArrowUnlessTheProgramIsBusy) {
    struct Case {
        std::optional<Qt::CursorShape> overriding;  // the application's pointer, if any
        Qt::CursorShape expected;                   // the notice's own afterwards
    };
    for (const Case& c :
         {Case{std::nullopt, Qt::ArrowCursor}, Case{Qt::PointingHandCursor, Qt::ArrowCursor},
          Case{Qt::WaitCursor, Qt::CrossCursor}, Case{Qt::BusyCursor, Qt::CrossCursor}}) {
        SCOPED_TRACE(c.overriding.value_or(Qt::BlankCursor));
        notice.setCursor(Qt::CrossCursor);
        if (c.overriding) {
            QGuiApplication::setOverrideCursor(*c.overriding);
        }
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&notice, &move);
        if (c.overriding) {
            ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), *c.overriding);
            QGuiApplication::restoreOverrideCursor();
        }
        EXPECT_EQ(notice.cursor().shape(), c.expected);
    }
}

}  // namespace
}  // namespace lattora::test
