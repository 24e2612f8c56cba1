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

TEST(RecordingTargetPrintText, RecordsTheTextAsItStandsAndMovesPastIt) {
    RecordingTarget target(Unit::Centimetre);
    target.FontSize(8);
    target.CurrentX(1.5);
    target.CurrentY(0.25);
    target.PrintText(QStringLiteral("100 mm"));
    ASSERT_EQ(target.labels().size(), 1u);
    const RecordingTarget::LabelCall label = target.labels()[0];
    EXPECT_TRUE(label.isText);
    EXPECT_EQ(label.text, QStringLiteral("100 mm"));
    EXPECT_EQ(label.x, 1.5);
    EXPECT_EQ(label.y, 0.25);
    EXPECT_EQ(label.fontSize, 8);
    // Six characters of 0.6 em at 8 points, no blanks added: 28.8 points.
    EXPECT_DOUBLE_EQ(target.currentX(), 1.5 + 28.8 / 72 * 2.54);
    EXPECT_EQ(target.currentY(), 0.25);
}

TEST(RecordingTargetPrintText, TraceKeepsNumbersAsLabelsAndShowsTextsWhole) {
    RecordingTarget target(Unit::Inch);
    target.CurrentX(0.5);
    target.CurrentY(1);
    target.Print(10);
    target.Line(0, 0.25, 1, 0.25, 255);
    target.CurrentX(2);
    target.CurrentY(0.125);
    target.PrintText(QStringLiteral("4 in"));
    EXPECT_EQ(target.trace(), QStringLiteral("unit 5\n"
                                             "label 0.5 1 10\n"
                                             "line 0 0.25 1 0.25 255\n"
                                             "text 2 0.125 4 in\n"));
}

TEST(RecordingTargetPrintText, ReplayPrintsTextsAsTextsAndNumbersAsNumbers) {
    RecordingTarget original(Unit::Centimetre);
    original.FontSize(11);
    original.CurrentX(1);
    original.CurrentY(2);
    original.PrintText(QStringLiteral("5"));
    original.FontSize(7);
    original.CurrentX(3);
    original.Print(5);
    original.Line(1, 1, 2, 1, 0);

    RecordingTarget copy(Unit::Centimetre);
    original.replay(copy);
    EXPECT_EQ(copy.trace(), original.trace());
    ASSERT_EQ(copy.labels().size(), 2u);
    // The text "5" stays a text and keeps its size; the number stays a number.
    EXPECT_TRUE(copy.labels()[0].isText);
    EXPECT_EQ(copy.labels()[0].fontSize, 11);
    EXPECT_FALSE(copy.labels()[1].isText);
    EXPECT_EQ(copy.labels()[1].number, 5);
    EXPECT_EQ(copy.labels()[1].fontSize, 7);
    // A text moves past the text alone, a number past its blanks too.
    EXPECT_DOUBLE_EQ(copy.currentX(), original.currentX());
}

}  // namespace
}  // namespace lattora
