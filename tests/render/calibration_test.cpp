// The calibration page as recorded: rules of the right length in either sheet
// unit, their ticks and numbers, the square, the captions, the corrections
// applied as the grid applies them, and the page within an A5 printable area.
#include "render/calibration.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

#include "render/recordingtarget.h"
#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "tests/render/gridtest.h"

namespace lattora {
namespace {

using Line = RecordingTarget::LineCall;
using Label = RecordingTarget::LabelCall;

constexpr double kTolerance = 1e-9;

// Millimetres in `unit`, written out from the unit definitions.
double mm(double millimetres, int unit) {
    return test::convert(millimetres, Unit::Millimetre, unit);
}

bool isHorizontal(const Line& line) {
    return line.y1 == line.y2 && line.x1 != line.x2;
}

bool isVertical(const Line& line) {
    return line.x1 == line.x2 && line.y1 != line.y2;
}

double lengthOf(const Line& line) {
    return std::hypot(line.x2 - line.x1, line.y2 - line.y1);
}

// A rule as drawn: its line and the ticks that stand on it, in drawing order.
struct DrawnRule {
    Line line;
    std::vector<Line> ticks;
    // From the rule's start: x of a horizontal rule, y of a vertical one.
    double start() const { return horizontal() ? line.x1 : line.y1; }
    double end() const { return horizontal() ? line.x2 : line.y2; }
    bool horizontal() const { return isHorizontal(line); }
};

// The one rule running across (or down) whose line is `length` long give or
// take `slack` (the corrections), with every perpendicular line that starts
// on it.
DrawnRule findRule(const RecordingTarget& target, bool horizontal, double length, double slack) {
    slack = std::max(slack, kTolerance);
    DrawnRule rule{};
    int found = 0;
    for (const Line& line : target.lines()) {
        if ((horizontal ? isHorizontal(line) : isVertical(line)) &&
            std::fabs(lengthOf(line) - length) <= slack) {
            rule.line = line;
            ++found;
        }
    }
    EXPECT_EQ(found, 1) << (horizontal ? "horizontal" : "vertical") << " rule of " << length;
    for (const Line& line : target.lines()) {
        if (horizontal && isVertical(line) && line.y1 == rule.line.y1 &&
            line.x1 >= rule.line.x1 - kTolerance && line.x1 <= rule.line.x2 + kTolerance) {
            rule.ticks.push_back(line);
        }
        if (!horizontal && isHorizontal(line) && line.x1 == rule.line.x1 &&
            line.y1 >= rule.line.y1 - kTolerance && line.y1 <= rule.line.y2 + kTolerance) {
            rule.ticks.push_back(line);
        }
    }
    return rule;
}

struct RuleKind {
    const char* name;
    double lengthMm;
    int steps;               // ticks less one
    std::vector<int> long_;  // the steps whose ticks are the longest
    int numbers;             // how many ticks carry a number
    double lastNumber;
};

const RuleKind kMillimetreRule{"100 mm", 100, 100, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100},
                               11,       100};
const RuleKind kInchRule{"4 in", 101.6, 32, {0, 8, 16, 24, 32}, 5, 4};

struct PageCase {
    int unit;
    double h;  // corrections, in `unit`
    double v;
};

void PrintTo(const PageCase& c, std::ostream* out) {
    *out << (c.unit == Unit::Centimetre ? "cm" : "in") << ", h " << c.h << ", v " << c.v;
}

std::vector<PageCase> pageCases() {
    return {{Unit::Centimetre, 0, 0},
            {Unit::Inch, 0, 0},
            {Unit::Centimetre, 0.01, -0.005},
            {Unit::Inch, 0.01, -0.005},
            {Unit::Centimetre, -0.01, 0.01}};
}

std::string caseName(const testing::TestParamInfo<PageCase>& info) {
    const PageCase& c = info.param;
    return std::string(c.unit == Unit::Centimetre ? "cm" : "in") +
           (c.h == 0 && c.v == 0 ? "" : "_corrected" + std::to_string(info.index));
}

class CalibrationPage : public testing::TestWithParam<PageCase> {
protected:
    RecordingTarget draw() const {
        RecordingTarget target(GetParam().unit);
        DrawCalibrationPage(target, GetParam().h, GetParam().v);
        return target;
    }
    // How far a length may differ from its nominal value under the corrections.
    double slack() const {
        return std::max(std::fabs(GetParam().h) + std::fabs(GetParam().v), kTolerance);
    }
};

TEST_P(CalibrationPage, RulesHaveTheirLengthAndEvenlySpreadTicks) {
    const PageCase& c = GetParam();
    const RecordingTarget target = draw();
    for (const bool horizontal : {true, false}) {
        const double correction = horizontal ? c.h : c.v;
        for (const RuleKind* kind : {&kMillimetreRule, &kInchRule}) {
            SCOPED_TRACE(testing::Message() << kind->name << (horizontal ? " across" : " down"));
            const double length = mm(kind->lengthMm, c.unit);
            const DrawnRule rule = findRule(target, horizontal, length, slack());
            // The near end moves by the correction and the far end by twice it,
            // so the rule is one correction longer.
            EXPECT_NEAR(rule.end() - rule.start(), length + correction, kTolerance);
            ASSERT_EQ(static_cast<int>(rule.ticks.size()), kind->steps + 1);
            double longest = 0;
            for (const Line& tick : rule.ticks) {
                longest = std::max(longest, lengthOf(tick));
            }
            for (int step = 0; step <= kind->steps; ++step) {
                const Line& tick = rule.ticks[static_cast<std::size_t>(step)];
                const double expected =
                    rule.start() + (rule.end() - rule.start()) * step / kind->steps;
                EXPECT_NEAR(horizontal ? tick.x1 : tick.y1, expected, kTolerance) << step;
                const bool isLong = std::count(kind->long_.begin(), kind->long_.end(), step) > 0;
                if (isLong) {
                    EXPECT_DOUBLE_EQ(lengthOf(tick), longest) << step;
                } else {
                    EXPECT_LT(lengthOf(tick), longest) << step;
                }
            }
        }
    }
}

TEST_P(CalibrationPage, FiveAndTenMillimetreTicksStandOut) {
    const PageCase& c = GetParam();
    const RecordingTarget target = draw();
    const DrawnRule rule = findRule(target, true, mm(100, c.unit), slack());
    ASSERT_EQ(rule.ticks.size(), 101u);
    const double tick1 = lengthOf(rule.ticks[1]);
    const double tick5 = lengthOf(rule.ticks[5]);
    const double tick10 = lengthOf(rule.ticks[10]);
    EXPECT_LT(tick1, tick5);
    EXPECT_LT(tick5, tick10);
    for (int step = 0; step <= 100; ++step) {
        const double expected = step % 10 == 0 ? tick10 : step % 5 == 0 ? tick5 : tick1;
        EXPECT_DOUBLE_EQ(lengthOf(rule.ticks[static_cast<std::size_t>(step)]), expected) << step;
    }
}

TEST_P(CalibrationPage, NumbersSitCentredUnderTheirTicks) {
    const PageCase& c = GetParam();
    const RecordingTarget target = draw();
    for (const RuleKind* kind : {&kMillimetreRule, &kInchRule}) {
        SCOPED_TRACE(kind->name);
        const DrawnRule rule = findRule(target, true, mm(kind->lengthMm, c.unit), slack());
        ASSERT_EQ(static_cast<int>(rule.ticks.size()), kind->steps + 1);
        const int stepsPerNumber = kind->steps / (kind->numbers - 1);
        for (int n = 0; n < kind->numbers; ++n) {
            const double value = kind->lastNumber * n / (kind->numbers - 1);
            const Line& tick = rule.ticks[static_cast<std::size_t>(n * stepsPerNumber)];
            const double tickBottom = std::max(tick.y1, tick.y2);
            // One label of this number whose printed box is centred on the
            // tick and starts just below the tick's end, clear of it.
            int found = 0;
            for (const Label& label : target.labels()) {
                RecordingTarget measure(c.unit);
                measure.FontSize(label.fontSize);
                const double centre = label.x + measure.TextWidth(printedText(value)) / 2;
                found += !label.isText && label.number == value &&
                         std::fabs(centre - tick.x1) < kTolerance && label.y > tickBottom &&
                         label.y < tickBottom + mm(2, c.unit);
            }
            EXPECT_EQ(found, 1) << value;
        }
    }
}

TEST_P(CalibrationPage, LabelsNameEveryPart) {
    const RecordingTarget target = draw();
    std::vector<QString> texts;
    std::vector<double> numbers;
    for (const Label& label : target.labels()) {
        if (label.isText) {
            texts.push_back(label.text);
        } else {
            numbers.push_back(label.number);
        }
    }
    const auto count = [&](const QString& text) {
        return std::count(texts.begin(), texts.end(), text);
    };
    EXPECT_EQ(count(QStringLiteral("100 mm")), 2);
    EXPECT_EQ(count(QStringLiteral("4 in")), 2);
    EXPECT_EQ(count(QStringLiteral("50 mm square")), 1);
    EXPECT_EQ(count(QStringLiteral("Lattora calibration page")), 1);
    // Each number once on the millimetre rules (0 and 10 ... 100) and on the
    // inch rules (0 to 4), across and down: 0 four times, 1 to 4 twice, the
    // tens twice.
    std::vector<double> expected;
    for (int copy = 0; copy < 2; ++copy) {
        for (int n = 0; n <= 100; n += 10) {
            expected.push_back(n);
        }
        for (int n = 0; n <= 4; ++n) {
            expected.push_back(n);
        }
    }
    std::sort(expected.begin(), expected.end());
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, expected);
}

