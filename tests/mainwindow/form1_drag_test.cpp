// Moving and resizing the graph area on the page picture, panning the
// full-size page, and the hover feedback, driven through the handlers and
// through real mouse events on the preview's surfaces. The clamps and
// placements themselves are the outline geometry's and are tested there;
// these tests check what each handler hands on to the preview, the sheet, the
// fields and the redraw.
#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QScrollBar>

#include "mainwindow/outlinegeometry.h"
#include "tests/mainwindow/form1_fixture.h"

namespace lattora::test {
namespace {

constexpr auto kLeft = Qt::LeftButton;
constexpr auto kNone = Qt::NoModifier;

class Form1DragTest : public Form1Test {
protected:
    Form1& openWithOutline(const QRectF& twips) {
        Form1& form = open();
        QObject::connect(&form, &Form1::paperDrawn, [this] { ++draws; });
        form.preview().setOutline(twips);
        return form;
    }
    float pageWidth() const { return static_cast<float>(picture().width()); }
    float pageHeight() const { return static_cast<float>(picture().height()); }
    bool handlesShown() const {
        return form->preview().handleVisible(0) && form->preview().handleVisible(1) &&
               form->preview().handleVisible(2);
    }
    bool handlesHidden() const {
        return !form->preview().handleVisible(0) && !form->preview().handleVisible(1) &&
               !form->preview().handleVisible(2);
    }

