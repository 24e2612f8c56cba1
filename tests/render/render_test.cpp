// The renderer drawn on the recording target: unit conversions, the lines,
// classes and labels of every scale, the edge rules of one axis call, a whole
// sheet and the calibration page. Properties that hold for any input (finite
// lines between the borders, a bounded count) are left to tests/fuzz.
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "render/calibration.h"
#include "render/graph.h"
#include "render/recordingtarget.h"
#include "render/sheetdrawing.h"
#include "sheet/error.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

using Line = RecordingTarget::LineCall;
using Label = RecordingTarget::LabelCall;
constexpr int Tw = Unit::Twip, Px = Unit::Pixel, In = Unit::Inch, Mm = Unit::Millimetre,
              Cm = Unit::Centimetre;
const double kNaN = std::nan(""), kInf = std::numeric_limits<double>::infinity();

// Unit sizes written out from their definitions, not taken from the program.
double perInch(int unit, double dpi = 96) {
    return unit == Tw ? 1440 : unit == Px ? dpi : unit == In ? 1 : unit == Mm ? 25.4 : 2.54;
}

// One colour a line class, so that a recorded colour names its class.
const LineColors kClassColours{'H', 'M', 'L', 'S', {}};

// A renderer over an in-memory store; no subdivisions unless a test sets
// limits. Widths are "heavy medium light" as stored, "-" absent. Areas are
// square: both edges start at `start`.
struct Rig {
    test::MemoryStore store;
    FixedInputs inputs;
    Graph graph{store, inputs};

    explicit Rig(bool metric = true, const char* widths = "- - -",
                 SubdivisionLimits limits = {1e30f, 1e30f, 1e30f})
        : inputs(kClassColours, limits) {
        store.saveSetting(Key::Scale, metric ? kMetricWord : kImperialWord);
        const QStringList w = QString::fromLatin1(widths).split(u' ');
        const QString keys[] = {Key::StyleWidthHeavy, Key::StyleWidthMedium, Key::StyleWidthLight};
        for (int i = 0; i < 3; ++i)
            if (w[i] != u"-")
                store.saveSetting(keys[i], w[i]);
    }
    RecordingTarget on(int unit, bool across, int family, int item, double start, double extent,
                       double divisions = 8, double h = 0, double v = 0) const {
        RecordingTarget t(unit);
        graph.DrawAxisGrid(t, across, family, item, start, start, extent, extent, divisions, h, v);
        return t;
    }
};

const auto along = [](const Line& l, bool across) { return across ? l.x1 : l.y1; };

// The scale's own lines: all but the two borders drawn last.
std::vector<Line> scaleLines(const RecordingTarget& t) {
    const std::vector<Line> all = t.lines();
    return {all.begin(), all.end() - std::min<std::ptrdiff_t>(2, std::ssize(all))};
}

std::string classes(const std::vector<Line>& lines) {
    std::string s(lines.size(), ' ');
    std::transform(lines.begin(), lines.end(), s.begin(), [](const Line& l) { return l.colour; });
    return s;
}

// Conversions agree with the unit sizes in single precision on both axes; an
// unknown unit, a non-finite length or a result beyond single precision raises.
// Print writes a number with a blank for its sign and one after it, and moves
// past what it wrote.
TEST(DrawTarget, ConvertsLengthsBetweenUnits) {
    const std::tuple<double, int, int, double> rows[] = {
        {1, Mm, Cm, 96},  {1, In, Mm, 96},    {1, In, Tw, 96},    {2.54, Cm, In, 96},
        {1, In, Px, 300}, {600, Px, Tw, 600}, {150, Px, In, 300}, {-3, Mm, In, 96},
        {1, 4, In, 96},   {1, Px, In, 0},     {kNaN, In, In, 96}, {1e38, In, Tw, 96}};
    for (const auto& [length, from, to, dpi] : rows) {
        const double expected = length * perInch(to, dpi) / perInch(from, dpi);
        if (from == 4 || dpi == 0 || !(std::fabs(expected) < 1e38)) {
            EXPECT_THROW(convertLength(length, from, to, dpi), Error) << length << from << to;
            continue;
        }
        EXPECT_FLOAT_EQ(RecordingTarget(Cm, dpi).ScaleX(length, from, to), expected) << from << to;
        EXPECT_FLOAT_EQ(RecordingTarget(Cm, dpi).ScaleY(length, from, to), expected) << from << to;
    }
    RecordingTarget printed(In);  // at 8.25 pt: " 0 " is 3 characters of 0.6 em
    printed.Print(0);
    EXPECT_DOUBLE_EQ(printed.currentX(), 3 * 0.6 * 8.25 / 72);
}