TEST_P(CalibrationPage, TheSquareHasFiftyMillimetreSidesMovedLikeTheGrid) {
    const PageCase& c = GetParam();
    const RecordingTarget uncorrected = [&] {
        RecordingTarget target(c.unit);
        DrawCalibrationPage(target, 0, 0);
        return target;
    }();
    const auto outline = [&](const RecordingTarget& target) {
        std::vector<Line> sides;
        for (const Line& line : target.lines()) {
            // The outline is drawn in black; its inner grid is lighter.
            if (line.colour == 0 && std::fabs(lengthOf(line) - mm(50, c.unit)) <= slack()) {
                sides.push_back(line);
            }
        }
        return sides;
    };
    struct Box {
        double left = std::numeric_limits<double>::max();
        double top = std::numeric_limits<double>::max();
        double right = std::numeric_limits<double>::lowest();
        double bottom = std::numeric_limits<double>::lowest();
    };
    const auto boxOf = [](const std::vector<Line>& sides) {
        Box box;
        for (const Line& line : sides) {
            box.left = std::min({box.left, line.x1, line.x2});
            box.right = std::max({box.right, line.x1, line.x2});
            box.top = std::min({box.top, line.y1, line.y2});
            box.bottom = std::max({box.bottom, line.y1, line.y2});
        }
        return box;
    };
    const std::vector<Line> sides = outline(draw());
    ASSERT_EQ(sides.size(), 4u);
    EXPECT_EQ(std::count_if(sides.begin(), sides.end(), isHorizontal), 2);
    EXPECT_EQ(std::count_if(sides.begin(), sides.end(), isVertical), 2);
    const Box box = boxOf(sides);
    const Box plain = boxOf(outline(uncorrected));
    EXPECT_NEAR(plain.right - plain.left, mm(50, c.unit), kTolerance);
    EXPECT_NEAR(plain.bottom - plain.top, mm(50, c.unit), kTolerance);
    EXPECT_NEAR(box.left, plain.left + c.h, kTolerance);
    EXPECT_NEAR(box.right, plain.right + 2 * c.h, kTolerance);
    EXPECT_NEAR(box.top, plain.top + c.v, kTolerance);
    EXPECT_NEAR(box.bottom, plain.bottom + 2 * c.v, kTolerance);
}

