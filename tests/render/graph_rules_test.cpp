// The rules that pick line classes and subdivisions, and the worked examples
// of the scales with their numbers written out.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "render/graph.h"
#include "render/recordingtarget.h"
#include "tests/render/gridtest.h"

namespace lattora {
namespace {

using test::convert;
using test::kHeavy;
using test::Rect;

// A surface whose vertical resolution differs from its horizontal one, so that
// a test can tell which of the two conversions was used.
class AnisotropicTarget : public RecordingTarget {
public:
    AnisotropicTarget(double horizontalDpi, double verticalDpi)
        : RecordingTarget(Unit::Pixel, horizontalDpi), verticalDpi_(verticalDpi) {}
    float ScaleY(double length, int fromUnit, int toUnit) const override {
        return convertLength(length, fromUnit, toUnit, verticalDpi_);
    }

private:
    double verticalDpi_;
};

std::string repeated(const char* pattern, int count) {
    const std::size_t period = std::strlen(pattern);
    std::string result;
    for (int i = 0; i < count; ++i) {
        result += pattern[static_cast<std::size_t>(i) % period];
    }
    return result;
}

void storeWidths(test::Rig& rig, const char* heavy, const char* medium, const char* light) {
    const std::pair<const QString&, const char*> widths[] = {{Key::StyleWidthHeavy, heavy},
                                                             {Key::StyleWidthMedium, medium},
                                                             {Key::StyleWidthLight, light}};
    for (const auto& [key, text] : widths) {
        if (text != nullptr) {
            rig.store.saveSetting(key, QString::fromLatin1(text));
        }
    }
}

// --- Running distances of the fixed-pitch families --------------------------

struct RunningCase {
    const char* name;
    bool metric;
    const char* heavy;  // stored widths; nullptr leaves the key absent
    const char* medium;
    const char* light;
    int family;
    int item;
    double extent;  // sheet unit
    double divisions;
    const char* pattern;   // class letters in drawing order, repeated up to `lines`
    int lines;             // lines checked
    bool lastLineMayFall;  // "N divided" and "Time" end on the far edge
};

class RunningDistance : public testing::TestWithParam<RunningCase> {};

TEST_P(RunningDistance, PromotesLinesByTheirAccumulatedPitch) {
    const RunningCase& c = GetParam();
    const std::string expected = repeated(c.pattern, c.lines);
    const std::pair<int, double> surfaces[] = {
        {Unit::Centimetre, 96}, {Unit::Millimetre, 96}, {Unit::Twip, 96}, {Unit::Pixel, 120}};
    for (const auto& [unit, dpi] : surfaces) {
        for (const bool isAbscissa : {true, false}) {
            SCOPED_TRACE(testing::Message() << "target unit " << unit << ", "
                                            << (isAbscissa ? "abscissa" : "ordinate"));
            test::Rig rig(c.metric);
            storeWidths(rig, c.heavy, c.medium, c.light);
            RecordingTarget target(unit, dpi);
            rig.draw(target, isAbscissa, c.family, c.item, Rect{1, 2, c.extent, c.extent},
                     c.divisions);
            std::string drawn = test::classPattern(test::splitAxis(target).lines);
            if (c.lastLineMayFall && drawn.size() == expected.size() + 1) {
                drawn.pop_back();
            }
            EXPECT_EQ(drawn, expected);
        }
    }
}

// Metric widths are whole millimetres (13, 8, 5 give 1.3, 0.8, 0.5 cm);
// imperial widths are thousandths of an inch (5, 3, 2 give 0.005 in ...).
INSTANTIATE_TEST_SUITE_P(
    Table, RunningDistance,
    testing::Values(
        // Light at 4, 9, 14, 19, 24 mm, medium at 7, 15, 23, heavy at 12 and 25.
        RunningCase{"MetricDefaults_1mm", true, nullptr, nullptr, nullptr, 0, 0, 2.65, 0,
                    "SSSSLSSMSLSSHSLMSSSLSSSMLHS", 27, false},
        RunningCase{"MetricDefaults_2mm", true, nullptr, nullptr, nullptr, 0, 1, 5.55, 0,
                    "SSLMSLHMLSSMSHLMSLSMHSSMSSLH", 28, false},
        RunningCase{"MetricDefaults_5mm", true, nullptr, nullptr, nullptr, 0, 2, 5.7, 0, "LMHMLH",
                    12, false},
        RunningCase{"MetricDefaults_10mm", true, nullptr, nullptr, nullptr, 0, 3, 11.5, 0, "MH", 12,
                    false},
        // Every pitch of at least 0.005 in is heavy under the imperial defaults.
        RunningCase{"ImperialDefaults_Metric1mm", false, nullptr, nullptr, nullptr, 0, 0, 1.5, 0,
                    "H", 39, false},
        RunningCase{"ImperialDefaults_HalfInch", false, nullptr, nullptr, nullptr, 1, 0, 3.2, 0,
                    "H", 7, false},
        RunningCase{"ImperialDefaults_30Divided", false, nullptr, nullptr, nullptr, 2, -1, 1, 30,
                    "H", 30, true},
        RunningCase{"ImperialDefaults_12Months", false, nullptr, nullptr, nullptr, 3, 0, 5, 0, "H",
                    11, true},
        // Pitches below 0.005 in: 1/300 in reaches medium every line and heavy
        // every second; 1/420 in light every line, medium every second, heavy
        // every third.
        RunningCase{"ImperialDefaults_300Divided", false, nullptr, nullptr, nullptr, 2, -1, 1, 300,
                    "MH", 300, true},
        RunningCase{"ImperialDefaults_420Divided", false, nullptr, nullptr, nullptr, 2, -1, 1, 420,
                    "LMHMLH", 420, true},
        RunningCase{"ImperialDefaults_60MinutesOnFifthInch", false, nullptr, nullptr, nullptr, 3, 3,
                    0.2, 0, "MH", 59, true},
        // Stored widths replace the defaults one by one.
        RunningCase{"MetricStored_1mm", true, "4", "2.5", "1", 0, 0, 3.05, 0, "LLMHLMLHMLLH", 31,
                    false},
        RunningCase{"MetricStoredHeavyOnly_1mm", true, "2", nullptr, nullptr, 0, 0, 3.05, 0,
                    "SHSHLHSHSH", 31, false},
        RunningCase{"ImperialStored_16thInch", false, "100", "50", "25", 1, 1, 2.03, 0, "MH", 33,
                    false}),
    [](const testing::TestParamInfo<RunningCase>& info) { return std::string(info.param.name); });

TEST(RunningDistance, HeavyWidthBeyondTheExtentLeavesOnlyTheBordersHeavy) {
    struct System {
        bool metric;
        const char* heavy;
        double extent;
    };
    // 1000 mm and 100000 thousandths of an inch: longer than any graph area.
    for (const System& system : {System{true, "1000", 20}, System{false, "100000", 8}}) {
        const std::pair<int, int> scales[] = {{0, 0}, {0, 3}, {1, 1}, {2, -1}, {3, 3}};
        for (const auto& [family, item] : scales) {
            for (const bool isAbscissa : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << (system.metric ? "metric" : "imperial") << ", family " << family
                             << ", item " << item << (isAbscissa ? ", abscissa" : ", ordinate"));
                test::Rig rig(system.metric);
                rig.store.saveSetting(Key::StyleWidthHeavy, QString::fromLatin1(system.heavy));
                RecordingTarget target(Unit::Centimetre);
                rig.draw(target, isAbscissa, family, item,
                         Rect{1, 1, system.extent, system.extent});
                const test::AxisDrawing drawing = test::splitAxis(target);
                const std::string classes = test::classPattern(drawing.lines);
                EXPECT_GT(drawing.lines.size(), 5u);
                EXPECT_EQ(classes.find('H'), std::string::npos) << classes;
                EXPECT_NE(classes.find('M'), std::string::npos) << classes;
                ASSERT_EQ(drawing.borders.size(), 2u);
                EXPECT_EQ(drawing.borders[0].colour, kHeavy);
                EXPECT_EQ(drawing.borders[1].colour, kHeavy);
            }
        }
    }
}

// --- Subdivisions of the non-linear families --------------------------------

// "Quadratic" "0 to 10" over an extent of 100 target units puts its main lines
// at i², so the intervals are 0 (before the first line), then 1, 3, 5 ... 19.
struct SubdivisionCase {
    const char* name;
    int unit;      // target unit; the sheet is metric (cm)
    double width;  // cm
    SubdivisionLimits limits;
    std::array<int, 11> parts;  // expected parts of each interval
};

class SubdivisionRule : public testing::TestWithParam<SubdivisionCase> {};

TEST_P(SubdivisionRule, LastPassingStrictTestDecides) {
    const SubdivisionCase& c = GetParam();
    const double start = convert(2, Unit::Centimetre, c.unit);
    for (const bool isAbscissa : {true, false}) {
        SCOPED_TRACE(isAbscissa ? "abscissa" : "ordinate");
        test::Rig rig;
        rig.inputs.setLimits(c.limits);
        RecordingTarget target(c.unit);
        rig.draw(target, isAbscissa, 5, 0, Rect{2, 2, c.width, c.width});

        std::vector<double> expectedPositions;
        std::string expectedClasses;
        for (int i = 0; i <= 10; ++i) {
            const double previous = i == 0 ? 0 : (i - 1) * (i - 1);
            const double interval = i * i - previous;
            const int parts = c.parts[static_cast<std::size_t>(i)];
            for (int j = 1; j < parts; ++j) {
                expectedPositions.push_back(start + previous + j * interval / parts);
                expectedClasses += 'S';
            }
            expectedPositions.push_back(start + i * i);
            expectedClasses += 'M';
        }
        const test::AxisDrawing drawing = test::splitAxis(target);
        EXPECT_EQ(test::classPattern(drawing.lines), expectedClasses);
        const std::vector<double> drawn = test::positions(drawing.lines, isAbscissa);
        ASSERT_EQ(drawn.size(), expectedPositions.size());
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            EXPECT_NEAR(drawn[k], expectedPositions[k], 1e-9) << "line " << k;
        }
    }
}