// Every item of the catalogue on a metric sheet (cm) drawn on a millimetre
// target from 2 cm over 10 cm (a time scale over whole pitches): how many
// lines, the gap between the first two (cm), how many labels and the last,
// and the first classes. Square Root has no line at 0: its first sits at
// gap / (sqrt 2 - 1). "N divided" has 8 divisions. Probability tenths are
// summed in double precision and never land on a label, and its ordinate
// steps by whole points. Each label follows its line, centred below it on the
// abscissa, right of it and centred on it on the ordinate.
TEST(Graph, EveryScaleOfTheCatalogue) {
    const auto logLog = [](double q) { return std::log(std::log(1 / (1 - q))); };
    const double r2 = std::sqrt(2.0), r5 = std::sqrt(5.0), lg2 = std::log10(2.0);
    const double prob = 10 * (logLog(0.02) - logLog(0.01)) / (logLog(0.99) - logLog(0.01));
    const double tenth = 10 * (logLog(0.002) - logLog(0.001)) / (logLog(0.999) - logLog(0.001));
    const double point = 10 * (logLog(0.011) - logLog(0.001)) / (logLog(0.999) - logLog(0.001));
    struct Row {
        int f, i, count;
        double gap;
        int labels = 0, last = 0;
        const char* prefix = "";
    };
    // Fixed pitches first (a time scale labels every line with its number),
    // then main lines at computed offsets, labelled by step.
    // clang-format off
    const Row rows[] = {
        {0, 0, 101, 0.1, 0, 0},      {0, 1, 51, 0.2, 0, 0},       {0, 2, 21, 0.5, 0, 0},
        {0, 3, 11, 1, 0, 0},         {1, 0, 8, 2.54 / 2, 0, 0},   {1, 1, 63, 2.54 / 16, 0, 0},
        {1, 2, 48, 2.54 / 12, 0, 0}, {1, 3, 40, 2.54 / 10, 0, 0}, {1, 4, 32, 2.54 / 8, 0, 0},
        {1, 5, 16, 2.54 / 4, 0, 0},  {2, -1, 9, 1.25, 0, 0},      {3, 0, 12, 0.5, 12, 12},
        {3, 1, 31, 0.25, 31, 31},    {3, 2, 24, 0.25, 24, 24},    {3, 3, 60, 0.125, 60, 60},
        {4, 0, 11, 10 * lg2, 10, 10, ""},          {4, 1, 22, 5 * lg2, 20, 10, "LLLLLLLLLLML"},
        {4, 2, 33, 10 / 3.0 * lg2, 30, 10, ""},    {4, 3, 44, 2.5 * lg2, 40, 10, ""},
        {4, 4, 55, 2 * lg2, 50, 10, ""},           {4, 5, 66, 10 / 6.0 * lg2, 60, 10, ""},
        {5, 0, 11, 0.1, 11, 10, "MMMM"},           {5, 1, 21, 10 / 400.0, 5, 20, "MLLLLM"},
        {5, 2, 51, 10 / 2500.0, 6, 50, ""},        {6, 0, 10, (r2 - 1) * r2 * r5, 10, 10, "MMM"},
        {6, 1, 20, (r2 - 1) * r5, 4, 20, "LLLLM"}, {6, 2, 50, (r2 - 1) * r2, 5, 50, ""},
        {7, 0, 98, prob, 9, 90, "LLLLLLLLLM"},     {7, 1, 990, tenth, 0, 0, ""}};
    // clang-format on
    for (const Row& r : rows) {
        for (const bool across : {true, false}) {
            SCOPED_TRACE(testing::Message() << r.f << "/" << r.i << " " << across);
            const double ext = r.f == 3 ? r.gap * (r.count - 1) : 10, far = 20 + 10 * ext;
            const RecordingTarget t = Rig().on(Mm, across, r.f, r.i, 2, ext);
            const std::vector<Line> lines = scaleLines(t);
            const bool same = across || r.f != 7 || r.i != 1;
            ASSERT_EQ(static_cast<int>(lines.size()), same ? r.count : 99);
            EXPECT_NEAR(along(lines[0], across), 20 + (r.f == 6 ? 10 * r.gap / (r2 - 1) : 0), 1e-4);
            EXPECT_NEAR(along(lines[1], across) - along(lines[0], across),
                        10 * (same ? r.gap : point), 1e-4);
            EXPECT_EQ(classes(lines).substr(0, std::strlen(r.prefix)), r.prefix);
            ASSERT_EQ(static_cast<int>(t.labels().size()), r.labels);
            EXPECT_EQ(r.labels > 0 ? t.labels().back().text.toInt() : 0, r.last);
            for (std::size_t k = 1; k < t.calls().size(); ++k)
                if (const auto* l = std::get_if<Label>(&t.calls()[k])) {
                    // At 6 pt a character is 0.6 em wide and a line 1.2 em high.
                    const double p = along(std::get<Line>(t.calls()[k - 1]), across);
                    const double size = (across ? 0.6 * l->text.size() : 1.2) * 6 / 72 * 25.4;
                    EXPECT_EQ(l->fontSize, 6);
                    EXPECT_NEAR(across ? l->x : l->y, p - size / 2, 1e-4) << k;
                    EXPECT_NEAR(across ? l->y : l->x, far, 1e-4) << k;
                }
        }
    }
}

