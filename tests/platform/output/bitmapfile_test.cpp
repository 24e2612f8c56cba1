#include "platform/output/bitmapfile.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/output/rastertarget.h"
#include "sheet/error.h"
#include "sheet/units.h"
#include "tests/support/pixels.h"
#include "tests/support/refusingdevice.h"

namespace lattora {
namespace {

using test::rgbAt;
using test::rgbOf;

struct SavedCase {
    const char* name;
    BitmapFormat format;
    double dpi;
};

void PrintTo(const SavedCase& c, std::ostream* os) {
    *os << c.name;
}

class SavedBitmapTest : public ::testing::TestWithParam<SavedCase> {};

TEST_P(SavedBitmapTest, TheFileKeepsTheResolutionAndThePixels) {
    const SavedCase c = GetParam();
    RasterTarget raster(QSize(120, 80), c.dpi, Unit::Pixel);
    raster.target().Line(10, 5, 10, 70, 0x0000FF);
    raster.target().Line(20, 5, 20, 70, 0xFF0000);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("sheet"));
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    saveBitmap(raster.image(), file, c.format);
    ASSERT_TRUE(file.commit());

    const qint32 dotsPerMetre = qRound(c.dpi / 0.0254);
    QFile readBack(path);
    ASSERT_TRUE(readBack.open(QIODevice::ReadOnly));
    const QByteArray bytes = readBack.readAll();
    if (c.format == BitmapFormat::Bmp) {
        // After the 14-byte file header, the info header's pixels per metre
        // across and down, little-endian, at its offsets 24 and 28.
        ASSERT_TRUE(bytes.startsWith("BM") && bytes.size() > 54);
        EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 38), dotsPerMetre);
        EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 42), dotsPerMetre);
    } else {
        // pHYs: pixels per unit across and down, big-endian, unit 1 = metre.
        const qsizetype at = bytes.indexOf("pHYs");
        ASSERT_TRUE(bytes.startsWith("\x89PNG") && at > 0 && bytes.size() > at + 13);
        EXPECT_EQ(qFromBigEndian<qint32>(bytes.constData() + at + 4), dotsPerMetre);
        EXPECT_EQ(qFromBigEndian<qint32>(bytes.constData() + at + 8), dotsPerMetre);
        EXPECT_EQ(bytes.at(at + 12), 1);
    }

    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes));
    EXPECT_EQ(back.size(), QSize(120, 80));
    EXPECT_EQ(back.dotsPerMeterX(), dotsPerMetre);
    EXPECT_EQ(back.dotsPerMeterY(), dotsPerMetre);
    EXPECT_EQ(rgbAt(back, 10, 40), rgbOf(255, 0, 0));
    EXPECT_EQ(rgbAt(back, 20, 40), rgbOf(0, 0, 255));
    EXPECT_EQ(rgbAt(back, 15, 40), rgbOf(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Formats, SavedBitmapTest,
                         ::testing::Values(SavedCase{"PngAt96", BitmapFormat::Png, 96},
                                           SavedCase{"PngAt150", BitmapFormat::Png, 150},
                                           SavedCase{"BmpAt96", BitmapFormat::Bmp, 96},
                                           SavedCase{"BmpAt300", BitmapFormat::Bmp, 300}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveBitmapTest, FailuresRaiseWithTheReason) {
    RasterTarget raster(QSize(64, 64), 96, Unit::Pixel);
    for (const BitmapFormat format : {BitmapFormat::Png, BitmapFormat::Bmp}) {
        test::RefusingDevice full;
        ASSERT_TRUE(full.open(QIODevice::WriteOnly));
        try {
            saveBitmap(raster.image(), full, format);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_TRUE(error.description().contains(test::RefusingDevice::kReason))
                << error.what();
        }
        QBuffer closed;
        EXPECT_THROW(saveBitmap(raster.image(), closed, format), Error);
        QBuffer buffer;
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        EXPECT_THROW(saveBitmap(QImage(), buffer, format), Error);
        EXPECT_TRUE(buffer.data().isEmpty());
    }
}

}  // namespace
}  // namespace lattora