// Limits are {ten, five, two}. Intervals equal to a limit (3, 7, 13) do not
// pass it.
INSTANTIATE_TEST_SUITE_P(
    Table, SubdivisionRule,
    testing::Values(
        SubdivisionCase{
            "Ordered", Unit::Centimetre, 100, {13, 7, 3}, {0, 0, 0, 2, 2, 5, 5, 5, 10, 10, 10}},
        SubdivisionCase{"FiveBelowTwo",
                        Unit::Centimetre,
                        100,
                        {13, 3, 7},
                        {0, 0, 0, 5, 5, 5, 5, 5, 10, 10, 10}},
        SubdivisionCase{"TenBelowFive",
                        Unit::Centimetre,
                        100,
                        {7, 13, 3},
                        {0, 0, 0, 2, 2, 10, 10, 10, 10, 10, 10}},
        SubdivisionCase{"TwoLargest",
                        Unit::Centimetre,
                        100,
                        {7, 3, 13},
                        {0, 0, 0, 5, 5, 10, 10, 10, 10, 10, 10}},
        SubdivisionCase{"TenSmallestFiveLargest",
                        Unit::Centimetre,
                        100,
                        {3, 13, 7},
                        {0, 0, 0, 10, 10, 10, 10, 10, 10, 10, 10}},
        SubdivisionCase{"Reversed",
                        Unit::Centimetre,
                        100,
                        {3, 7, 13},
                        {0, 0, 0, 10, 10, 10, 10, 10, 10, 10, 10}},
        SubdivisionCase{"AllAboveEveryInterval",
                        Unit::Centimetre,
                        100,
                        {100, 100, 100},
                        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        SubdivisionCase{"OnlyTwoAtZero",
                        Unit::Centimetre,
                        100,
                        {100, 100, 0},
                        {0, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}},
        SubdivisionCase{"AllZero",
                        Unit::Centimetre,
                        100,
                        {0, 0, 0},
                        {0, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}},
        // Millimetre target: intervals of 1 ... 19 mm are judged as 0.1 ... 1.9 cm.
        SubdivisionCase{"MillimetreTarget",
                        Unit::Millimetre,
                        10,
                        {1.3f, 0.7f, 0.3f},
                        {0, 0, 0, 2, 2, 5, 5, 5, 10, 10, 10}},
        SubdivisionCase{"MillimetreTargetTwoLargest",
                        Unit::Millimetre,
                        10,
                        {0.7f, 0.3f, 1.3f},
                        {0, 0, 0, 5, 5, 10, 10, 10, 10, 10, 10}}),
    [](const testing::TestParamInfo<SubdivisionCase>& info) {
        return std::string(info.param.name);
    });

// Lengths along the ordinate are vertical, but the subdivision rule judges
// every interval by its horizontal conversion.
TEST(AxisConversions, EdgesAndPitchesFollowTheAxisSubdivisionsUseTheHorizontal) {
    const Rect area{0.3, 0.5, 1, 1};  // inches
    {
        SCOPED_TRACE("subdivisions");
        for (const bool isAbscissa : {true, false}) {
            test::Rig rig(false);
            rig.inputs.setLimits({1e30f, 1e30f, 0.05f});
            AnisotropicTarget target(100, 200);
            rig.draw(target, isAbscissa, 5, 0, area);
            const test::AxisDrawing drawing = test::splitAxis(target);
            // Abscissa: 100 px, intervals 1, 3, 5 ... px = 0.01, 0.03, 0.05 ... in.
            // Ordinate: 200 px, intervals 2, 6, 10 ... px = 0.02, 0.06, 0.10 ... in
            // horizontally (they would be 0.01, 0.03, 0.05 ... vertically).
            const int halved = isAbscissa ? 7 : 9;
            const std::string expected = isAbscissa ? "MMMM" + repeated("SM", 2 * halved)
                                                    : "MM" + repeated("SM", 2 * halved);
            EXPECT_EQ(test::classPattern(drawing.lines), expected)
                << (isAbscissa ? "abscissa" : "ordinate");
            const double start = isAbscissa ? 30 : 100;
            const double scale = isAbscissa ? 1 : 2;
            EXPECT_NEAR(test::along(drawing.lines.back(), isAbscissa), start + 100 * scale, 1e-4);
            if (!isAbscissa) {
                EXPECT_NEAR(drawing.lines.front().x1, 30, 1e-4);
                EXPECT_NEAR(drawing.lines.front().x2, 130, 1e-4);
            }
        }
    }
    {
        SCOPED_TRACE("fixed-pitch positions");
        test::Rig rig(false);
        AnisotropicTarget target(100, 200);
        rig.draw(target, false, 0, 3, area);
        // 12.7 to 38.1 mm down the sheet: lines at 12.7, 22.7 and 32.7 mm.
        const test::AxisDrawing drawing = test::splitAxis(target);
        const std::vector<double> drawn = test::positions(drawing.lines, false);
        ASSERT_EQ(drawn.size(), 3u);
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            EXPECT_NEAR(drawn[k], (12.7 + 10.0 * static_cast<double>(k)) / 25.4 * 200, 1e-3);
        }
        test::expectBorders(drawing, false, 30, 100, 130, 300, 1e-3);
    }
    {
        SCOPED_TRACE("running distances");
        for (const bool isAbscissa : {true, false}) {
            test::Rig rig(false);
            storeWidths(rig, "450", "250", "150");
            AnisotropicTarget target(100, 200);
            // A pitch of 20 px: 0.2 in across, 0.1 in down.
            rig.draw(target, isAbscissa, 2, -1, area, isAbscissa ? 5 : 10);
            std::string drawn = test::classPattern(test::splitAxis(target).lines);
            const std::string expected = isAbscissa ? "LMHML" : "SLMLHMSLMH";
            if (drawn.size() == expected.size() + 1) {
                drawn.pop_back();
            }
            EXPECT_EQ(drawn, expected) << (isAbscissa ? "abscissa" : "ordinate");
        }
    }
}