// Fixed-pitch lines add their pitch (in the sheet unit) to three running
// distances; one that reaches its width promotes the line and starts over.
// Metric widths are whole millimetres, imperial ones thousandths of an inch.
// The classes (`pattern` repeated over `lines`) are the same on every target
// and both axes.
TEST(Graph, RunningDistancesPromoteFixedPitchLines) {
    const std::tuple<bool, const char*, int, int, double, double, const char*, int> rows[] = {
        {true, "- - -", 0, 0, 2.65, 0, "SSSSLSSMSLSSHSLMSSSLSSSMLHS", 27},
        {true, "- - -", 0, 1, 5.55, 0, "SSLMSLHMLSSMSHLMSLSMHSSMSSLH", 28},
        {true, "- - -", 0, 2, 5.7, 0, "LMHMLH", 12},
        {true, "4 2.5 1", 0, 0, 3.05, 0, "LLMHLMLHMLLH", 31},
        {true, "2 - -", 0, 0, 3.05, 0, "SHSHLHSHSH", 31},
        {false, "- - -", 0, 0, 1.5, 0, "H", 39},
        {false, "- - -", 2, -1, 1, 300, "MH", 300},
        {false, "- - -", 2, -1, 1, 420, "LMHMLH", 420},
        {false, "- - -", 3, 3, 0.2, 0, "MH", 59},
        {false, "100 50 25", 1, 1, 2.03, 0, "MH", 33}};
    for (const auto& [metric, widths, f, i, extent, n, pattern, lines] : rows) {
        std::string expected;
        for (int k = 0; k < lines; ++k)
            expected += pattern[k % std::strlen(pattern)];
        const Rig rig(metric, widths);
        for (const int unit : {Cm, Mm, Tw, Px}) {
            for (const bool across : {true, false}) {
                std::string drawn = classes(scaleLines(rig.on(unit, across, f, i, 1, extent, n)));
                // A pitch that divides the extent ends on the far edge, where
                // rounding of the running sum decides the class.
                if (f >= 2 && drawn.size() == expected.size() + 1)
                    drawn.pop_back();
                EXPECT_EQ(drawn, expected) << widths << " " << f << " " << unit << across;
            }
        }
    }
}

// Quadratic "0 to 10" over 100 target units: main lines at i², intervals 1,
// 3, 5 ... 19. Each interval is split by the last strict test it passes, of
// two, five, ten in that order ("X" is ten parts). Limits are {ten, five, two}.
TEST(Graph, SubdivisionsFollowTheLastPassingStrictTest) {
    const std::tuple<int, double, SubdivisionLimits, const char*> rows[] = {
        {Cm, 100, {13, 7, 3}, "00022555XXX"},        {Cm, 100, {13, 3, 7}, "00055555XXX"},
        {Cm, 100, {7, 13, 3}, "00022XXXXXX"},        {Cm, 100, {7, 3, 13}, "00055XXXXXX"},
        {Cm, 100, {3, 13, 7}, "000XXXXXXXX"},        {Cm, 100, {100, 100, 100}, "00000000000"},
        {Cm, 100, {100, 100, 0}, "02222222222"},     {Cm, 100, {0, 0, 0}, "0XXXXXXXXXX"},
        {Mm, 10, {1.3f, 0.7f, 0.3f}, "00022555XXX"}, {Mm, 10, {0.7f, 0.3f, 1.3f}, "00055XXXXXX"}};
    for (const auto& [unit, w, limits, parts] : rows) {
        for (const bool across : {true, false}) {
            const auto lines = scaleLines(Rig(true, "- - -", limits).on(unit, across, 5, 0, 2, w));
            const auto at = [&](std::size_t k) { return along(lines[k], across); };
            std::string want;  // each interval's subdivisions, then its main line
            for (int i = 0; i <= 10; ++i)
                want += std::string(parts[i] == 'X' ? 9 : std::max(parts[i] - '1', 0), 'S') + 'M';
            EXPECT_EQ(classes(lines), want) << parts;
            // Even parts: a subdivision lies midway between its neighbours.
            for (std::size_t k = 1; k + 1 < lines.size(); ++k)
                EXPECT_TRUE(lines[k].colour != 'S' ||
                            std::fabs(2 * at(k) - at(k - 1) - at(k + 1)) < 1e-9)
                    << parts << k;
        }
    }
}