TEST_P(CalibrationPage, RuleEndsMoveByTheCorrectionAndTwiceIt) {
    const PageCase& c = GetParam();
    RecordingTarget plain(c.unit);
    DrawCalibrationPage(plain, 0, 0);
    const RecordingTarget corrected = draw();
    for (const bool horizontal : {true, false}) {
        const double correction = horizontal ? c.h : c.v;
        for (const RuleKind* kind : {&kMillimetreRule, &kInchRule}) {
            SCOPED_TRACE(testing::Message() << kind->name << (horizontal ? " across" : " down"));
            const double length = mm(kind->lengthMm, c.unit);
            const DrawnRule before = findRule(plain, horizontal, length, 0);
            const DrawnRule after = findRule(corrected, horizontal, length, slack());
            EXPECT_NEAR(before.end() - before.start(), length, kTolerance);
            EXPECT_NEAR(after.start(), before.start() + correction, kTolerance);
            EXPECT_NEAR(after.end(), before.end() + 2 * correction, kTolerance);
            // Across the rule nothing moves.
            EXPECT_EQ(horizontal ? after.line.y1 : after.line.x1,
                      horizontal ? before.line.y1 : before.line.x1);
        }
    }
}

// The rules are in the same place in either unit: the horizontal 100 mm rule
// starts 15 mm right of and 15 mm below the printable area's corner.
TEST_P(CalibrationPage, TheFirstRuleStartsFifteenMillimetresIn) {
    const PageCase& c = GetParam();
    const DrawnRule rule = findRule(draw(), true, mm(100, c.unit), slack());
    EXPECT_NEAR(rule.line.x1, mm(15, c.unit) + c.h, kTolerance);
    EXPECT_NEAR(rule.line.y1, mm(15, c.unit), kTolerance);
}