// --- Worked examples ---------------------------------------------------------

TEST(WorkedExample, TenMillimetresOn95MillimetresStopsAt90) {
    for (const bool isAbscissa : {true, false}) {
        SCOPED_TRACE(isAbscissa ? "abscissa" : "ordinate");
        test::Rig rig;
        RecordingTarget target(Unit::Millimetre);
        rig.draw(target, isAbscissa, 0, 3, Rect{1, 1, 9.5, 9.5});
        const test::AxisDrawing drawing = test::splitAxis(target);
        const std::vector<double> drawn = test::positions(drawing.lines, isAbscissa);
        ASSERT_EQ(drawn.size(), 10u);
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            EXPECT_NEAR(drawn[k] - 10, 10.0 * static_cast<double>(k), 1e-4);
        }
        test::expectBorders(drawing, isAbscissa, 10, 10, 105, 105, 1e-4);
    }
}

TEST(WorkedExample, LogarithmicTwoCyclesOnAnExtentOfTen) {
    // 5·log10(j) for j = 1 ... 10.
    const double cycle[] = {0,       1.50515, 2.38561, 3.01030, 3.49485,
                            3.89076, 4.22549, 4.51545, 4.77121, 5};
    std::vector<double> expected;
    for (const double base : {0.0, 5.0}) {
        for (const double offset : cycle) {
            expected.push_back(base + offset);
        }
        expected.push_back(base + 5);  // the medium cycle boundary
    }
    for (const bool isAbscissa : {true, false}) {
        SCOPED_TRACE(isAbscissa ? "abscissa" : "ordinate");
        test::Rig rig;
        RecordingTarget target(Unit::Centimetre);
        rig.draw(target, isAbscissa, 4, 1, Rect{1, 1, 10, 10});
        const test::AxisDrawing drawing = test::splitAxis(target);
        EXPECT_EQ(test::classPattern(drawing.lines), "LLLLLLLLLLMLLLLLLLLLLM");
        const std::vector<double> drawn = test::positions(drawing.lines, isAbscissa);
        ASSERT_EQ(drawn.size(), expected.size());
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            EXPECT_NEAR(drawn[k] - 1, expected[k], 1e-5) << "line " << k;
        }
        const std::vector<std::string> once = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        std::vector<std::string> twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        EXPECT_EQ(test::labelTexts(drawing.labels), twice);
        if (isAbscissa) {
            // Centred on the line by the width of the bare number: "10" is
            // 7.2 pt = 0.254 cm wide, "5" half that.
            ASSERT_EQ(drawing.labels.size(), 20u);
            EXPECT_NEAR(drawing.labels[9].x, 6 - 0.127, 1e-5);
            EXPECT_NEAR(drawing.labels[4].x, 1 + 3.49485 - 0.0635, 1e-5);
            EXPECT_NEAR(drawing.labels[9].y, 11, 1e-6);
        }
    }
}