// A surface twice as fine vertically: positions and pitches along the
// ordinate are vertical lengths, but subdivisions judge every interval by its
// horizontal length.
TEST(Graph, OrdinateUsesVerticalLengthsExceptForSubdivisions) {
    struct Anisotropic : RecordingTarget {
        Anisotropic() : RecordingTarget(Px, 100) {}
        float ScaleY(double l, int f, int t) const override { return convertLength(l, f, t, 200); }
    } t, divided;
    const Rig rig(false, "450 250 150", {1e30f, 1e30f, 0.05f});
    rig.graph.DrawAxisGrid(t, false, 5, 0, 0.5, 0.5, 1, 1, 8, 0, 0);
    // Intervals of 2, 6, 10 ... px are 0.02, 0.06, 0.1 ... in across: from the
    // second one on they pass 0.05 in and are halved.
    const std::vector<Line> lines = scaleLines(t);
    EXPECT_EQ(classes(lines), "MMSMSMSMSMSMSMSMSMSM");
    EXPECT_NEAR(lines.back().y1, 300, 1e-4);
    EXPECT_NEAR(lines.back().x2, 150, 1e-4);
    // A pitch of 20 px down is 0.1 in, not 0.2 in.
    rig.graph.DrawAxisGrid(divided, false, 2, -1, 0.5, 0.5, 1, 1, 10, 0, 0);
    EXPECT_EQ(classes(scaleLines(divided)).substr(0, 10), "SLMLHMSLMH");
}

// A pitch that divides the extent (N divided, time) draws every line, the
// last one on the far edge, whatever rounding the summed offsets gather in
// the target's unit: N + 1 lines, or as many as the time item counts, each
// time line labelled.
TEST(Graph, DividedAndTimeScalesReachTheFarEdge) {
    const int hours[] = {12, 31, 24, 60};
    for (const int unit : {Cm, Mm, In, Tw, Px}) {
        for (const double extent : {19.0, 27.7, 7.0, 10.0 / 3, 0.7}) {
            for (const bool across : {true, false}) {
                // Rows -4 to -1 are the time items, then N = 1 to 200.
                for (int row = -4; row < 200; ++row) {
                    const bool time = row < 0;
                    const int want = time ? hours[row + 4] : row + 2;
                    const RecordingTarget t =
                        Rig().on(unit, across, time ? 3 : 2, row + 4, 1, extent, row + 1);
                    const std::vector<Line> lines = scaleLines(t);
                    const double far = (1 + extent) * perInch(unit) / perInch(Cm);
                    SCOPED_TRACE(testing::Message() << unit << " " << extent << " " << row);
                    ASSERT_EQ(static_cast<int>(lines.size()), want) << across;
                    EXPECT_NEAR(along(lines.back(), across), far, far * 1e-6) << across;
                    EXPECT_TRUE(!time || t.labels().back().text.toInt() == want) << across;
                }
            }
        }
    }
}

// A correction moves the near edge by itself and the far edge by twice it,
// on both the borders and the lines; each axis takes its own. Columns: the
// first line and near border, then the far border as drawn.
TEST(Graph, CorrectionsMoveTheNearEdgeOnceAndTheFarEdgeTwice) {
    const std::tuple<bool, double, double, double, Line> rows[] = {
        {true, 0.002, 0, 2.002, {17.004, 2, 17.004, 17, 'H'}},
        {true, 0.1, 0.2, 2.1, {17.2, 2.2, 17.2, 17.4, 'H'}},
        {false, -0.05, -0.1, 1.9, {1.95, 16.8, 16.9, 16.8, 'H'}}};
    for (const auto& [across, h, v, near, w] : rows) {
        const std::vector<Line> all = Rig().on(Cm, across, 0, 3, 2, 15, 8, h, v).lines();
        const Line& b = all.back();
        EXPECT_NEAR(along(all.front(), across), near, 1e-6);
        EXPECT_NEAR(along(all.end()[-2], across), near, 1e-6);
        EXPECT_LT(std::hypot(b.x1 - w.x1, b.y1 - w.y1) + std::hypot(b.x2 - w.x2, b.y2 - w.y2),
                  1e-5);
    }
}

