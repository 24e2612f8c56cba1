// Unit conversions and number texts of the drawing-target contract, checked on
// the recording target every renderer test draws on.
#include "render/drawtarget.h"

#include <gtest/gtest.h>

#include <limits>

#include "render/recordingtarget.h"
#include "sheet/error.h"
#include "tests/render/gridtest.h"

namespace lattora {
namespace {

constexpr int kUnits[] = {Unit::Twip, Unit::Pixel, Unit::Inch, Unit::Millimetre, Unit::Centimetre};

TEST(UnitConversion, ZeroIsZeroInEveryUnit) {
    const RecordingTarget target(Unit::Pixel, 150);
    for (const int from : kUnits) {
        for (const int to : kUnits) {
            SCOPED_TRACE(testing::Message() << from << " -> " << to);
            EXPECT_EQ(target.ScaleX(0, from, to), 0.0f);
            EXPECT_EQ(target.ScaleY(0, from, to), 0.0f);
        }
    }
}

struct Conversion {
    double length;
    int from;
    int to;
    double pixelsPerInch;
    double expected;
};

class KnownConversion : public testing::TestWithParam<Conversion> {};

TEST_P(KnownConversion, AgreesWithTheUnitSizesInSinglePrecision) {
    const Conversion& c = GetParam();
    const RecordingTarget target(Unit::Centimetre, c.pixelsPerInch);
    EXPECT_FLOAT_EQ(target.ScaleX(c.length, c.from, c.to), static_cast<float>(c.expected));
    EXPECT_FLOAT_EQ(target.ScaleY(c.length, c.from, c.to), static_cast<float>(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, KnownConversion,
    testing::Values(Conversion{1, Unit::Millimetre, Unit::Centimetre, 96, 0.1},
                    Conversion{1, Unit::Inch, Unit::Millimetre, 96, 25.4},
                    Conversion{1, Unit::Inch, Unit::Twip, 96, 1440},
                    Conversion{1, Unit::Centimetre, Unit::Twip, 96, 1440 / 2.54},
                    Conversion{2.54, Unit::Centimetre, Unit::Inch, 96, 1},
                    Conversion{1, Unit::Inch, Unit::Pixel, 96, 96},
                    Conversion{1, Unit::Inch, Unit::Pixel, 300, 300},
                    Conversion{600, Unit::Pixel, Unit::Twip, 600, 1440},
                    Conversion{150, Unit::Pixel, Unit::Inch, 300, 0.5},
                    Conversion{1, Unit::Centimetre, Unit::Pixel, 254, 100},
                    Conversion{-3, Unit::Millimetre, Unit::Inch, 96, -3 / 25.4}));

// The thresholds of the fixed-pitch rule rely on the conversions being
// rounded to single precision (13 steps of 0.1 cm pass 1.3 cm only then).
TEST(UnitConversion, ResultIsRoundedToSinglePrecision) {
    const RecordingTarget target;
    const double third = 1.0 / 3.0;
    const double converted = target.ScaleX(third, Unit::Inch, Unit::Inch);
    EXPECT_EQ(converted, static_cast<double>(static_cast<float>(third)));
    EXPECT_NE(converted, third);
}

TEST(UnitConversion, UnusableInputsRaiseError) {
    EXPECT_THROW(convertLength(1, 4, Unit::Inch, 96), Error);
    EXPECT_THROW(convertLength(1, Unit::Inch, 0, 96), Error);
    EXPECT_THROW(convertLength(1, Unit::Pixel, Unit::Inch, 0), Error);
    EXPECT_THROW(
        convertLength(std::numeric_limits<double>::quiet_NaN(), Unit::Inch, Unit::Inch, 96), Error);
    EXPECT_THROW(convertLength(1e38, Unit::Inch, Unit::Twip, 96), Error);
}

TEST(NumberText, PrintAddsTheSignPlaceAndOneBlankButLabelsAreMeasuredWithout) {
    EXPECT_EQ(printedText(5), QStringLiteral(" 5 "));
    EXPECT_EQ(numberText(5), QStringLiteral("5"));
    EXPECT_EQ(printedText(10), QStringLiteral(" 10 "));
    EXPECT_EQ(printedText(2.5), QStringLiteral(" 2.5 "));
    EXPECT_EQ(printedText(-5), QStringLiteral("-5 "));
}

TEST(RecordingTargetPrint, RecordsTheBareTextAndMovesPastThePrintedText) {
    RecordingTarget target(Unit::Inch);
    target.FontSize(6);
    target.CurrentX(1);
    target.CurrentY(2);
    target.Print(5);
    ASSERT_EQ(target.labels().size(), 1u);
    EXPECT_EQ(target.labels()[0].text, QStringLiteral("5"));
    EXPECT_EQ(target.labels()[0].x, 1);
    EXPECT_EQ(target.labels()[0].y, 2);
    // " 5 " is three characters of 0.6 em at 6 points.
    EXPECT_DOUBLE_EQ(target.currentX(), 1 + 3 * 0.6 * 6 / 72);
    EXPECT_DOUBLE_EQ(target.TextWidth(QStringLiteral("5")),
                     test::labelWidthInches(QStringLiteral("5")));
    EXPECT_DOUBLE_EQ(target.TextHeight(QStringLiteral("5")), test::kLabelHeightInches);
}

}  // namespace
}  // namespace lattora