TEST(WorkedExample, QuadraticAndSquareRootLabelTheirSteps) {
    for (const bool isAbscissa : {true, false}) {
        SCOPED_TRACE(isAbscissa ? "abscissa" : "ordinate");
        test::Rig rig;
        RecordingTarget quadratic(Unit::Centimetre);
        rig.draw(quadratic, isAbscissa, 5, 1, Rect{2, 2, 10, 10});
        const test::AxisDrawing q = test::splitAxis(quadratic);
        EXPECT_EQ(test::labelTexts(q.labels),
                  (std::vector<std::string>{"0", "5", "10", "15", "20"}));
        EXPECT_EQ(test::classPattern(q.lines), "MLLLLMLLLLMLLLLMLLLLM");

        // No line and no label for 0: the first line lies √1/√50 of the way.
        RecordingTarget squareRoot(Unit::Centimetre);
        rig.draw(squareRoot, isAbscissa, 6, 2, Rect{2, 2, 10, 10});
        const test::AxisDrawing r = test::splitAxis(squareRoot);
        EXPECT_EQ(test::labelTexts(r.labels),
                  (std::vector<std::string>{"10", "20", "30", "40", "50"}));
        ASSERT_EQ(r.lines.size(), 50u);
        EXPECT_NEAR(test::along(r.lines.front(), isAbscissa), 2 + 10 / std::sqrt(50.0), 1e-6);
    }
}