// Outside the catalogue: an unknown family draws nothing; an unknown item, no
// divisions or an empty extent draws the two heavy borders alone. Failures
// raise before anything is drawn (`drawn` is then a word of the error):
// non-finite arguments, more lines than the limit on one axis (100001 lines
// of 1 mm; exactly the limit, null, is drawn), a pitch beyond any number.
// Columns: family, item, start, extent, divisions, horizontal correction.
TEST(Graph, EdgesOfOneAxisCall) {
    // clang-format off
    const std::tuple<int, int, double, double, double, double, const char*> rows[] = {
        {8, 0, 2, 15, 30, 0, ""},   {-1, 0, 2, 15, 30, 0, ""},  {2, -1, 2, 15, 0, 0, "HH"},
        {0, 4, 2, 15, 30, 0, "HH"}, {1, 6, 2, 15, 30, 0, "HH"}, {3, 4, 2, 15, 30, 0, "HH"},
        {4, 6, 2, 15, 30, 0, "HH"}, {5, 3, 2, 15, 30, 0, "HH"}, {6, -1, 2, 15, 30, 0, "HH"},
        {7, 2, 2, 15, 30, 0, "HH"}, {2, -1, 2, 0, 30, 0, "HH"}, {3, 0, 2, 0, 30, 0, "HH"},
        {2, -1, kNaN, 10, 30, 0, "left"},       {2, -1, 1, 10, -kInf, 0, "divisions"},
        {2, -1, 1, 10, 30, kInf, "horizontal"}, {2, -1, 1, 10, 1e9, 0, "Too many"},
        {0, 0, 1, 1e5, 30, 0, "Too many"},      {0, 0, 0, 10000.05, 30, 0, "Too many"},
        {0, 0, 0, 9999.95, 30, 0, nullptr},     {2, -1, 1, 2, 1e-320, 0, "Overflow"}};
    // clang-format on
    for (const auto& [family, item, start, extent, n, h, drawn] : rows) {
        for (const bool across : {true, false}) {
            SCOPED_TRACE(testing::Message() << family << " " << item << " " << extent << across);
            RecordingTarget t(Cm);
            try {
                Rig().graph.DrawAxisGrid(t, across, family, item, start, start, extent, extent, n,
                                         h, 0);
                EXPECT_TRUE(drawn ? classes(t.lines()) == drawn
                                  : t.lines().size() == kMaxLinesPerAxis + 2u);
            } catch (const Error& e) {
                EXPECT_TRUE(drawn && *drawn && e.description().contains(QLatin1String(drawn)));
                EXPECT_TRUE(t.calls().empty());
            }
        }
    }
}

// A sheet is its abscissa, then its ordinate, each with its own scale, over
// the sheet's area and with the corrections.
TEST(DrawSheet, DrawsTheAbscissaThenTheOrdinate) {
    Rig rig;
    RecordingTarget sheet(Cm), axes(Cm);
    drawSheet(rig.graph, sheet, SheetSettings{1, 2, 3, 4, {0, 3, 30}, {2, -1, 2}, false}, .1, .2);
    rig.graph.DrawAxisGrid(axes, true, 0, 3, 1, 2, 3, 4, 30, .1, .2);
    rig.graph.DrawAxisGrid(axes, false, 2, -1, 1, 2, 3, 4, 2, .1, .2);
    EXPECT_EQ(sheet.trace(), axes.trace());
}

// --- The calibration page, in either sheet unit, with and without corrections.

const auto lengthOf = [](const Line& l) { return std::hypot(l.x2 - l.x1, l.y2 - l.y1); };

// The ink lines drawn across (or down) `length` long, give or take `slack`:
// the rules and the square's sides. The square's inner grid is lighter.
std::vector<Line> inked(const RecordingTarget& page, bool across, double length, double slack) {
    std::vector<Line> found;
    for (const Line& l : page.lines())
        if (l.colour == 0 && (across ? l.y1 == l.y2 : l.x1 == l.x2) &&
            std::fabs(lengthOf(l) - length) <= slack)
            found.push_back(l);
    return found;
}

