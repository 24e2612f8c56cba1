#include "platform/output/rastertarget.h"

#include <gtest/gtest.h>

#include <limits>

#include "sheet/error.h"
#include "sheet/units.h"
#include "tests/support/pixels.h"

namespace lattora {
namespace {

bool allWhite(const QImage& image) {
    return test::inkBounds(image, image.rect(), Qt::white).isEmpty();
}

TEST(RasterTargetTest, IsAWhiteRgbImageThatCarriesItsResolutionAndClearsToWhite) {
    RasterTarget raster(QSize(300, 200), 150, Unit::Centimetre);
    EXPECT_EQ(raster.image().size(), QSize(300, 200));
    EXPECT_EQ(raster.image().format(), QImage::Format_RGB32);
    // 150 dots per inch are 5905.5 per metre.
    EXPECT_EQ(raster.image().dotsPerMeterX(), 5906);
    EXPECT_EQ(raster.image().dotsPerMeterY(), 5906);
    EXPECT_TRUE(allWhite(raster.image()));

    raster.target().Line(0.5, 0.5, 2, 1, 0x000000);
    raster.target().Print(7);
    ASSERT_FALSE(allWhite(raster.image()));
    raster.clear();
    EXPECT_TRUE(allWhite(raster.image()));
}

struct PageCase {
    const char* name;
    QSizeF twips;
    double dpi;
    QSize pixels;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.name;
}

class PagePixelsTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PagePixelsTest, IsThePageAtTheResolutionToTheNearestPixel) {
    const PageCase c = GetParam();
    EXPECT_EQ(RasterTarget::pixelSizeForPage(c.twips, c.dpi), c.pixels);
    EXPECT_EQ(RasterTarget::forPage(c.twips, c.dpi, Unit::Inch)->image().size(), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Pages, PagePixelsTest,
                         ::testing::Values(
                             // A4 (210 x 297 mm) is 1240 x 1754 pixels at 150 dpi.
                             PageCase{"A4At150", {11906, 16838}, 150, {1240, 1754}},
                             PageCase{"A4At72", {11906, 16838}, 72, {595, 842}},
                             // US Letter (8.5 x 11 in).
                             PageCase{"LetterAt96", {12240, 15840}, 96, {816, 1056}},
                             PageCase{"LandscapeAt300", {15840, 12240}, 300, {3300, 2550}},
                             PageCase{"HalfPixelRoundsUp", {720, 1440}, 3, {2, 3}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RasterTargetTest, APageOriginInTwipsMovesTheTargetsOrigin) {
    // Half an inch across and a quarter down at 100 dpi: pixel (50, 25).
    const auto raster =
        RasterTarget::forPage(QSizeF(1440, 1440), 100, Unit::Inch, QPointF(720, 360));
    raster->target().Line(0, 0, 0, 0.5, 0x0000FF);
    const std::vector<int> rows = test::markedRows(raster->image(), 50, Qt::white);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(std::pair(rows.front(), rows.back()), std::pair(25, 75));
}

TEST(RasterTargetTest, AnOversizedPictureRaisesBeforeTakingMemory) {
    try {
        RasterTarget raster(QSize(100000, 100000), 300, Unit::Centimetre);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(
            error.description().contains(QStringLiteral("100000 x 100000 pixels is too "
                                                        "large")))
            << error.what();
    }
    // 16384 x 16384 pixels of 4 bytes are 1 GiB, the limit; a row more is not.
    EXPECT_THROW(RasterTarget(QSize(16384, 16385), 96, Unit::Pixel), Error);
    // A 4 metre square page at 600 dpi, and one past the range of int.
    EXPECT_THROW(RasterTarget::forPage(QSizeF(226772, 226772), 600, Unit::Centimetre), Error);
    EXPECT_THROW(RasterTarget::forPage(QSizeF(1e12, 1e12), 600, Unit::Centimetre), Error);
}

TEST(RasterTargetTest, RefusesEmptySizesAndResolutionsThatAreNotNumbers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(RasterTarget(QSize(0, 10), 96, Unit::Pixel), Error);
    EXPECT_THROW(RasterTarget(QSize(10, 10), 0, Unit::Pixel), Error);
    EXPECT_THROW(RasterTarget(QSize(10, 10), nan, Unit::Pixel), Error);
    EXPECT_THROW(RasterTarget::pixelSizeForPage(QSizeF(-1, 100), 96), Error);
    EXPECT_THROW(RasterTarget::pixelSizeForPage(QSizeF(100, nan), 96), Error);
}

}  // namespace
}  // namespace lattora
