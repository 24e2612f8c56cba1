#include "platform/output/paintertarget.h"

#include <gtest/gtest.h>

#include <limits>

#include "sheet/error.h"
#include "sheet/units.h"
#include "tests/support/pixels.h"

namespace lattora {
namespace {

using test::Canvas;
using test::markedColumns;
using test::markedRows;
using test::rgbAt;
using test::rgbOf;

TEST(PainterTargetTest, RefusesWhatItCannotDrawWith) {
    QPainter idle;
    EXPECT_THROW(PainterTarget(idle, Unit::Centimetre, 96, 96), Error);
    Canvas canvas(10, 10, 96);
    for (int code : {0, 2, 4, 8}) {
        EXPECT_THROW(PainterTarget(canvas.painter, code, 96, 96), Error) << code;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(PainterTarget(canvas.painter, Unit::Inch, 0, 96), Error);
    EXPECT_THROW(PainterTarget(canvas.painter, Unit::Inch, 96, nan), Error);
    EXPECT_THROW(PainterTarget(canvas.painter, Unit::Inch, 96, 96, QPointF(nan, 0)), Error);
}

TEST(PainterTargetTest, ConvertsWithEachAxisOwnResolution) {
    Canvas canvas(10, 10, 96);
    const PainterTarget target(canvas.painter, Unit::Centimetre, 150, 300);
    EXPECT_FLOAT_EQ(target.ScaleX(1, Unit::Millimetre, Unit::Centimetre), 0.1f);
    EXPECT_FLOAT_EQ(target.ScaleY(1, Unit::Inch, Unit::Millimetre), 25.4f);
    EXPECT_FLOAT_EQ(target.ScaleX(1, Unit::Inch, Unit::Pixel), 150.0f);
    EXPECT_FLOAT_EQ(target.ScaleY(1, Unit::Inch, Unit::Pixel), 300.0f);
    // Back from pixels, each axis with its own resolution.
    EXPECT_FLOAT_EQ(target.ScaleX(75, Unit::Pixel, Unit::Inch), 0.5f);
    EXPECT_FLOAT_EQ(target.ScaleY(75, Unit::Pixel, Unit::Inch), 0.25f);
    EXPECT_FLOAT_EQ(target.ScaleY(600, Unit::Pixel, Unit::Twip), 2880.0f);
    EXPECT_FLOAT_EQ(target.ScaleX(2.54, Unit::Centimetre, Unit::Twip), 1440.0f);
    EXPECT_EQ(target.ScaleX(0, Unit::Twip, Unit::Pixel), 0.0f);
    EXPECT_EQ(target.ScaleY(0, Unit::Millimetre, Unit::Inch), 0.0f);
    EXPECT_THROW(target.ScaleX(1, 4, Unit::Inch), Error);
}

// A vertical line at `x` from `y1` to `y2` must cover exactly `column`, rows
// `firstRow` to `lastRow` inclusive.
struct LineCase {
    const char* name;
    int unit;
    double dpi;
    QPointF origin;
    double x, y1, y2;
    int column, firstRow, lastRow;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class LinePlacementTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LinePlacementTest, LandsOnTheNearestPixelAfterTheOrigin) {
    const LineCase c = GetParam();
    Canvas canvas(400, 400, c.dpi);
    PainterTarget target(canvas.painter, c.unit, c.dpi, c.dpi, c.origin);
    target.Line(c.x, c.y1, c.x, c.y2, 0x0000FF);

    const int middle = (c.firstRow + c.lastRow) / 2;
    EXPECT_EQ(markedColumns(canvas.image, middle, Qt::white), std::vector<int>{c.column});
    const std::vector<int> rows = markedRows(canvas.image, c.column, Qt::white);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), c.firstRow);
    EXPECT_EQ(rows.back(), c.lastRow);
    EXPECT_EQ(static_cast<int>(rows.size()), c.lastRow - c.firstRow + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Units, LinePlacementTest,
    ::testing::Values(
        // 100 pixels a centimetre: 2.5 cm is 250 pixels after the origin.
        LineCase{"Centimetres", Unit::Centimetre, 254, {30, 20}, 2.5, 1, 3, 280, 120, 320},
        // 1.2 cm at 150 dpi is 70.87 pixels: the nearest column is 71.
        LineCase{"NearestPixel", Unit::Centimetre, 150, {0, 0}, 1.2, 0.5, 1, 71, 30, 59},
        LineCase{"Millimetres", Unit::Millimetre, 96, {0.4, 0}, 25.4, 10, 20, 96, 38, 76},
        LineCase{"Inches", Unit::Inch, 150, {10, 5}, 1, 1, 2, 160, 155, 305},
        LineCase{"Twips", Unit::Twip, 72, {0, 0}, 1440, 720, 2160, 72, 36, 108},
        LineCase{"Pixels", Unit::Pixel, 300, {5, 5}, 17, 3, 40, 22, 8, 45}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PainterTargetTest, HorizontalAndVerticalUseTheirOwnResolution) {
    Canvas canvas(300, 400, 100);
    PainterTarget target(canvas.painter, Unit::Inch, 100, 200);
    target.Line(1, 0.5, 1, 1, 0x00FF00);
    target.Line(0.25, 1.5, 0.75, 1.5, 0x00FF00);
    const std::vector<int> rows = markedRows(canvas.image, 100, Qt::white);
    const std::vector<int> columns = markedColumns(canvas.image, 300, Qt::white);
    ASSERT_FALSE(rows.empty());
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(std::pair(rows.front(), rows.back()), std::pair(100, 200));
    EXPECT_EQ(std::pair(columns.front(), columns.back()), std::pair(25, 75));
}

TEST(PainterTargetTest, LinesArePureColourOnePixelWideWithRedInTheLowByte) {
    // Grey underneath, so white and light grey lines show.
    const QColor grey(128, 128, 128);
    Canvas canvas(40, 40, 96, grey);
    PainterTarget target(canvas.painter, Unit::Pixel, 96, 96);
    const std::pair<ColorValue, QRgb> colours[] = {
        {0x0000FF, rgbOf(255, 0, 0)},       {0x00FF00, rgbOf(0, 255, 0)},
        {0xFF0000, rgbOf(0, 0, 255)},       {0x123456, rgbOf(0x56, 0x34, 0x12)},
        {0x80000005, rgbOf(255, 255, 255)}, {0x8000000F, rgbOf(240, 240, 240)},
        {0x80000012, rgbOf(0, 0, 0)}};
    double x = 2.37;  // off the pixel grid: nothing may be blended
    for (const auto& [value, expected] : colours) {
        target.Line(x, 5, x, 30, value);
        EXPECT_EQ(rgbAt(canvas.image, static_cast<int>(x), 20), expected) << std::hex << value;
        x += 4;
    }
    EXPECT_EQ(markedColumns(canvas.image, 20, grey).size(), std::size(colours));
}

// However the caller has set the painter up to map onto the image, a raster
// line stays one image pixel wide: the pen is cosmetic, and the shortcut for
// axis-aligned lines must not fill a rectangle the painter then scales.
struct TransformCase {
    const char* name;
    bool beforeTarget;  // set up before the target is made, or after
    void (*setUp)(QPainter&);
};

void PrintTo(const TransformCase& c, std::ostream* os) {
    *os << c.name;
}

class ScaledPainterTest : public ::testing::TestWithParam<TransformCase> {};

TEST_P(ScaledPainterTest, RasterLinesStayOneDevicePixelWide) {
    const TransformCase c = GetParam();
    Canvas canvas(100, 100, 96);
    if (c.beforeTarget) {
        c.setUp(canvas.painter);
    }
    PainterTarget target(canvas.painter, Unit::Pixel, 96, 96);
    if (!c.beforeTarget) {
        c.setUp(canvas.painter);
    }
    // Everything is doubled: the vertical line runs down image column 20 from
    // row 10 to row 40, the horizontal one along image row 60 from column 50
    // to column 80.
    target.Line(10, 5, 10, 20, 0x0000FF);
    target.Line(25, 30, 40, 30, 0x0000FF);

    const std::vector<int> across = markedColumns(canvas.image, 25, Qt::white);
    ASSERT_EQ(across.size(), 1u);
    EXPECT_NEAR(across.front(), 20, 1);
    const std::vector<int> down = markedRows(canvas.image, 65, Qt::white);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_NEAR(down.front(), 60, 1);
    // Still drawn the full (scaled) length, not a stub.
    EXPECT_GE(markedRows(canvas.image, across.front(), Qt::white).size(), 30u);
    EXPECT_GE(markedColumns(canvas.image, down.front(), Qt::white).size(), 30u);
}

INSTANTIATE_TEST_SUITE_P(
    Transforms, ScaledPainterTest,
    ::testing::Values(TransformCase{"ScaledBefore", true, [](QPainter& p) { p.scale(2, 2); }},
                      TransformCase{"ScaledAfter", false, [](QPainter& p) { p.scale(2, 2); }},
                      TransformCase{"WindowOnHalfTheImage", true,
                                    [](QPainter& p) { p.setWindow(0, 0, 50, 50); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PainterTargetTest, AWorldMatrixSwitchedOffLeavesLinesWhereTheyAre) {
    Canvas canvas(100, 100, 96);
    canvas.painter.scale(3, 3);
    canvas.painter.setWorldMatrixEnabled(false);
    PainterTarget target(canvas.painter, Unit::Pixel, 96, 96);
    target.Line(10, 5, 10, 20, 0x0000FF);
    target.Line(25, 30, 40, 30, 0x0000FF);
    EXPECT_EQ(markedColumns(canvas.image, 12, Qt::white), std::vector<int>{10});
    EXPECT_EQ(markedRows(canvas.image, 30, Qt::white), std::vector<int>{30});
    const std::vector<int> rows = markedRows(canvas.image, 10, Qt::white);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(std::pair(rows.front(), rows.back()), std::pair(5, 20));
}

TEST(PainterTargetTest, KeepsTheFontSizeSetAndRefusesOneThatIsNotPositive) {
    Canvas canvas(20, 20, 96);
    PainterTarget target(canvas.painter, Unit::Pixel, 96, 96);
    EXPECT_EQ(target.fontSize(), 8.25);
    target.FontSize(6);
    target.Print(3);
    EXPECT_EQ(target.fontSize(), 6);
    EXPECT_THROW(target.FontSize(0), Error);
    EXPECT_THROW(target.FontSize(std::numeric_limits<double>::quiet_NaN()), Error);
    EXPECT_EQ(target.fontSize(), 6);
}

TEST(PainterTargetTest, TextIsMeasuredForTheDeviceInTheTargetUnit) {
    // 6 pt at 254 dpi is an em of 21.17 pixels; a DejaVu Sans digit is 0.636
    // em wide and a line (ascent plus descent) 1.164 em high.
    Canvas canvas(20, 20, 254);
    PainterTarget pixels(canvas.painter, Unit::Pixel, 254, 254);
    PainterTarget millimetres(canvas.painter, Unit::Millimetre, 254, 254);
    const double em = 6.0 / 72 * 254;
    pixels.FontSize(6);
    millimetres.FontSize(6);
    EXPECT_NEAR(pixels.TextWidth(QStringLiteral("5")), 0.636 * em, 0.08 * em);
    EXPECT_NEAR(pixels.TextHeight(QStringLiteral("5")), 1.164 * em, 0.15 * em);
    EXPECT_NEAR(millimetres.TextWidth(QStringLiteral("10")),
                pixels.TextWidth(QStringLiteral("10")) / 10, 1e-5);
}

TEST(PainterTargetTest, TextWidthMeasuresTheDigitWhilePrintAddsTheBlanks) {
    Canvas canvas(20, 20, 254);
    PainterTarget target(canvas.painter, Unit::Centimetre, 254, 254);
    target.FontSize(6);
    const double digit = target.TextWidth(QStringLiteral("5"));
    const double blank = target.TextWidth(QStringLiteral(" "));
    const double printed = target.TextWidth(QStringLiteral(" 5 "));
    EXPECT_GT(blank, 0);
    EXPECT_NEAR(printed, digit + 2 * blank, 1e-4);
    target.CurrentX(1.5);
    target.CurrentY(0.25);
    target.Print(5);
    EXPECT_NEAR(target.currentX(), 1.5 + printed, 1e-6);
    EXPECT_EQ(target.currentY(), 0.25);
}

TEST(PainterTargetTest, ALabelHangsFromTheCurrentPositionInBlack) {
    // 100 pixels a centimetre, origin (40, 30): the label's box starts at
    // pixel (140, 80).
    Canvas canvas(400, 200, 254);
    PainterTarget target(canvas.painter, Unit::Centimetre, 254, 254, QPointF(40, 30));
    target.FontSize(6);
    const double blank = target.TextWidth(QStringLiteral(" ")) * 100;
    const double width = target.TextWidth(QStringLiteral(" 5 ")) * 100;
    const double height = target.TextHeight(QStringLiteral("5")) * 100;
    target.CurrentX(1.0);
    target.CurrentY(0.5);
    target.Print(5);

    const QRect ink = test::inkBounds(canvas.image, canvas.image.rect(), Qt::white);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 140 + blank - 1);
    EXPECT_LE(ink.right(), 140 + width - blank + 1);
    // The digit stands on a baseline inside the box, not above the position.
    EXPECT_GE(ink.top(), 80);
    EXPECT_LE(ink.top(), 80 + 0.35 * height);
    EXPECT_GE(ink.bottom(), 80 + 0.5 * height);
    EXPECT_LE(ink.bottom(), 80 + height);
    int darkest = 255;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            const QColor c = canvas.image.pixelColor(x, y);
            EXPECT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
            darkest = std::min(darkest, c.red());
        }
    }
    EXPECT_LT(darkest, 60);
}

TEST(PainterTargetTest, PrintTextDrawsTheTextAsItStandsAndMovesPastIt) {
    // 100 pixels a centimetre, origin (20, 10): the text's box starts at
    // pixel (70, 35).
    Canvas canvas(600, 120, 254);
    PainterTarget target(canvas.painter, Unit::Centimetre, 254, 254, QPointF(20, 10));
    target.FontSize(8);
    const QString text = QStringLiteral("50 mm square");
    const double width = target.TextWidth(text);
    const double height = target.TextHeight(text);
    // Nothing is added around the text, unlike the blanks Print pads a number with.
    EXPECT_NEAR(target.TextWidth(QStringLiteral(" ") + text + QStringLiteral(" ")) - width,
                2 * target.TextWidth(QStringLiteral(" ")), 1e-4);
    target.CurrentX(0.5);
    target.CurrentY(0.25);
    target.PrintText(text);
    EXPECT_NEAR(target.currentX(), 0.5 + width, 1e-6);
    EXPECT_EQ(target.currentY(), 0.25);

    const QRect ink = test::inkBounds(canvas.image, canvas.image.rect(), Qt::white);
    ASSERT_FALSE(ink.isEmpty());
    // The first glyph starts at the position (a digit's side bearing at most
    // a pixel or two), the last one ends within the measured width.
    EXPECT_GE(ink.left(), 70);
    EXPECT_LE(ink.left(), 70 + 3);
    EXPECT_LE(ink.right(), 70 + width * 100 + 1);
    EXPECT_GE(ink.right(), 70 + width * 100 - 0.1 * height * 100);
    EXPECT_GE(ink.top(), 35);
    EXPECT_LE(ink.bottom(), 35 + height * 100);

    // A second text carries on where the first ended.
    target.PrintText(QStringLiteral("|"));
    const QRect more = test::inkBounds(canvas.image, canvas.image.rect(), Qt::white);
    EXPECT_GT(more.right(), ink.right());
}

}  // namespace
}  // namespace lattora