// Each rule and each side of the 50 mm square, across and down, keeps its
// length plus one correction (the near end moves by it, the far end by twice
// it); a rule's ticks are evenly spread and ranked by length: every 10 mm,
// 5 mm, 1 mm; every inch, 1/2, 1/4, 1/8 inch. Every line stays inside an A5
// printable area (138 x 200 mm). The title shows the corrections as slider
// positions (correction x 1000); a correction that is not a number is refused.
TEST(CalibrationPage, RulesAndSquareTakeTheCorrectionsAsTheGridDoes) {
    for (const auto& [unit, h, v] :
         {std::tuple{Cm, 0.0, 0.0}, {In, 0.0, 0.0}, {Cm, 0.01, -0.005}, {In, -0.01, 0.01}}) {
        const double mm = unit == In ? 1 / 25.4 : 0.1, slack = std::fabs(h) + std::fabs(v);
        RecordingTarget plain(unit), t(unit);
        DrawCalibrationPage(plain, 0, 0);
        DrawCalibrationPage(t, h, v);
        const QString title = QStringLiteral("horizontal correction %1, vertical correction %2\n");
        EXPECT_TRUE(t.trace().contains(title.arg(h * 1000).arg(v * 1000)));
        for (const bool across : {true, false}) {
            const auto at = [&](const Line& l) { return across ? l.x1 : l.y1; };
            const auto end = [&](const Line& l) { return across ? l.x2 : l.y2; };
            // Length (mm), steps, and the steps between ticks of each longer
            // kind; the square's sides have no ticks.
            for (const auto& [len, steps, d1, d2, d3] :
                 {std::tuple{100.0, 100, 10, 5, 0}, {101.6, 32, 8, 4, 2}, {50.0, 0, 0, 0, 0}}) {
                SCOPED_TRACE(testing::Message() << unit << " " << h << " " << v << " " << len);
                const std::vector<Line> was = inked(plain, across, len * mm, 1e-9),
                                        is = inked(t, across, len * mm, slack + 1e-9);
                ASSERT_TRUE(is.size() == (steps ? 1u : 2u) && was.size() == is.size());
                for (std::size_t k = 0; k < is.size(); ++k) {
                    EXPECT_NEAR(std::min(at(is[k]), end(is[k])),
                                std::min(at(was[k]), end(was[k])) + (across ? h : v), 1e-9);
                    EXPECT_NEAR(std::fabs(end(is[k]) - at(is[k])), len * mm + (across ? h : v),
                                1e-9);
                }
                if (steps == 0)
                    continue;  // the square has no ticks
                const Line& r = is[0];
                std::vector<Line> ticks;
                std::set<double> lengths;
                for (const Line& l : t.lines())
                    if ((across ? l.x1 == l.x2 && l.y1 == r.y1 : l.y1 == l.y2 && l.x1 == r.x1) &&
                        at(l) >= at(r) - 1e-9 && at(l) <= end(r) + 1e-9) {
                        ticks.push_back(l);
                        lengths.insert(lengthOf(l));
                    }
                ASSERT_EQ(static_cast<int>(ticks.size()), steps + 1);
                for (int s = 0; s <= steps; ++s) {
                    const Line& tick = ticks[static_cast<std::size_t>(s)];
                    EXPECT_NEAR(at(tick), at(r) + (end(r) - at(r)) * s / steps, 1e-9) << s;
                    const int rank = (s % d1 == 0) + (s % d2 == 0) + (d3 && s % d3 == 0);
                    EXPECT_EQ(std::distance(lengths.begin(), lengths.find(lengthOf(tick))), rank);
                }
            }
        }
        for (const Line& l : t.lines())
            EXPECT_TRUE(std::min(l.x1, l.x2) >= 0 && std::max(l.x1, l.x2) <= 138 * mm &&
                        std::min(l.y1, l.y2) >= 0 && std::max(l.y1, l.y2) <= 200 * mm);
    }
    RecordingTarget refused(Cm);
    EXPECT_THROW(DrawCalibrationPage(refused, kNaN, 0), Error);
    EXPECT_THROW(DrawCalibrationPage(refused, 0, kInf), Error);
    EXPECT_TRUE(refused.calls().empty());
}

}  // namespace
}  // namespace lattora