double logLog(double q) {
    return std::log(std::log(1 / (1 - q)));
}

TEST(WorkedExample, ProbabilityOneToNinetyNine) {
    const double lastFraction = (logLog(0.98) - logLog(0.01)) / (logLog(0.99) - logLog(0.01));
    for (const bool isAbscissa : {true, false}) {
        SCOPED_TRACE(isAbscissa ? "abscissa" : "ordinate");
        test::Rig rig;
        RecordingTarget target(Unit::Centimetre);
        rig.draw(target, isAbscissa, 7, 0, Rect{2, 2, 10, 10});
        const test::AxisDrawing drawing = test::splitAxis(target);
        ASSERT_EQ(drawing.lines.size(), 98u);  // 1 % to 98 %
        EXPECT_NEAR(test::along(drawing.lines.front(), isAbscissa), 2, 1e-6);
        EXPECT_NEAR(test::along(drawing.lines.back(), isAbscissa), 2 + 10 * lastFraction, 1e-6);
        EXPECT_EQ(test::labelTexts(drawing.labels),
                  (std::vector<std::string>{"10", "20", "30", "40", "50", "60", "70", "80", "90"}));
        const std::string classes = test::classPattern(drawing.lines);
        for (std::size_t k = 0; k < classes.size(); ++k) {
            EXPECT_EQ(classes[k], (k + 1) % 10 == 0 ? 'M' : 'L') << (k + 1) << " %";
        }
    }
}

