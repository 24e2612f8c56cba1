// The grid renderer drawing on a raster: where its lines and labels end up
// in pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "platform/output/rastertarget.h"
#include "render/graph.h"
#include "sheet/units.h"
#include "tests/support/memorystore.h"
#include "tests/support/pixels.h"

namespace lattora {
namespace {

using test::inkBounds;
using test::markedRows;
using test::rgbAt;
using test::rgbOf;

constexpr ColorValue kHeavy = 0x0000FF;   // red
constexpr ColorValue kMedium = 0x00FF00;  // green
constexpr ColorValue kLight = 0xFF0000;   // blue
constexpr ColorValue kSubdiv = 0x00FFFF;  // yellow

const QRgb kRed = rgbOf(255, 0, 0);
const QRgb kGreen = rgbOf(0, 255, 0);
const QRgb kBlue = rgbOf(0, 0, 255);
const QRgb kYellow = rgbOf(255, 255, 0);
const QRgb kWhite = rgbOf(255, 255, 255);

class RasterGridTest : public ::testing::Test {
protected:
    test::MemoryStore store_{{QStringLiteral("Scale"), QStringLiteral("Metric")}};
    FixedInputs inputs_{LineColors{kHeavy, kMedium, kLight, kSubdiv, {}},
                        SubdivisionLimits{0.99f, 0.51f, 0.2f}};
    Graph graph_{store_, inputs_};
};

TEST_F(RasterGridTest, MetricMillimetreLinesLandOnTheirPixelsInTheirClassColours) {
    // 254 dpi: ten pixels a millimetre. Origin 20 pixels across, 10 down; the
    // area 1 cm in from the origin, 2.5 cm wide, 1 cm high.
    RasterTarget raster(QSize(400, 300), 254, Unit::Centimetre, QPointF(20, 10));
    graph_.DrawAxisGrid(raster.target(), true, 0, 0, 1, 1, 2.5, 1, 30, 0, 0);

    // Default widths (13, 8, 5 mm) against a 1 mm pitch.
    const std::map<int, QRgb> promoted{{0, kRed},    {4, kBlue},  {7, kGreen},  {9, kBlue},
                                       {12, kRed},   {14, kBlue}, {15, kGreen}, {19, kBlue},
                                       {23, kGreen}, {24, kBlue}, {25, kRed}};
    const QImage& image = raster.image();
    const int row = 10 + 150;
    for (int offset = 0; offset <= 25; ++offset) {
        const int column = 20 + 100 + offset * 10;
        const auto found = promoted.find(offset);
        const QRgb expected = found == promoted.end() ? kYellow : found->second;
        EXPECT_EQ(rgbAt(image, column, row), expected) << "offset " << offset << " mm";
        if (offset < 25) {
            EXPECT_EQ(rgbAt(image, column + 5, row), kWhite) << "between " << offset;
        }
    }
    // Lines run from the top edge to the bottom edge, both included.
    const std::vector<int> rows = markedRows(image, 20 + 100 + 30, Qt::white);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 110);
    EXPECT_EQ(rows.back(), 210);
}

TEST_F(RasterGridTest, OrdinateLabelsStandRightOfTheAreaCentredOnTheirLines) {
    // One logarithmic cycle over 10 cm at 254 dpi: line j at log10(j) * 1000
    // pixels below the top edge.
    RasterTarget raster(QSize(700, 1200), 254, Unit::Centimetre, QPointF(15, 25));
    graph_.DrawAxisGrid(raster.target(), false, 4, 0, 1, 1, 4, 10, 30, 0, 0);
    const QImage& image = raster.image();
    const int right = 15 + 500;
    const int top = 25 + 100;

    for (int j = 1; j <= 10; ++j) {
        const int lineRow = top + static_cast<int>(std::lround(std::log10(j) * 1000));
        EXPECT_NE(rgbAt(image, right - 1, lineRow), kWhite) << "line " << j;
        // The label's ink: right of the area, within 15 pixels of its line.
        const QRect ink = inkBounds(image, QRect(right + 1, lineRow - 15, 120, 31), kWhite);
        ASSERT_FALSE(ink.isEmpty()) << "label " << j;
        EXPECT_GT(ink.left(), right + 3) << "label " << j;  // after the blank
        EXPECT_NEAR((ink.top() + ink.bottom()) / 2.0, lineRow, 3.0) << "label " << j;
        // Two digits are wider than one.
        if (j == 10) {
            const QRect one = inkBounds(image, QRect(right + 1, top - 15, 120, 31), kWhite);
            EXPECT_GT(ink.width(), one.width() * 1.5);
        }
    }
    EXPECT_EQ(raster.target().fontSize(), 6);
}

TEST_F(RasterGridTest, AbscissaLabelsHangBelowTheAreaCentredOnTheirLines) {
    // "12 months" across 11 cm: a line and a label every centimetre.
    RasterTarget raster(QSize(1400, 400), 254, Unit::Centimetre);
    graph_.DrawAxisGrid(raster.target(), true, 3, 0, 1, 1, 11, 2, 30, 0, 0);
    const QImage& image = raster.image();
    const int bottom = 300;
    // The renderer centres the number's digits, then Print puts the sign's
    // blank before them: the digits sit one blank right of the line.
    const double blank = raster.target().TextWidth(QStringLiteral(" ")) * 100;
    for (int month = 1; month <= 12; ++month) {
        const int lineColumn = 100 + (month - 1) * 100;
        const QRect ink = inkBounds(image, QRect(lineColumn - 40, bottom + 1, 81, 60), kWhite);
        ASSERT_FALSE(ink.isEmpty()) << "month " << month;
        EXPECT_NEAR((ink.left() + ink.right()) / 2.0, lineColumn + blank, 2.5) << "month " << month;
        EXPECT_GE(ink.top(), bottom + 1) << "month " << month;
        EXPECT_LT(ink.top(), bottom + 15) << "month " << month;
    }
}

}  // namespace
}  // namespace lattora
