// One call of the grid renderer as a whole: graduation corrections, the unit
// system, what is drawn for arguments outside the catalogue, and how failures
// leave the target.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <utility>

#include "render/graph.h"
#include "render/recordingtarget.h"
#include "sheet/error.h"
#include "tests/render/gridtest.h"

namespace lattora {
namespace {

using test::Rect;

// --- Corrections -------------------------------------------------------------

struct Edges {
    double left, top, right, bottom;
};

struct CorrectionCase {
    bool isAbscissa;
    double hCorrection;
    double vCorrection;
    Rect area;       // cm
    Edges expected;  // as drawn, cm
};

class Corrections : public testing::TestWithParam<CorrectionCase> {};

TEST_P(Corrections, MoveTheNearEdgeOnceAndTheFarEdgeTwice) {
    const CorrectionCase& c = GetParam();
    test::Rig rig;
    const Rect callerArea = c.area;
    RecordingTarget first(Unit::Centimetre);
    rig.draw(first, c.isAbscissa, 0, 3, callerArea, 30, c.hCorrection, c.vCorrection);
    const test::AxisDrawing drawing = test::splitAxis(first);
    const Edges& e = c.expected;
    test::expectBorders(drawing, c.isAbscissa, e.left, e.top, e.right, e.bottom, 1e-6);
    // The 10 mm scale starts on the corrected near edge.
    ASSERT_FALSE(drawing.lines.empty());
    EXPECT_NEAR(test::along(drawing.lines.front(), c.isAbscissa), c.isAbscissa ? e.left : e.top,
                1e-6);

    // Nothing is carried over: the same call draws the same again.
    RecordingTarget second(Unit::Centimetre);
    rig.draw(second, c.isAbscissa, 0, 3, callerArea, 30, c.hCorrection, c.vCorrection);
    EXPECT_EQ(second.trace(), first.trace());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Corrections,
    testing::Values(
        // The left border at 2.002, the right one at 2 + 15 + 2·0.002.
        CorrectionCase{true, 0.002, 0, {2, 3, 15, 10}, {2.002, 3, 17.004, 13}},
        CorrectionCase{true, 0.1, 0.2, {2, 3, 15, 10}, {2.1, 3.2, 17.2, 13.4}},
        CorrectionCase{false, 0, 0.5, {2, 3, 15, 10}, {2, 3.5, 17, 14}},
        CorrectionCase{false, 0.1, 0.2, {2, 3, 15, 10}, {2.1, 3.2, 17.2, 13.4}},
        CorrectionCase{false, -0.05, -0.1, {2, 3, 15, 10}, {1.95, 2.9, 16.9, 12.8}}));

// --- The unit system -----------------------------------------------------------

struct ScaleWordCase {
    std::optional<const char*> word;  // empty: no "Scale" key at all
    bool metric;
};

class UnitSystemWord : public testing::TestWithParam<ScaleWordCase> {};

TEST_P(UnitSystemWord, OnlyTheExactWordMetricMeansCentimetres) {
    const ScaleWordCase& c = GetParam();
    test::Rig rig;
    rig.store.remove(Key::Scale);
    if (c.word) {
        rig.store.saveSetting(Key::Scale, QString::fromLatin1(*c.word));
    }
    RecordingTarget target(Unit::Centimetre);
    rig.draw(target, true, 0, 0, Rect{1, 1, 2, 2});
    const test::AxisDrawing drawing = test::splitAxis(target);
    const double inch = c.metric ? 1 : 2.54;
    test::expectBorders(drawing, true, inch, inch, 3 * inch, 3 * inch, 1e-5);
    // The widths follow the same system: under the imperial defaults every
    // millimetre line is heavy; under the metric ones the fifth is the first
    // light line.
    const std::string classes = test::classPattern(drawing.lines);
    EXPECT_EQ(classes.substr(0, 5), c.metric ? "SSSSL" : "HHHHH");
}

INSTANTIATE_TEST_SUITE_P(Table, UnitSystemWord,
                         testing::Values(ScaleWordCase{"Metric", true},
                                         ScaleWordCase{"metric", false},
                                         ScaleWordCase{"METRIC", false},
                                         ScaleWordCase{" Metric", false},
                                         ScaleWordCase{"Imperial", false}, ScaleWordCase{"", false},
                                         ScaleWordCase{std::nullopt, false}));

// --- Arguments outside the catalogue --------------------------------------------

struct OutsideCase {
    const char* name;
    int family;
    int item;
    double divisions;
    bool borders;
};

class OutsideTheCatalogue : public testing::TestWithParam<OutsideCase> {};

TEST_P(OutsideTheCatalogue, DrawsTheBordersAloneOrNothing) {
    const OutsideCase& c = GetParam();
    for (const bool isAbscissa : {true, false}) {
        SCOPED_TRACE(isAbscissa ? "abscissa" : "ordinate");
        test::Rig rig;
        RecordingTarget target(Unit::Centimetre);
        rig.draw(target, isAbscissa, c.family, c.item, Rect{2, 3, 15, 10}, c.divisions);
        if (!c.borders) {
            EXPECT_TRUE(target.calls().empty());
            continue;
        }
        EXPECT_TRUE(target.labels().empty());
        ASSERT_EQ(target.lines().size(), 2u);
        test::expectBorders(test::splitAxis(target), isAbscissa, 2, 3, 17, 13, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, OutsideTheCatalogue,
                         testing::Values(OutsideCase{"Family8", 8, 0, 30, false},
                                         OutsideCase{"FamilyMinus1", -1, 0, 30, false},
                                         OutsideCase{"Family100", 100, 0, 30, false},
                                         OutsideCase{"NDividedZero", 2, -1, 0, true},
                                         OutsideCase{"NDividedNegative", 2, -1, -3, true},
                                         OutsideCase{"NDividedNegativeFraction", 2, -1, -0.5, true},
                                         OutsideCase{"MetricItem4", 0, 4, 30, true},
                                         OutsideCase{"MetricItemMinus1", 0, -1, 30, true},
                                         OutsideCase{"ImperialItem6", 1, 6, 30, true},
                                         OutsideCase{"TimeItem4", 3, 4, 30, true},
                                         OutsideCase{"LogarithmicItem6", 4, 6, 30, true},
                                         OutsideCase{"QuadraticItem3", 5, 3, 30, true},
                                         OutsideCase{"SquareRootItemMinus1", 6, -1, 30, true},
                                         OutsideCase{"ProbabilityItem2", 7, 2, 30, true}),
                         [](const testing::TestParamInfo<OutsideCase>& info) {
                             return std::string(info.param.name);
                         });

// A pitch taken from an empty or inverted extent never advances towards the
// far edge; the call must still end.
TEST(DegenerateArea, ZeroOrNegativeExtentsOfDividedScalesDrawTheBordersOnly) {
    for (const double extent : {0.0, -5.0}) {
        for (const auto& [family, item] : {std::pair{2, -1}, std::pair{3, 0}}) {
            for (const bool isAbscissa : {true, false}) {
                SCOPED_TRACE(testing::Message() << "extent " << extent << ", family " << family
                                                << (isAbscissa ? ", abscissa" : ", ordinate"));
                test::Rig rig;
                RecordingTarget target(Unit::Centimetre);
                rig.draw(target, isAbscissa, family, item, Rect{2, 3, extent, extent});
                EXPECT_EQ(target.lines().size(), 2u);
                EXPECT_TRUE(target.labels().empty());
            }
        }
    }
}

// --- Too many lines ------------------------------------------------------------

TEST(LineLimit, AnAxisOfMoreThanTheLimitRaisesBeforeDrawing) {
    struct Case {
        const char* name;
        int family;
        int item;
        Rect area;
        double divisions;
    };
    const Case cases[] = {
        {"a thousand million divisions", 2, -1, {1, 1, 10, 10}, 1e9},
        {"divisions beyond any count", 2, -1, {1, 1, 10, 10}, 1e300},
        {"1 mm over a kilometre", 0, 0, {1, 1, 100000, 100000}, 30},
        // 100000.5 mm holds 100001 lines of 1 mm.
        {"one line too many", 0, 0, {0, 0, 10000.05, 10000.05}, 30},
    };
    for (const Case& c : cases) {
        for (const bool isAbscissa : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << c.name << (isAbscissa ? ", abscissa" : ", ordinate"));
            test::Rig rig;
            RecordingTarget target(Unit::Centimetre);
            try {
                rig.draw(target, isAbscissa, c.family, c.item, c.area, c.divisions);
                ADD_FAILURE() << "no Error raised";
            } catch (const Error& error) {
                EXPECT_EQ(error.description(), QStringLiteral("Too many grid lines"));
            }
            EXPECT_TRUE(target.calls().empty());
        }
    }
}

TEST(LineLimit, AnAxisOfExactlyTheLimitIsDrawn) {
    test::Rig rig;
    RecordingTarget target(Unit::Centimetre);
    // 99999.5 mm holds lines at 0 ... 99999 mm.
    rig.draw(target, true, 0, 0, Rect{0, 0, 9999.95, 1});
    EXPECT_EQ(target.lines().size(), static_cast<std::size_t>(kMaxLinesPerAxis) + 2);
}

// With an exact pitch the far edge gets its line: 8 divisions give 9 lines.
TEST(DividedScale, TheFarEdgeGetsALineWhenThePitchIsExact) {
    for (const bool isAbscissa : {true, false}) {
        test::Rig rig;
        RecordingTarget target(Unit::Centimetre);
        rig.draw(target, isAbscissa, 2, -1, Rect{1, 1, 2, 2}, 8);
        const std::vector<double> drawn =
            test::positions(test::splitAxis(target).lines, isAbscissa);
        EXPECT_EQ(drawn, (std::vector<double>{1, 1.25, 1.5, 1.75, 2, 2.25, 2.5, 2.75, 3}));
    }
}

// A count so small that the pitch is beyond any number is a failure, not an
// empty sheet.
TEST(DividedScale, APitchBeyondAnyNumberRaises) {
    test::Rig rig;
    RecordingTarget target(Unit::Centimetre);
    try {
        rig.draw(target, true, 2, -1, Rect{1, 1, 2, 2}, 1e-320);
        ADD_FAILURE() << "no Error raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.description(), QStringLiteral("Overflow"));
    }
    EXPECT_TRUE(target.calls().empty());
}

// --- Failures --------------------------------------------------------------------

TEST(Failures, NonFiniteArgumentsRaiseBeforeDrawing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const char* names[] = {"left",      "top",         "width",      "height",
                           "divisions", "hCorrection", "vCorrection"};
    for (std::size_t which = 0; which < std::size(names); ++which) {
        for (const double bad : {nan, inf, -inf}) {
            SCOPED_TRACE(testing::Message() << names[which] << " = " << bad);
            double args[] = {2, 3, 15, 10, 30, 0, 0};
            args[which] = bad;
            test::Rig rig;
            RecordingTarget target(Unit::Centimetre);
            // "N divided" is the family that reads the divisions.
            EXPECT_THROW(rig.graph.DrawAxisGrid(target, true, 2, -1, args[0], args[1], args[2],
                                                args[3], args[4], args[5], args[6]),
                         Error);
            EXPECT_TRUE(target.calls().empty());
        }
    }
}

TEST(Failures, WidthTextsThatAreNotNumbersRaiseBeforeDrawing) {
    struct Case {
        const QString& key;
        const char* text;
    };
    const Case cases[] = {{Key::StyleWidthHeavy, "abc"},
                          {Key::StyleWidthMedium, ""},
                          {Key::StyleWidthLight, "1,5"},
                          {Key::StyleWidthHeavy, "13 mm"}};
    for (const Case& c : cases) {
        for (const bool metric : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.key.toStdString() << " = \"" << c.text << "\"");
            test::Rig rig(metric);
            rig.store.saveSetting(c.key, QString::fromLatin1(c.text));
            RecordingTarget target(Unit::Centimetre);
            try {
                rig.draw(target, true, 0, 0, Rect{2, 3, 15, 10});
                ADD_FAILURE() << "no Error raised";
            } catch (const Error& error) {
                EXPECT_TRUE(error.description().contains(QString::fromLatin1(c.text)))
                    << error.description().toStdString();
            }
            EXPECT_TRUE(target.calls().empty());
        }
    }
}

// Limits that cannot be read stop the call where it stands: the lines already
// drawn stay, the rest and the borders are not drawn.
TEST(Failures, AFailureMidwayKeepsWhatWasDrawn) {
    class FailingLimits : public FixedInputs {
    public:
        FailingLimits() : FixedInputs(test::classColours(), test::noSubdivision()) {}
        SubdivisionLimits subdivisionLimits() const override {
            if (++reads_ > 3) {
                throw Error(QStringLiteral("Type mismatch"));
            }
            return FixedInputs::subdivisionLimits();
        }

    private:
        mutable int reads_ = 0;
    };
    test::MemoryStore store;
    const FailingLimits inputs;
    const Graph graph(store, inputs);
    RecordingTarget target(Unit::Centimetre);
    EXPECT_THROW(graph.DrawAxisGrid(target, true, 5, 0, 2, 3, 10, 10, 30, 0, 0), Error);
    // Three main lines of "0 to 10", each with its label; no borders.
    EXPECT_EQ(target.lines().size(), 3u);
    EXPECT_EQ(target.labels().size(), 3u);
}

TEST(LogLogTransform, ValuesInsideTheDomainErrorOutside) {
    const std::pair<double, double> values[] = {{0.5, -0.36651292058166435},  // ln(ln 2)
                                                {1 - 1 / std::numbers::e, 0},
                                                {1 - std::exp(-std::numbers::e), 1},
                                                {0.999, std::log(std::log(1000.0))}};
    for (const auto& [q, expected] : values) {
        EXPECT_NEAR(LogLogTransform(q), expected, 1e-12) << "q = " << q;
    }
    const std::pair<double, const char*> outside[] = {
        {0.0, "Invalid procedure call"},   {1.0, "Division by zero"},
        {1.5, "Invalid procedure call"},   {-0.2, "Invalid procedure call"},
        {1e-20, "Invalid procedure call"},  // 1 - q rounds to 1: the inner log is 0
    };
    for (const auto& [q, message] : outside) {
        SCOPED_TRACE(testing::Message() << "q = " << q);
        try {
            LogLogTransform(q);
            ADD_FAILURE() << "no Error raised";
        } catch (const Error& error) {
            EXPECT_TRUE(error.description().startsWith(QString::fromLatin1(message)))
                << error.description().toStdString();
        }
    }
}

// --- Target state ------------------------------------------------------------------

TEST(TargetState, FontSizeIsLeftAtSixOnlyByLabelledScales) {
    test::Rig rig;
    RecordingTarget labelled(Unit::Centimetre);
    labelled.FontSize(11);
    rig.draw(labelled, true, 3, 0, Rect{2, 3, 15, 10});
    EXPECT_EQ(labelled.fontSize(), 6);

    RecordingTarget unlabelled(Unit::Centimetre);
    unlabelled.FontSize(11);
    rig.draw(unlabelled, true, 0, 0, Rect{2, 3, 15, 10});
    EXPECT_TRUE(unlabelled.labels().empty());
    EXPECT_EQ(unlabelled.fontSize(), 11);
}

}  // namespace
}  // namespace lattora