    int draws = 0;
};

TEST_F(Form1DragTest, APressAnywhereMovesTheAreaByThePointersTravel) {
    Form1& form = openWithOutline(QRectF(1000, 800, 1200, 1500));
    // Outside the outline, then inside it: the same travel, the same move.
    for (const QPointF press : {QPointF(300, 200), QPointF(1500, 1000)}) {
        SCOPED_TRACE(press.x());
        form.preview().setOutline(QRectF(1000, 800, 1200, 1500));
        form.pPaper_MouseDown(kLeft, kNone, press.x(), press.y());
        form.pPaper_MouseMove(kLeft, kNone, press.x() + 250.5f, press.y() - 120.25f);
        EXPECT_EQ(outline(), QRectF(1250.5, 679.75, 1200, 1500));
        form.pPaper_MouseUp(kLeft, kNone, press.x() + 250.5f, press.y() - 120.25f);
    }
    // Every step carried the outline into the sheet and the four fields.
    const SheetSettings& s = form.sheet();
    const QRectF area = sheetFromOutline(outline(), picture(), printable());
    EXPECT_EQ(s.marginLeft, area.left());
    EXPECT_EQ(s.marginTop, area.top());
    EXPECT_EQ(s.areaWidth, area.width());
    EXPECT_EQ(s.areaHeight, area.height());
    EXPECT_EQ(number(u"tMarginLeft"_s), s.marginLeft);
    EXPECT_EQ(number(u"tSizeHeight"_s), s.areaHeight);
}

TEST_F(Form1DragTest, TheGridIsRedrawnOnlyAtTheRelease) {
    Form1& form = openWithOutline(QRectF(1000, 800, 1200, 1500));
    form.pPaper_MouseDown(kLeft, kNone, 1100, 900);
    for (int i = 1; i <= 5; ++i) {
        form.pPaper_MouseMove(kLeft, kNone, 1100 + 10.0f * i, 900);
    }
    EXPECT_EQ(draws, 0);
    form.pPaper_MouseUp(kLeft, kNone, 1150, 900);
    EXPECT_EQ(draws, 1);
    EXPECT_FALSE(form.dragActive());
    // Moving without a press only hovers.
    form.pPaper_MouseMove(Qt::NoButton, kNone, 1200, 1000);
    EXPECT_EQ(outline(), QRectF(1050, 800, 1200, 1500));
    EXPECT_EQ(draws, 1);
}

TEST_F(Form1DragTest, HoverShowsTheHandlesAndTheCrossOnlyOverTheArea) {
    Form1& form = openWithOutline(QRectF(1000, 800, 2000, 3000));
    // Neither point is on the same side with x and y swapped.
    const struct {
        float x, y;
        bool inside;
    } cases[] = {{2900, 3500, true}, {999, 2000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        form.pPaper_MouseMove(Qt::NoButton, kNone, c.x, c.y);
        EXPECT_EQ(form.preview().paperCursor(), c.inside ? Qt::SizeAllCursor : Qt::ArrowCursor);
        EXPECT_EQ(form.preview().outlineBorderStyle(), c.inside ? Qt::DotLine : Qt::SolidLine);
        EXPECT_TRUE(c.inside ? handlesShown() : handlesHidden());
    }
    form.pPaper_MouseMove(Qt::NoButton, kNone, 2000, 2000);
    // Flush with the right and bottom edges, inside them; the edge handles one
    // handle before the middle of their edge.
    EXPECT_EQ(form.preview().handleRect(0), QRectF(2850, 800 + 1500 - 75 - 150, 150, 150));
    EXPECT_EQ(form.preview().handleRect(1), QRectF(2850, 3650, 150, 150));
    EXPECT_EQ(form.preview().handleRect(2), QRectF(1000 + 1000 - 75 - 150, 3650, 150, 150));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form1DragTest, HandlesResizeFromTheRightAndBottomOnly) {
    Form1& form = openWithOutline(QRectF(1000, 800, 2000, 3000));
    form.pPaper_MouseMove(Qt::NoButton, kNone, 2000, 2000);  // places the handles
    const struct {
        int handle;
        QRectF expected;
    } cases[] = {
        {0, QRectF(1000, 800, 2000 - 300, 3000)},
        {1, QRectF(1000, 800, 2000 - 300, 3000 + 200)},
        {2, QRectF(1000, 800, 2000, 3000 + 200)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handle);
        form.preview().setOutline(QRectF(1000, 800, 2000, 3000));
        form.pPaper_MouseMove(Qt::NoButton, kNone, 2000, 2000);
        form.pSize_MouseDown(c.handle, kLeft, kNone, 75, 75);
        for (int other = 0; other < 3; ++other) {
            EXPECT_EQ(form.preview().handleVisible(other), other == c.handle);
        }
        form.pSize_MouseMove(c.handle, kLeft, kNone, 75 - 300, 75 + 200);
        EXPECT_EQ(outline(), c.expected);
        EXPECT_EQ(number(u"tSizeWidth"_s), form.sheet().areaWidth);
        EXPECT_EQ(number(u"tSizeHeight"_s), form.sheet().areaHeight);
        form.pSize_MouseUp(c.handle, kLeft, kNone, 75 - 300, 75 + 200);
    }
    // A handle moved without a press stays put.
    const QRectF before = form.preview().handleRect(1);
    form.pSize_MouseMove(1, Qt::NoButton, kNone, 500, 500);
    EXPECT_EQ(form.preview().handleRect(1), before);
}

TEST_F(Form1DragTest, ReleasingAHandleRedrawsOnceAndHoversWithHandleCoordinates) {
    Form1& form = openWithOutline(QRectF(1000, 800, 2000, 3000));
    form.pPaper_MouseMove(Qt::NoButton, kNone, 2000, 2000);
    form.pSize_MouseDown(1, kLeft, kNone, 75, 75);
    form.pSize_MouseMove(1, kLeft, kNone, 100, 100);
    EXPECT_EQ(draws, 0);
    form.pSize_MouseUp(1, kLeft, kNone, 100, 100);
    EXPECT_EQ(draws, 1);
    EXPECT_FALSE(form.dragActive());
    // (100, 100) read as a page position lies outside the outline, so the
    // hover hides the handles again until the pointer next moves.
    EXPECT_TRUE(handlesHidden());
    EXPECT_EQ(form.preview().outlineBorderStyle(), Qt::SolidLine);

    // An outline at the page's corner does contain those coordinates.
    form.preview().setOutline(QRectF(0, 0, 2000, 3000));
    form.pPaper_MouseMove(Qt::NoButton, kNone, 500, 500);
    form.pSize_MouseDown(1, kLeft, kNone, 75, 75);
    form.pSize_MouseUp(1, kLeft, kNone, 100, 100);
    EXPECT_TRUE(handlesShown());
    EXPECT_EQ(form.preview().paperCursor(), Qt::SizeAllCursor);
}

TEST_F(Form1DragTest, PanningMovesThePageAndItsBarsWithinTheContainer) {
    Form1& form = openWithOutline(QRectF(1000, 800, 2000, 3000));
    control<QCheckBox>(u"cbZoom"_s)->click();
    PreviewPane& pane = form.preview();
    const QSizeF room = pane.containerTwips() - pane.printTwips();
    ASSERT_LT(room.height(), 0) << "the A4 page must be taller than the container";
    const float bottomMost = static_cast<float>(room.height());
    form.pPrint_MouseDown(kLeft, kNone, 500, 500);
    form.pPrint_MouseMove(kLeft, kNone, 500, 500 - 300);
    EXPECT_EQ(pane.printPosition().y(), -300);
    EXPECT_EQ(pane.verticalScrollBar()->value(), 300);
    // The room the page is kept in is the container's less the page's.
    form.pPrint_MouseMove(kLeft, kNone, 500, 500 - 100000);
    EXPECT_NEAR(pane.printPosition().y(), std::round(bottomMost), 0.5);
    EXPECT_EQ(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->maximum());
    form.pPrint_MouseUp(kLeft, kNone, 0, 0);
    EXPECT_FALSE(form.dragActive());
    // Panning never redraws.
    EXPECT_EQ(draws, 0);
}

TEST_F(Form1DragTest, MovingOverAFrameEndsTheHover) {
    Form1& form = openWithOutline(QRectF(1000, 800, 2000, 3000));
    form.pPaper_MouseMove(Qt::NoButton, kNone, 2000, 2000);
    ASSERT_TRUE(handlesShown());
    auto* frame = control<QGroupBox>(u"Frame3"_s);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(frame, &move);
    EXPECT_TRUE(handlesHidden());
    EXPECT_EQ(form.preview().outlineBorderStyle(), Qt::SolidLine);
}

// Real mouse events on the page picture: positions arrive in pixels and are
// read in twips at the screen's resolution.
TEST_F(Form1DragTest, MouseEventsOnThePagePictureDriveTheDrag) {
    Form1& form = openWithOutline(QRectF(1000, 800, 2000, 3000));
    QWidget* paper = control<QWidget>(u"pPaper"_s);
    const double twipsPerPixelX = 1440.0 / form.preview().screenDpiX();
    const double twipsPerPixelY = 1440.0 / form.preview().screenDpiY();
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, paper->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : kLeft, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(paper, &event);
    };
    send(QEvent::MouseButtonPress, QPointF(100, 100), kLeft);
    EXPECT_TRUE(form.dragActive());
    send(QEvent::MouseMove, QPointF(100 + 12, 100 + 7), kLeft);
    EXPECT_NEAR(outline().left(), 1000 + 12 * twipsPerPixelX, 1e-3);
    EXPECT_NEAR(outline().top(), 800 + 7 * twipsPerPixelY, 1e-3);
    EXPECT_EQ(draws, 0);
    send(QEvent::MouseButtonRelease, QPointF(112, 107), Qt::NoButton);
    EXPECT_EQ(draws, 1);
    EXPECT_FALSE(form.dragActive());
}

}  // namespace
}  // namespace lattora::test
