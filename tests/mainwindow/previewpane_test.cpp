#include "mainwindow/previewpane.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include "sheet/error.h"
#include "sheet/units.h"
#include "tests/support/pixels.h"

namespace lattora {
namespace {

using test::markedColumns;
using test::markedRows;
using test::rgbAt;
using test::rgbOf;

constexpr PrinterPage kA4Portrait{11906, 16838, 1, 0, 0};
constexpr PrinterPage kA4Landscape{16838, 11906, 2, 0, 0};
constexpr PrinterPage kLetterPortrait{12240, 15840, 1, 0, 0};
constexpr PrinterPage kLetterLandscape{15840, 12240, 2, 0, 0};
// One inch square: smaller than the container, so nothing to scroll.
constexpr PrinterPage kInchPage{1440, 1440, 1, 0, 0};

constexpr ColorValue kRed = 0x0000FF;  // 0x00BBGGRR

// What a length in twips becomes on a screen of `dpi`, rounded to the pixel.
int pixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

class PreviewPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        pane.resize(pane.minimumSize());
        paper = pane.findChild<QWidget*>(QStringLiteral("pPaper"));
        outline = pane.findChild<QWidget*>(QStringLiteral("sResize"));
        zoomedPanel = pane.findChild<QWidget*>(QStringLiteral("pZoomed"));
        container = pane.findChild<QWidget*>(QStringLiteral("pCont"));
        print = pane.findChild<QWidget*>(QStringLiteral("pPrint"));
        hSB = pane.findChild<QScrollBar*>(QStringLiteral("hSB"));
        vSB = pane.findChild<QScrollBar*>(QStringLiteral("vSB"));
        ASSERT_NE(paper, nullptr);
        ASSERT_NE(outline, nullptr);
        ASSERT_NE(zoomedPanel, nullptr);
        ASSERT_NE(container, nullptr);
        ASSERT_NE(print, nullptr);
        ASSERT_NE(hSB, nullptr);
        ASSERT_NE(vSB, nullptr);
    }

    double dpiX() const { return pane.logicalDpiX(); }
    double dpiY() const { return pane.logicalDpiY(); }
    // The pictures' resolution: the screen's, in device pixels.
    double rasterDpi() const { return pane.logicalDpiX() * pane.devicePixelRatioF(); }

    PreviewPane pane;
    QWidget* paper = nullptr;
    QWidget* outline = nullptr;
    QWidget* zoomedPanel = nullptr;
    QWidget* container = nullptr;
    QWidget* print = nullptr;
    QScrollBar* hSB = nullptr;
    QScrollBar* vSB = nullptr;
};