// Every line and every label box (by the recording's own text model) within
// the printable area of A5 paper with 5 mm margins: 138 x 200 mm.
TEST_P(CalibrationPage, FitsTheA5PrintableArea) {
    const PageCase& c = GetParam();
    const RecordingTarget target = draw();
    const double right = mm(138, c.unit);
    const double bottom = mm(200, c.unit);
    for (const Line& line : target.lines()) {
        for (const double x : {line.x1, line.x2}) {
            EXPECT_GE(x, 0);
            EXPECT_LE(x, right);
        }
        for (const double y : {line.y1, line.y2}) {
            EXPECT_GE(y, 0);
            EXPECT_LE(y, bottom);
        }
    }
    for (const Label& label : target.labels()) {
        RecordingTarget measure(c.unit);
        measure.FontSize(label.fontSize);
        const QString shown = label.isText ? label.text : printedText(label.number);
        EXPECT_GE(label.x, 0) << label.text.toStdString();
        EXPECT_GE(label.y, 0) << label.text.toStdString();
        EXPECT_LE(label.x + measure.TextWidth(shown), right) << label.text.toStdString();
        EXPECT_LE(label.y + measure.TextHeight(shown), bottom) << label.text.toStdString();
    }
}

// No line runs through a label's box, so the numbers and captions read
// cleanly.
TEST_P(CalibrationPage, LabelsStayClearOfTheLines) {
    const PageCase& c = GetParam();
    const RecordingTarget target = draw();
    for (const Label& label : target.labels()) {
        RecordingTarget measure(c.unit);
        measure.FontSize(label.fontSize);
        const QString shown = label.isText ? label.text : printedText(label.number);
        const double left = label.x;
        const double top = label.y;
        const double right = left + measure.TextWidth(shown);
        const double bottom = top + measure.TextHeight(shown);
        for (const Line& line : target.lines()) {
            const bool crosses =
                std::max(line.x1, line.x2) > left && std::min(line.x1, line.x2) < right &&
                std::max(line.y1, line.y2) > top && std::min(line.y1, line.y2) < bottom;
            EXPECT_FALSE(crosses) << label.text.toStdString() << " and the line " << line.x1 << ","
                                  << line.y1 << " " << line.x2 << "," << line.y2;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Units, CalibrationPage, testing::ValuesIn(pageCases()), caseName);

TEST(CalibrationPageTitle, ShowsTheCorrectionsAsSliderPositions) {
    const struct {
        double h, v;
        const char* expected;
    } cases[] = {
        {0, 0, "horizontal correction 0, vertical correction 0"},
        {0.01, -0.005, "horizontal correction 10, vertical correction -5"},
        {-0.003, 0.007, "horizontal correction -3, vertical correction 7"},
    };
    for (const auto& c : cases) {
        RecordingTarget target(Unit::Centimetre);
        DrawCalibrationPage(target, c.h, c.v);
        int found = 0;
        for (const Label& label : target.labels()) {
            found += label.isText && label.text == QString::fromLatin1(c.expected);
        }
        EXPECT_EQ(found, 1) << c.expected;
    }
}

TEST(CalibrationPageMillimetres, HundredMillimetresAreTenCentimetresAndAbout3937Inches) {
    RecordingTarget centimetres(Unit::Centimetre);
    RecordingTarget inches(Unit::Inch);
    DrawCalibrationPage(centimetres, 0, 0);
    DrawCalibrationPage(inches, 0, 0);
    const DrawnRule cm = findRule(centimetres, true, 10, 0);
    const DrawnRule in = findRule(inches, true, 100 / 25.4, 0);
    EXPECT_NEAR(cm.end() - cm.start(), 10, 1e-12);
    EXPECT_NEAR(in.end() - in.start(), 3.937007874015748, 1e-12);
    // The 4-inch rule is exactly 4 inches in the inch unit.
    const DrawnRule four = findRule(inches, true, 4, 0);
    EXPECT_NEAR(four.end() - four.start(), 4, 1e-12);
}

// The page applies a correction exactly as the grid does: a grid drawn over
// the uncorrected span of a rule has its borders where the corrected rule
// ends, and its evenly divided lines on the rule's ticks.
struct GridMatchCase {
    bool metric;
    bool isAbscissa;
    double h, v;
};

void PrintTo(const GridMatchCase& c, std::ostream* out) {
    *out << (c.metric ? "metric" : "imperial") << (c.isAbscissa ? " abscissa" : " ordinate")
         << ", h " << c.h << ", v " << c.v;
}

class CalibrationMatchesTheGrid : public testing::TestWithParam<GridMatchCase> {};

TEST_P(CalibrationMatchesTheGrid, RuleEndsAreTheGridBorders) {
    const GridMatchCase& c = GetParam();
    const int unit = c.metric ? Unit::Centimetre : Unit::Inch;
    const double length = mm(100, unit);
    RecordingTarget plain(unit);
    DrawCalibrationPage(plain, 0, 0);
    RecordingTarget corrected(unit);
    DrawCalibrationPage(corrected, c.h, c.v);
    const DrawnRule before = findRule(plain, c.isAbscissa, length, 0);
    const DrawnRule after =
        findRule(corrected, c.isAbscissa, length, std::fabs(c.h) + std::fabs(c.v));

    test::Rig rig(c.metric);
    RecordingTarget grid(unit);
    // The abscissa's vertical lines span a horizontal rule, the ordinate's
    // horizontal lines a vertical one.
    const test::Rect area = c.isAbscissa ? test::Rect{before.start(), 1, length, 5}
                                         : test::Rect{1, before.start(), 5, length};
    rig.draw(grid, c.isAbscissa, Family::NDivided, -1, area, 100, c.h, c.v);
    const test::AxisDrawing drawing = test::splitAxis(grid);
    ASSERT_EQ(drawing.borders.size(), 2u);
    EXPECT_NEAR(test::along(drawing.borders[0], c.isAbscissa), after.start(), 1e-6);
    EXPECT_NEAR(test::along(drawing.borders[1], c.isAbscissa), after.end(), 1e-6);
    ASSERT_GE(drawing.lines.size(), 100u);
    ASSERT_EQ(after.ticks.size(), 101u);
    for (std::size_t i = 0; i < 100; ++i) {
        EXPECT_NEAR(test::along(drawing.lines[i], c.isAbscissa),
                    c.isAbscissa ? after.ticks[i].x1 : after.ticks[i].y1, 1e-5)
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Corrections, CalibrationMatchesTheGrid,
                         testing::Values(GridMatchCase{true, true, 0.01, -0.005},
                                         GridMatchCase{true, false, 0.01, -0.005},
                                         GridMatchCase{false, true, -0.004, 0.01},
                                         GridMatchCase{false, false, -0.004, 0.01}));

TEST(CalibrationPageErrors, RefusesACorrectionThatIsNotANumber) {
    RecordingTarget target(Unit::Centimetre);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(DrawCalibrationPage(target, nan, 0), Error);
    EXPECT_THROW(DrawCalibrationPage(target, 0, inf), Error);
    EXPECT_TRUE(target.calls().empty());
}

}  // namespace
}  // namespace lattora