// Steps of 0.1 are summed in double precision: a sum lands on 10, 20 ... 90
// only if the addition happens to be exact, and none of them does, so the
// abscissa is unlabelled. The ordinate visits 0.1, 1.1 ... 98.1, never whole.
TEST(WorkedExample, ProbabilityTenthsAreSummedAndStayUnlabelled) {
    const double lo = logLog(0.001);
    const double hi = logLog(0.999);
    for (const bool isAbscissa : {true, false}) {
        SCOPED_TRACE(isAbscissa ? "abscissa" : "ordinate");
        test::Rig rig;
        RecordingTarget target(Unit::Centimetre);
        rig.draw(target, isAbscissa, 7, 1, Rect{2, 2, 10, 10});
        const test::AxisDrawing drawing = test::splitAxis(target);
        EXPECT_TRUE(drawing.labels.empty());
        const std::string classes = test::classPattern(drawing.lines);
        EXPECT_EQ(classes, std::string(classes.size(), 'L'));
        const std::vector<double> drawn = test::positions(drawing.lines, isAbscissa);
        if (isAbscissa) {
            // 0.1, 0.2, ... summed up to the last sum below 99: 990 lines.
            ASSERT_EQ(drawn.size(), 990u);
            // The last sum falls just short of 99.
            EXPECT_NEAR(drawn.back(), 2 + 10 * (logLog(0.99) - lo) / (hi - lo), 1e-6);
        } else {
            ASSERT_EQ(drawn.size(), 99u);
            for (std::size_t k = 0; k < drawn.size(); ++k) {
                const double percent = 0.1 + static_cast<double>(k);
                EXPECT_NEAR(drawn[k], 2 + 10 * (logLog(percent / 100) - lo) / (hi - lo), 1e-6);
            }
        }
    }
}

// The offsets of "12 months" grow by eleven additions of height / 11; the
// twelfth line exists only if that sum does not pass the bottom edge. Eleven
// additions of 7/11 overshoot 7 by one unit in the last place.
struct MonthsCase {
    double top;
    double height;
    int lines;
};

class TwelveMonthsOrdinate : public testing::TestWithParam<MonthsCase> {};

TEST_P(TwelveMonthsOrdinate, LastLineOnlyWhenTheSumStaysInside) {
    const MonthsCase& c = GetParam();
    test::Rig rig;
    RecordingTarget target(Unit::Centimetre);
    rig.draw(target, false, 3, 0, Rect{1, c.top, 10, c.height});
    const test::AxisDrawing drawing = test::splitAxis(target);
    ASSERT_EQ(drawing.lines.size(), static_cast<std::size_t>(c.lines));
    ASSERT_EQ(drawing.labels.size(), static_cast<std::size_t>(c.lines));
    const double halfHeight = convert(test::kLabelHeightInches, Unit::Inch, Unit::Centimetre) / 2;
    for (int k = 0; k < c.lines; ++k) {
        SCOPED_TRACE(testing::Message() << "month " << k + 1);
        const auto& line = drawing.lines[static_cast<std::size_t>(k)];
        const auto& label = drawing.labels[static_cast<std::size_t>(k)];
        const double y = c.top + c.height * k / 11;
        EXPECT_NEAR(line.y1, y, 1e-5);
        EXPECT_NEAR(line.x1, 1, 1e-6);
        EXPECT_NEAR(line.x2, 11, 1e-6);
        EXPECT_EQ(label.text.toStdString(), std::to_string(k + 1));
        EXPECT_NEAR(label.x, 11, 1e-6);
        EXPECT_NEAR(label.y, y - halfHeight, 1e-5);
        EXPECT_EQ(label.fontSize, 6);
    }
    test::expectBorders(drawing, false, 1, c.top, 11, c.top + c.height, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Table, TwelveMonthsOrdinate,
                         testing::Values(MonthsCase{0, 5.5, 12}, MonthsCase{1, 5.5, 12},
                                         MonthsCase{0, 7, 11}, MonthsCase{2.5, 8, 11}));

}  // namespace
}  // namespace lattora
