// The fuzz targets' seeds, and every input that once broke one of their
// properties, checked again in the ordinary test run: the same checks the
// fuzzers run, under the ordinary compiler.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/exportcommand.h"
#include "tests/fuzz/entries.h"

namespace lattora::fuzz {
namespace {

const QString kFuzzDir = QStringLiteral(LATTORA_FUZZ_DIR);

QFileInfoList inputsIn(const QString& folder) {
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString runCheck(const Target& target, const QByteArray& bytes) {
    return target.check(Bytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                              static_cast<std::size_t>(bytes.size())));
}

class CorpusTest : public ::testing::TestWithParam<Target> {};

TEST_P(CorpusTest, EverySeedAndPastFailureKeepsEveryProperty) {
    const Target& target = GetParam();
    const QString name = QString::fromLatin1(target.name);
    const QFileInfoList seeds = inputsIn(kFuzzDir + QStringLiteral("/corpus/") + name);
    // A corpus moved or renamed must fail here rather than pass on nothing.
    ASSERT_FALSE(seeds.isEmpty()) << "no seeds for " << target.name;

    const QFileInfoList inputs =
        seeds + inputsIn(kFuzzDir + QStringLiteral("/regressions/") + name);
    for (const QFileInfo& info : inputs) {
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
        EXPECT_EQ(runCheck(target, file.readAll()).toStdString(), "")
            << info.filePath().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusTest,
                         ::testing::ValuesIn(targets().begin(), targets().end()),
                         [](const ::testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

// The seeds of the axis-grid target are binary; their meaning rests on this
// layout.
QByteArray gridBytes(std::uint8_t flags, std::uint8_t mode, std::int16_t family, std::int16_t item,
                     const std::vector<double>& geometry) {
    QByteArray bytes;
    bytes.append(static_cast<char>(flags));
    bytes.append(static_cast<char>(mode));
    bytes.append(reinterpret_cast<const char*>(&family), sizeof family);
    bytes.append(reinterpret_cast<const char*>(&item), sizeof item);
    for (const double value : geometry) {
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    return bytes;
}

AxisGridCase decode(const QByteArray& bytes) {
    return decodeAxisGridCase(Bytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())));
}

TEST(AxisGridCaseTest, ReadsEachFieldAtItsPlace) {
    QByteArray bytes = gridBytes(0b10, 0xFD, 4, -3, {2.5, -1, 1e300, std::nan(""), 7, 0.25, -0.5});
    const float limits[] = {3.5f, 2.5f, 1.5f};
    bytes.append(reinterpret_cast<const char*>(limits), sizeof limits);
    const double widths[] = {13, -8, 0.5};
    bytes.append(reinterpret_cast<const char*>(widths), sizeof widths);
    const std::uint16_t dpi = 2391 + 600;  // folds to 600
    bytes.append(reinterpret_cast<const char*>(&dpi), sizeof dpi);
    ASSERT_EQ(bytes.size(), 100);

    const AxisGridCase c = decode(bytes);
    EXPECT_FALSE(c.isAbscissa);
    EXPECT_TRUE(c.metric);
    EXPECT_EQ(c.scaleMode, 5);
    EXPECT_EQ(c.family, 4);
    EXPECT_EQ(c.item, -3);
    EXPECT_EQ(c.left, 2.5);
    EXPECT_EQ(c.top, -1);
    EXPECT_EQ(c.width, 1e300);
    EXPECT_TRUE(std::isnan(c.height));
    EXPECT_EQ(c.divisions, 7);
    EXPECT_EQ(c.hCorrection, 0.25);
    EXPECT_EQ(c.vCorrection, -0.5);
    EXPECT_EQ(c.limits.ten, 3.5f);
    EXPECT_EQ(c.limits.five, 2.5f);
    EXPECT_EQ(c.limits.two, 1.5f);
    EXPECT_EQ(c.widthHeavy, 13);
    EXPECT_EQ(c.widthMedium, -8);
    EXPECT_EQ(c.widthLight, 0.5);
    EXPECT_EQ(c.pixelsPerInch, kMinDpi + 600);
}

TEST(AxisGridCaseTest, FieldsBeyondAShortInputKeepTheirDefaults) {
    // Flags, mode, family, item, left and half of top.
    const QByteArray bytes = gridBytes(0b01, 3, 2, 0, {4}).append(4, '\x7f');
    const AxisGridCase c = decode(bytes);
    const AxisGridCase defaults;
    EXPECT_TRUE(c.isAbscissa);
    EXPECT_FALSE(c.metric);
    EXPECT_EQ(c.scaleMode, 3);
    EXPECT_EQ(c.family, 2);
    EXPECT_EQ(c.left, 4);
    EXPECT_EQ(c.top, defaults.top);
    EXPECT_EQ(c.width, defaults.width);
    EXPECT_EQ(c.divisions, defaults.divisions);
    EXPECT_EQ(c.limits.ten, defaults.limits.ten);
    EXPECT_FALSE(c.widthHeavy.has_value());
    EXPECT_EQ(c.pixelsPerInch, defaults.pixelsPerInch);

    const AxisGridCase empty = decode(QByteArray());
    EXPECT_EQ(empty.isAbscissa, defaults.isAbscissa);
    EXPECT_EQ(empty.metric, defaults.metric);
    EXPECT_EQ(empty.scaleMode, defaults.scaleMode);
}

}  // namespace
}  // namespace lattora::fuzz