TEST_F(PreviewPaneTest, NamesItsPartsAndNestsThemAsTheWindowExpects) {
    EXPECT_EQ(outline->parentWidget(), paper);
    EXPECT_EQ(container->parentWidget(), zoomedPanel);
    EXPECT_EQ(print->parentWidget(), container);
    EXPECT_EQ(hSB->orientation(), Qt::Horizontal);
    EXPECT_EQ(vSB->orientation(), Qt::Vertical);
    EXPECT_EQ(pane.horizontalScrollBar(), hSB);
    EXPECT_EQ(pane.verticalScrollBar(), vSB);
    for (const char* name : {"pSize0", "pSize1", "pSize2"}) {
        const auto* handle = pane.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(handle, nullptr) << name;
        EXPECT_EQ(handle->parentWidget(), paper) << name;
        EXPECT_TRUE(handle->isHidden()) << name;
        EXPECT_EQ(handle->width(), pixels(PreviewPane::kHandleTwips, dpiX())) << name;
    }
    // Presses go through the outline to the page picture under it.
    EXPECT_TRUE(outline->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(pane.outlineBorderStyle(), Qt::SolidLine);
    EXPECT_EQ(pane.screenDpiX(), dpiX());
    EXPECT_EQ(pane.screenDpiY(), dpiY());
}

struct ShapeCase {
    const char* name;
    PrinterPage page;
    bool portrait;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.name;
}

class PreviewPaneShapeTest : public PreviewPaneTest,
                             public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(PreviewPaneShapeTest, FollowsThePapersAspectInSinglePrecision) {
    const ShapeCase c = GetParam();
    pane.setPage(c.page);
    const double w = c.page.pageWidthTwips;
    const double h = c.page.pageHeightTwips;
    QSizeF expected;
    if (c.portrait) {
        expected = QSizeF(static_cast<float>(4575 * (w / h)), 4575);
    } else {
        const float tall = static_cast<float>(h / w);
        expected = QSizeF(5535, static_cast<float>(5535 * double(tall)));
    }
    EXPECT_EQ(pane.paperPictureTwips(), expected);
    // The page picture on screen is that many twips at the screen's resolution.
    EXPECT_EQ(paper->size(),
              QSize(pixels(expected.width(), dpiX()), pixels(expected.height(), dpiY())));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PreviewPaneShapeTest,
    ::testing::Values(ShapeCase{"A4Portrait", kA4Portrait, true},
                      ShapeCase{"A4Landscape", kA4Landscape, false},
                      ShapeCase{"LetterPortrait", kLetterPortrait, true},
                      ShapeCase{"LetterLandscape", kLetterLandscape, false},
                      // Neither 1 nor 2: drawn as landscape.
                      ShapeCase{"OrientationThree", {16838, 11906, 3, 0, 0}, false},
                      ShapeCase{"OrientationZero", {16838, 11906, 0, 0, 0}, false},
                      // A landscape page that the printer reports tall.
                      ShapeCase{"LandscapeOfTallPaper", {11906, 16838, 2, 0, 0}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewPaneTest, PortraitA4IsTheExpectedReducedSize) {
    pane.setPage(kA4Portrait);
    // 4575 x 210 / 297 mm: a little under 3235 twips.
    EXPECT_EQ(pane.paperPictureTwips().height(), 4575);
    EXPECT_NEAR(pane.paperPictureTwips().width(), 3234.94, 0.005);
    // The width went through single precision: not the double quotient.
    const double exact = 4575.0 * 11906 / 16838;
    EXPECT_NE(pane.paperPictureTwips().width(), exact);
    EXPECT_EQ(pane.paperPictureTwips().width(), static_cast<float>(exact));
}

TEST_F(PreviewPaneTest, TheTallRatioOfALandscapePageIsSinglePrecision) {
    // A3 landscape: here the single-precision ratio gives another height than
    // the double quotient would.
    pane.setPage({23811, 16838, 2, 0, 0});
    const float tall = static_cast<float>(16838.0 / 23811);
    EXPECT_EQ(pane.paperPictureTwips().height(), static_cast<float>(5535 * double(tall)));
    EXPECT_NE(pane.paperPictureTwips().height(), static_cast<float>(5535 * (16838.0 / 23811)));
}

TEST_F(PreviewPaneTest, SwitchingBackToPortraitRestoresTheHeight) {
    pane.setPage(kA4Landscape);
    EXPECT_EQ(pane.paperPictureTwips().width(), 5535);
    EXPECT_LT(pane.paperPictureTwips().height(), 4575);
    pane.setPage(kA4Portrait);
    EXPECT_EQ(pane.paperPictureTwips().height(), 4575);
    EXPECT_LT(pane.paperPictureTwips().width(), 4575);
}

struct FrameCase {
    const char* name;
    QSize extra;  // pixels beyond the pane's minimum size
    PrinterPage page;
};

void PrintTo(const FrameCase& c, std::ostream* os) {
    *os << c.name;
}

class PreviewPaneCentringTest : public PreviewPaneTest,
                                public ::testing::WithParamInterface<FrameCase> {};

TEST_P(PreviewPaneCentringTest, CentresThePagePictureInThePane) {
    const FrameCase c = GetParam();
    pane.resize(pane.minimumSize() + c.extra);
    pane.setPage(c.page);
    const QSizeF frame = pane.frameTwips();
    EXPECT_DOUBLE_EQ(frame.width(), pane.width() * 1440.0 / dpiX());
    EXPECT_DOUBLE_EQ(frame.height(), pane.height() * 1440.0 / dpiY());
    const QSizeF picture = pane.paperPictureTwips();
    EXPECT_EQ(paper->x(), pixels(frame.width() / 2 - picture.width() / 2, dpiX()));
    EXPECT_EQ(paper->y(), pixels(frame.height() / 2 - picture.height() / 2, dpiY()));
    // As much room on either side, to the pixel.
    const QRect g = paper->geometry();
    EXPECT_LE(std::abs(g.left() - (pane.width() - 1 - g.right())), 1);
    EXPECT_LE(std::abs(g.top() - (pane.height() - 1 - g.bottom())), 1);
}

INSTANTIATE_TEST_SUITE_P(Frames, PreviewPaneCentringTest,
                         ::testing::Values(FrameCase{"MinimumPortrait", {0, 0}, kA4Portrait},
                                           FrameCase{"MinimumLandscape", {0, 0}, kA4Landscape},
                                           FrameCase{"WidePortrait", {301, 0}, kA4Portrait},
                                           FrameCase{"TallLandscape", {0, 157}, kLetterLandscape},
                                           FrameCase{"LargeLetter", {123, 89}, kLetterPortrait}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewPaneTest, AResizedPaneKeepsThePictureCentred) {
    pane.setPage(kA4Portrait);
    pane.show();
    const QRect before = paper->geometry();
    pane.resize(pane.width() + 200, pane.height() + 100);
    EXPECT_EQ(paper->geometry(), before.translated(100, 50));
}

TEST_F(PreviewPaneTest, TheMinimumSizeHoldsEitherOrientationWithoutClipping) {
    for (const PrinterPage& page : {kA4Portrait, kA4Landscape, kLetterPortrait, kLetterLandscape}) {
        pane.resize(pane.minimumSize());
        pane.setPage(page);
        EXPECT_TRUE(pane.rect().contains(paper->geometry()))
            << page.pageWidthTwips << " x " << page.pageHeightTwips;
    }
    // The picture's tallest and widest sides and a margin, and no more: the
    // window around it has to fit a 1366 x 768 screen.
    EXPECT_EQ(pane.minimumWidth(), static_cast<int>(std::ceil((5535 + 2 * 120) * dpiX() / 1440)));
    EXPECT_EQ(pane.minimumHeight(), static_cast<int>(std::ceil((4575 + 2 * 120) * dpiY() / 1440)));
}

TEST_F(PreviewPaneTest, APageWithoutAreaIsRefusedAndTheOldPageStays) {
    pane.setPage(kA4Landscape);
    const QSizeF picture = pane.paperPictureTwips();
    const RasterTarget* print = &pane.printPicture();
    const PrinterPage refused[] = {
        {0, 16838, 1, 0, 0},
        {11906, 0, 1, 0, 0},
        {0, 0, 2, 0, 0},
        {-11906, 16838, 1, 0, 0},
        {11906, -1, 2, 0, 0},
        // Far too large to draw at any screen resolution.
        {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(), 1, 0,
         0},
    };
    for (const PrinterPage& page : refused) {
        EXPECT_THROW(pane.setPage(page), Error)
            << page.pageWidthTwips << " x " << page.pageHeightTwips;
        EXPECT_EQ(pane.paperPictureTwips(), picture);
        EXPECT_EQ(&pane.printPicture(), print);
        EXPECT_EQ(print->image().size(),
                  QSize(pixels(16838, rasterDpi()), pixels(11906, rasterDpi())));
    }
}

struct OutlineCase {
    const char* name;
    QRectF twips;
};

void PrintTo(const OutlineCase& c, std::ostream* os) {
    *os << c.name;
}

class PreviewPaneOutlineTest : public PreviewPaneTest,
                               public ::testing::WithParamInterface<OutlineCase> {};

TEST_P(PreviewPaneOutlineTest, KeepsEachSideInSinglePrecisionAndPlacesItOnThePicture) {
    const OutlineCase c = GetParam();
    pane.setPage(kA4Portrait);
    pane.setOutline(c.twips);
    const QRectF stored = pane.outline();
    EXPECT_EQ(stored.x(), static_cast<float>(c.twips.x()));
    EXPECT_EQ(stored.y(), static_cast<float>(c.twips.y()));
    EXPECT_EQ(stored.width(), static_cast<float>(c.twips.width()));
    EXPECT_EQ(stored.height(), static_cast<float>(c.twips.height()));
    // Stored back as given it stays the same to the last bit.
    pane.setOutline(stored);
    EXPECT_EQ(pane.outline(), stored);

    const int left = pixels(stored.x(), dpiX());
    const int top = pixels(stored.y(), dpiY());
    EXPECT_EQ(outline->pos(), QPoint(left, top));
    // The far edges land where the twips say; an outline thinner than a
    // pixel still shows as one.
    EXPECT_EQ(outline->x() + outline->width(),
              std::max(left + 1, pixels(stored.x() + stored.width(), dpiX())));
    EXPECT_EQ(outline->y() + outline->height(),
              std::max(top + 1, pixels(stored.y() + stored.height(), dpiY())));
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, PreviewPaneOutlineTest,
    ::testing::Values(OutlineCase{"Whole", {0, 0, 3234.95, 4575}},
                      // Tenths have no exact binary form: single precision shows.
                      OutlineCase{"Tenths", {226.8, 283.5, 2781.3, 4008.1}},
                      OutlineCase{"ManyDigits", {1.0 / 3, 567.0000001, 1234.56789, 3.14159265}},
                      OutlineCase{"Whole twips", {300, 450, 1500, 2400}},
                      OutlineCase{"Empty", {1000, 1000, 0, 0}}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase(name, ' ');
        return name;
    });

TEST_F(PreviewPaneTest, AnOutlineThatIsNotANumberOrTooLargeIsRefused) {
    pane.setOutline(QRectF(100, 200, 300, 400));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const QRectF& wild : {QRectF(nan, 0, 1, 1), QRectF(0, inf, 1, 1), QRectF(0, 0, 1e300, 1),
                               QRectF(0, 0, 1, -1e40)}) {
        EXPECT_THROW(pane.setOutline(wild), Error);
        EXPECT_EQ(pane.outline(), QRectF(100, 200, 300, 400));
    }
    // Large but within single precision: kept, and placed without overflow.
    pane.setOutline(QRectF(-1e30, 1e30, 1e30, 1e30));
    EXPECT_EQ(pane.outline().x(), -1e30f);
    EXPECT_LT(outline->x(), 0);
}

TEST_F(PreviewPaneTest, TheOutlineIsASolidBorderThatLeavesThePictureVisible) {
    pane.setPage(kA4Portrait);
    pane.setOutline(QRectF(1440, 1440, 1440, 1440));
    pane.paperPicture().target().Line(2160, 1700, 2160, 2600, kRed);
    pane.updatePictures();
    const QImage shot = paper->grab().toImage();
    const double ratio = shot.devicePixelRatio();
    const int left = static_cast<int>(pixels(1440, dpiX()) * ratio);
    const int right = static_cast<int>(pixels(2880, dpiX()) * ratio) - 1;
    const int middle = static_cast<int>(pixels(2160, dpiY()) * ratio);
    // Along the middle row: the border at both edges, the picture's own red
    // line between them, white elsewhere inside.
    const std::vector<int> marked = markedColumns(shot, middle, Qt::white);
    ASSERT_GE(marked.size(), 3u);
    EXPECT_EQ(marked.front(), left);
    EXPECT_EQ(marked.back(), right);
    EXPECT_EQ(rgbAt(shot, left, middle), rgbOf(0, 0, 0));
    EXPECT_EQ(rgbAt(shot, middle, middle), rgbOf(255, 0, 0));
    EXPECT_EQ(rgbAt(shot, middle - 2, middle), rgbOf(255, 255, 255));

    // Dotted while the pointer is over the area: gaps in the border.
    pane.setOutlineBorderStyle(Qt::DotLine);
    EXPECT_EQ(pane.outlineBorderStyle(), Qt::DotLine);
    const QImage dotted = paper->grab().toImage();
    const std::vector<int> rows = markedRows(dotted, left, Qt::white);
    ASSERT_FALSE(rows.empty());
    EXPECT_LT(rows.size(), static_cast<std::size_t>(right - left));
}

TEST_F(PreviewPaneTest, BothPicturesAreRastersInTwipsAtTheScreenResolution) {
    for (const PrinterPage& page : {kA4Portrait, kLetterLandscape}) {
        pane.setPage(page);
        const QSizeF picture = pane.paperPictureTwips();
        RasterTarget& paperPicture = pane.paperPicture();
        RasterTarget& printPicture = pane.printPicture();
        EXPECT_EQ(paperPicture.dpi(), rasterDpi());
        EXPECT_EQ(printPicture.dpi(), rasterDpi());
        EXPECT_EQ(paperPicture.target().ScaleMode(), Unit::Twip);
        EXPECT_EQ(printPicture.target().ScaleMode(), Unit::Twip);
        EXPECT_EQ(paperPicture.image().size(), QSize(pixels(picture.width(), rasterDpi()),
                                                     pixels(picture.height(), rasterDpi())));
        EXPECT_EQ(printPicture.image().size(), QSize(pixels(page.pageWidthTwips, rasterDpi()),
                                                     pixels(page.pageHeightTwips, rasterDpi())));
        // The full-size page is as large as the paper on screen.
        EXPECT_EQ(print->size(),
                  QSize(pixels(page.pageWidthTwips, dpiX()), pixels(page.pageHeightTwips, dpiY())));
    }
}

TEST_F(PreviewPaneTest, ALineInTwipsLandsOnItsPixelAndIsShownAfterTheUpdate) {
    pane.setPage(kA4Portrait);
    // One inch across, from half an inch to two inches down.
    pane.printPicture().target().Line(1440, 720, 1440, 2880, kRed);
    const double dpi = rasterDpi();
    const int column = static_cast<int>(std::lround(dpi));
    const QImage& image = pane.printPicture().image();
    const std::vector<int> rows = markedRows(image, column, Qt::white);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), std::lround(dpi / 2));
    EXPECT_EQ(rows.back(), std::lround(dpi * 2));
    EXPECT_EQ(rgbAt(image, column, rows.front()), rgbOf(255, 0, 0));
    EXPECT_EQ(markedColumns(image, column, Qt::white), std::vector<int>{column});

    pane.updatePictures();
    const QImage shown = print->grab().toImage();
    EXPECT_EQ(rgbAt(shown, column, column), rgbOf(255, 0, 0));
    EXPECT_EQ(rgbAt(shown, column + 1, column), rgbOf(255, 255, 255));

    pane.clearPrintPicture();
    EXPECT_TRUE(markedRows(image, column, Qt::white).empty());
}

TEST_F(PreviewPaneTest, ClearingOnePictureLeavesTheOther) {
    pane.paperPicture().target().Line(300, 300, 900, 300, kRed);
    pane.printPicture().target().Line(300, 300, 900, 300, kRed);
    const int row = pixels(300, rasterDpi());
    pane.clearPaperPicture();
    EXPECT_TRUE(markedColumns(pane.paperPicture().image(), row, Qt::white).empty());
    EXPECT_FALSE(markedColumns(pane.printPicture().image(), row, Qt::white).empty());
    pane.clearPrintPicture();
    EXPECT_TRUE(markedColumns(pane.printPicture().image(), row, Qt::white).empty());
}

struct ScaleCase {
    double twips;
    int unit;
    double expected;  // in `unit`
};

TEST_F(PreviewPaneTest, ThePagePicturesConversionIsSinglePrecision) {
    static_assert(std::is_same_v<decltype(pane.paperScaleX(1, 1)), float>);
    static_assert(std::is_same_v<decltype(pane.paperScaleY(1, 1)), float>);
    const ScaleCase cases[] = {
        {1440, Unit::Inch, 1},
        {1440, Unit::Centimetre, 2.54},
        {567, Unit::Centimetre, 567 / 1440.0 * 2.54},
        {3234.95, Unit::Inch, 3234.95 / 1440},
        {720, Unit::Millimetre, 12.7},
        {0, Unit::Centimetre, 0},
    };
    for (const ScaleCase& c : cases) {
        EXPECT_FLOAT_EQ(pane.paperScaleX(c.twips, c.unit), static_cast<float>(c.expected))
            << c.twips << " to " << c.unit;
        EXPECT_FLOAT_EQ(pane.paperScaleY(c.twips, c.unit), static_cast<float>(c.expected))
            << c.twips << " to " << c.unit;
    }
    // Pixels are the screen's.
    EXPECT_FLOAT_EQ(pane.paperScaleX(1440, Unit::Pixel), static_cast<float>(dpiX()));
    EXPECT_FLOAT_EQ(pane.paperScaleY(720, Unit::Pixel), static_cast<float>(dpiY() / 2));
    EXPECT_THROW(pane.paperScaleX(1, 4), Error);
}

// Scroll positions are twips; pPrint sits at minus them, in pixels.
QPoint expectedPrintPos(const QScrollBar* h, const QScrollBar* v, double dpiX, double dpiY) {
    return {-pixels(h->value(), dpiX), -pixels(v->value(), dpiY)};
}

TEST_F(PreviewPaneTest, TheScrollBarsRunOverThePagesOverhang) {
    pane.setPage(kA4Portrait);
    ASSERT_LT(container->width(), pane.width());
    ASSERT_LT(container->height(), pane.height());
    const double visibleWidth = container->width() * 1440.0 / dpiX();
    const double visibleHeight = container->height() * 1440.0 / dpiY();
    EXPECT_EQ(hSB->minimum(), 0);
    EXPECT_EQ(vSB->minimum(), 0);
    EXPECT_EQ(hSB->maximum(), static_cast<int>(std::ceil(11906 - visibleWidth - 1e-6)));
    EXPECT_EQ(vSB->maximum(), static_cast<int>(std::ceil(16838 - visibleHeight - 1e-6)));
    EXPECT_GT(hSB->maximum(), 0);

    // A larger pane shows more of the page and leaves less to scroll.
    const int before = hSB->maximum();
    pane.show();
    pane.resize(pane.width() + 150, pane.height());
    EXPECT_EQ(hSB->maximum(),
              static_cast<int>(std::ceil(11906 - container->width() * 1440.0 / dpiX() - 1e-6)));
    EXPECT_LT(hSB->maximum(), before);
}

TEST_F(PreviewPaneTest, APageSmallerThanTheContainerDoesNotScroll) {
    pane.setPage(kInchPage);
    EXPECT_EQ(hSB->maximum(), 0);
    EXPECT_EQ(vSB->maximum(), 0);
    EXPECT_EQ(print->pos(), QPoint(0, 0));
}

struct ScrollCase {
    int h, v;
};

TEST_F(PreviewPaneTest, MovingABarMovesThePageAtOnce) {
    pane.setPage(kA4Portrait);
    const ScrollCase positions[] = {{0, 0}, {1000, 0}, {0, 2345}, {hSB->maximum(), vSB->maximum()}};
    for (const ScrollCase& p : positions) {
        hSB->setValue(p.h);
        vSB->setValue(p.v);
        EXPECT_EQ(print->pos(), QPoint(-pixels(p.h, dpiX()), -pixels(p.v, dpiY())))
            << p.h << ", " << p.v;
    }
    // The page's far corner is reachable.
    EXPECT_LE(print->x() + print->width(), container->width());
    EXPECT_LE(print->y() + print->height(), container->height());

    // Dragging the thumb: the page follows before the thumb is let go.
    hSB->setValue(0);
    hSB->setSliderDown(true);
    hSB->setSliderPosition(1500);
    EXPECT_EQ(print->x(), -pixels(1500, dpiX()));
    hSB->setSliderDown(false);
}

TEST_F(PreviewPaneTest, TheScrollPositionSurvivesARedrawAndANewPage) {
    pane.setPage(kA4Portrait);
    hSB->setValue(1000);
    vSB->setValue(2000);

    pane.clearPrintPicture();
    pane.clearPaperPicture();
    pane.updatePictures();
    EXPECT_EQ(hSB->value(), 1000);
    EXPECT_EQ(vSB->value(), 2000);
    EXPECT_EQ(print->pos(), expectedPrintPos(hSB, vSB, dpiX(), dpiY()));

    pane.setPage(kLetterLandscape);
    EXPECT_EQ(hSB->value(), 1000);
    EXPECT_EQ(vSB->value(), 2000);
    EXPECT_EQ(print->pos(), QPoint(-pixels(1000, dpiX()), -pixels(2000, dpiY())));

    // A page with less to scroll keeps what it can.
    pane.setPage(kInchPage);
    EXPECT_EQ(hSB->value(), 0);
    EXPECT_EQ(vSB->value(), 0);
    EXPECT_EQ(print->pos(), QPoint(0, 0));
}

TEST_F(PreviewPaneTest, ZoomOnlySwapsWhatIsVisible) {
    pane.setPage(kA4Portrait);
    EXPECT_FALSE(pane.zoomed());
    EXPECT_TRUE(paper->isVisibleTo(&pane));
    EXPECT_FALSE(zoomedPanel->isVisibleTo(&pane));

    pane.paperPicture().target().Line(100, 100, 1000, 100, kRed);
    pane.printPicture().target().Line(100, 100, 1000, 100, kRed);
    const RasterTarget* paperPicture = &pane.paperPicture();
    const RasterTarget* printPicture = &pane.printPicture();
    const int row = pixels(100, rasterDpi());
    const auto drawn = [&] {
        return !markedColumns(pane.paperPicture().image(), row, Qt::white).empty() &&
               !markedColumns(pane.printPicture().image(), row, Qt::white).empty();
    };

    pane.setZoomed(true);
    EXPECT_TRUE(pane.zoomed());
    EXPECT_FALSE(paper->isVisibleTo(&pane));
    EXPECT_TRUE(zoomedPanel->isVisibleTo(&pane));
    EXPECT_TRUE(drawn());

    pane.setZoomed(false);
    EXPECT_FALSE(pane.zoomed());
    EXPECT_TRUE(paper->isVisibleTo(&pane));
    EXPECT_FALSE(zoomedPanel->isVisibleTo(&pane));
    EXPECT_TRUE(drawn());
    EXPECT_EQ(&pane.paperPicture(), paperPicture);
    EXPECT_EQ(&pane.printPicture(), printPicture);
}

}  // namespace
}  // namespace lattora
