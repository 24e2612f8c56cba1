// Every family and item of the scale catalogue on both axes, under both unit
// systems and on targets in several units: each recorded line and label is
// compared with a model of the scale built here from the scale's definition
// (positions, classes, labels and their placement, then the two borders).
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "render/graph.h"
#include "render/recordingtarget.h"
#include "tests/render/gridtest.h"

namespace lattora {
namespace {

using test::convert;
using test::kHeavy;
using test::kLight;
using test::kMedium;
using test::kSubdiv;
using test::Rect;

struct ScaleCase {
    const char* name;
    int family;
    int item;
    double divisions = 30;
};

std::ostream& operator<<(std::ostream& out, const ScaleCase& c) {
    return out << c.name;
}

struct Surface {
    int unit;
    double pixelsPerInch;
};

// The expected drawing of one axis: lines and labels in drawing order.
struct Expected {
    struct Call {
        bool isLabel;
        double position;  // along the axis, target unit
        ColorValue colour;
        QString text;
    };
    std::vector<Call> calls;
    // A pitch that divides the extent puts the last line on the far edge,
    // where rounding of the running sum decides whether it is drawn.
    bool lastLineMayFall = false;

    void line(double position, ColorValue colour) {
        calls.push_back({false, position, colour, {}});
    }
    void label(double position, double value) {
        calls.push_back({true, position, 0, QString::number(value)});
    }
};

double logLog(double q) {
    return std::log(std::log(1 / (1 - q)));
}

// Classes of a fixed-pitch scale whose line widths are set to 1.5, 3.5 and
// 6.5 pitches: light every 2nd line, medium every 4th, heavy every 7th.
ColorValue ratioClass(int lineNumber) {
    if (lineNumber % 7 == 0) {
        return kHeavy;
    }
    if (lineNumber % 4 == 0) {
        return kMedium;
    }
    if (lineNumber % 2 == 0) {
        return kLight;
    }
    return kSubdiv;
}

class ScaleModel {
public:
    ScaleModel(const ScaleCase& scale, bool isAbscissa, bool metric, const Surface& surface,
               const Rect& area)
        : scale_(scale),
          isAbscissa_(isAbscissa),
          surface_(surface),
          sheet_(metric ? Unit::Centimetre : Unit::Inch),
          startSheet_(isAbscissa ? area.left : area.top),
          endSheet_(startSheet_ + (isAbscissa ? area.width : area.height)) {}

    double toTarget(double sheetLength) const {
        return convert(sheetLength, sheet_, surface_.unit, surface_.pixelsPerInch);
    }
    double start() const { return toTarget(startSheet_); }
    double end() const { return toTarget(endSheet_); }

    bool isFixedPitch() const { return scale_.family <= 3; }

    // The pitch of a fixed-pitch scale, from which the line widths are set.
    double pitchInSheetUnit() const {
        return convert(pitch(), workingUnit(), sheet_, surface_.pixelsPerInch);
    }

    Expected build() const {
        Expected expected;
        switch (scale_.family) {
            case 0:
            case 1:
            case 2:
            case 3: fixedPitch(expected); break;
            case 4: logarithmic(expected); break;
            case 5: quadratic(expected); break;
            case 6: squareRoot(expected); break;
            case 7: probability(expected); break;
        }
        return expected;
    }

private:
    int workingUnit() const {
        return scale_.family == 0   ? Unit::Millimetre
               : scale_.family == 1 ? Unit::Inch
                                    : surface_.unit;
    }
    double toWorking(double sheetLength) const {
        return convert(sheetLength, sheet_, workingUnit(), surface_.pixelsPerInch);
    }
    double pitch() const {
        const double extent = toWorking(endSheet_) - toWorking(startSheet_);
        switch (scale_.family) {
            case 0: return std::array{1.0, 2.0, 5.0, 10.0}.at(scale_.item);
            case 1: return 1.0 / std::array{2.0, 16.0, 12.0, 10.0, 8.0, 4.0}.at(scale_.item);
            case 2: return extent / scale_.divisions;
            default: return extent / (std::array{12, 31, 24, 60}.at(scale_.item) - 1);
        }
    }

    void fixedPitch(Expected& expected) const {
        const double start = toWorking(startSheet_);
        const double end = toWorking(endSheet_);
        const double step = pitch();
        int count = 0;
        if (scale_.family == 2) {
            count = static_cast<int>(scale_.divisions) + 1;
            expected.lastLineMayFall = true;
        } else if (scale_.family == 3) {
            count = std::array{12, 31, 24, 60}.at(scale_.item);
            expected.lastLineMayFall = true;
        } else {
            count = static_cast<int>(std::floor((end - start) / step)) + 1;
        }
        for (int k = 0; k < count; ++k) {
            const double p =
                convert(start + k * step, workingUnit(), surface_.unit, surface_.pixelsPerInch);
            expected.line(p, ratioClass(k + 1));
            if (scale_.family == 3) {
                expected.label(p, k + 1);
            }
        }
    }

    void logarithmic(Expected& expected) const {
        const int cycles = scale_.item + 1;
        const double extent = end() - start();
        for (int c = 0; c < cycles; ++c) {
            for (int j = 1; j <= 10; ++j) {
                const double p = start() + extent * (c + std::log10(j)) / cycles;
                expected.line(p, kLight);
                expected.label(p, j);
            }
            expected.line(start() + extent * (c + 1) / cycles, kMedium);
        }
    }

    void quadratic(Expected& expected) const {
        const int maximum = std::array{10, 20, 50}.at(scale_.item);
        const int step = std::array{1, 5, 10}.at(scale_.item);
        for (int i = 0; i <= maximum; ++i) {
            const double p = start() + (end() - start()) * i * i / (maximum * maximum);
            major(expected, p, i % step == 0, i);
        }
    }

    void squareRoot(Expected& expected) const {
        const int maximum = std::array{10, 20, 50}.at(scale_.item);
        const int step = std::array{1, 5, 10}.at(scale_.item);
        for (int i = 1; i <= maximum; ++i) {
            const double p = start() + (end() - start()) * std::sqrt(i) / std::sqrt(maximum);
            major(expected, p, i % step == 0, i);
        }
    }

    // Percentages advance by the first percentage on the abscissa and by one
    // on the ordinate, summed in double precision; only sums that land on a
    // whole multiple of 10 are labelled.
    void probability(Expected& expected) const {
        const double first = scale_.item == 0 ? 1.0 : 0.1;
        const double lo = logLog(first / 100);
        const double hi = logLog((100 - first) / 100);
        const double step = isAbscissa_ ? first : 1.0;
        double p = first;
        do {
            const double position =
                start() + (logLog(p / 100) - lo) * (end() - start()) / (hi - lo);
            major(expected, position, p == std::round(p) && std::fmod(p, 10) == 0, p);
            p += step;
        } while (p < 99);
    }

    static void major(Expected& expected, double position, bool isMajor, double value) {
        expected.line(position, isMajor ? kMedium : kLight);
        if (isMajor) {
            expected.label(position, value);
        }
    }

    ScaleCase scale_;
    bool isAbscissa_;
    Surface surface_;
    int sheet_;
    double startSheet_;
    double endSheet_;
};

class EveryScale : public testing::TestWithParam<ScaleCase> {
protected:
    void check(bool isAbscissa, bool metric, const Surface& surface) {
        const ScaleCase& scale = GetParam();
        // Extents chosen so that no fixed pitch ends near the far edge.
        const Rect area = metric ? Rect{1.3, 2.1, 17.33, 23.77} : Rect{0.55, 0.8, 6.83, 9.33};
        const ScaleModel model(scale, isAbscissa, metric, surface, area);

        test::Rig rig(metric);
        if (model.isFixedPitch()) {
            // Widths are stored in whole millimetres under Metric and in
            // thousandths of an inch otherwise.
            const double perSheetUnit = metric ? 10 : 1000;
            const double pitch = model.pitchInSheetUnit() * perSheetUnit;
            rig.store.saveSetting(Key::StyleWidthLight, QString::number(1.5 * pitch, 'g', 17));
            rig.store.saveSetting(Key::StyleWidthMedium, QString::number(3.5 * pitch, 'g', 17));
            rig.store.saveSetting(Key::StyleWidthHeavy, QString::number(6.5 * pitch, 'g', 17));
        }
        RecordingTarget target(surface.unit, surface.pixelsPerInch);
        rig.draw(target, isAbscissa, scale.family, scale.item, area, scale.divisions);

        const double left = model.toTarget(area.left);
        const double right = model.toTarget(area.left + area.width);
        const double top = model.toTarget(area.top);
        const double bottom = model.toTarget(area.top + area.height);
        const double tolerance = 1e-6 * std::max(std::abs(right), std::abs(bottom));

        Expected expected = model.build();
        std::vector<RecordingTarget::Call> calls = target.calls();
        ASSERT_GE(calls.size(), 2u);
        const std::vector<RecordingTarget::Call> borderCalls(calls.end() - 2, calls.end());
        calls.resize(calls.size() - 2);
        if (expected.lastLineMayFall && !expected.calls.empty()) {
            std::size_t shorter = expected.calls.size() - 1;
            if (expected.calls.back().isLabel) {
                --shorter;
            }
            if (calls.size() == shorter) {
                expected.calls.resize(shorter);
            }
        }
        ASSERT_EQ(calls.size(), expected.calls.size());

        const double textHeight =
            convert(test::kLabelHeightInches, Unit::Inch, surface.unit, surface.pixelsPerInch);
        for (std::size_t i = 0; i < calls.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "call " << i);
            const Expected::Call& want = expected.calls[i];
            if (want.isLabel) {
                const auto* label = std::get_if<RecordingTarget::LabelCall>(&calls[i]);
                ASSERT_NE(label, nullptr);
                ASSERT_EQ(label->text.toStdString(), want.text.toStdString());
                EXPECT_EQ(label->fontSize, 6);
                if (isAbscissa) {
                    const double width = convert(test::labelWidthInches(want.text), Unit::Inch,
                                                 surface.unit, surface.pixelsPerInch);
                    EXPECT_NEAR(label->x, want.position - width / 2, tolerance);
                    EXPECT_NEAR(label->y, bottom, tolerance);
                } else {
                    EXPECT_NEAR(label->x, right, tolerance);
                    EXPECT_NEAR(label->y, want.position - textHeight / 2, tolerance);
                }
            } else {
                const auto* line = std::get_if<RecordingTarget::LineCall>(&calls[i]);
                ASSERT_NE(line, nullptr);
                ASSERT_EQ(test::classLetter(line->colour), test::classLetter(want.colour));
                if (isAbscissa) {
                    ASSERT_NEAR(line->x1, want.position, tolerance);
                    EXPECT_EQ(line->x2, line->x1);
                    EXPECT_NEAR(line->y1, top, tolerance);
                    EXPECT_NEAR(line->y2, bottom, tolerance);
                } else {
                    ASSERT_NEAR(line->y1, want.position, tolerance);
                    EXPECT_EQ(line->y2, line->y1);
                    EXPECT_NEAR(line->x1, left, tolerance);
                    EXPECT_NEAR(line->x2, right, tolerance);
                }
            }
        }

        test::AxisDrawing borders;
        for (const auto& call : borderCalls) {
            const auto* line = std::get_if<RecordingTarget::LineCall>(&call);
            ASSERT_NE(line, nullptr) << "the borders are drawn after everything else";
            borders.borders.push_back(*line);
        }
        test::expectBorders(borders, isAbscissa, left, top, right, bottom, tolerance);
    }
};

TEST_P(EveryScale, MatchesItsDefinitionOnBothAxesInEveryUnit) {
    const Surface surfaces[] = {{Unit::Centimetre, 96},
                                {Unit::Millimetre, 96},
                                {Unit::Inch, 96},
                                {Unit::Twip, 96},
                                {Unit::Pixel, 300}};
    for (const bool metric : {true, false}) {
        for (const Surface& surface : surfaces) {
            for (const bool isAbscissa : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << (metric ? "metric" : "imperial") << ", target unit " << surface.unit
                             << ", " << (isAbscissa ? "abscissa" : "ordinate"));
                check(isAbscissa, metric, surface);
                if (HasFatalFailure()) {
                    return;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, EveryScale,
    testing::Values(ScaleCase{"Metric_1mm", 0, 0}, ScaleCase{"Metric_2mm", 0, 1},
                    ScaleCase{"Metric_5mm", 0, 2}, ScaleCase{"Metric_10mm", 0, 3},
                    ScaleCase{"Imperial_Half", 1, 0}, ScaleCase{"Imperial_16th", 1, 1},
                    ScaleCase{"Imperial_12th", 1, 2}, ScaleCase{"Imperial_10th", 1, 3},
                    ScaleCase{"Imperial_8th", 1, 4}, ScaleCase{"Imperial_4th", 1, 5},
                    ScaleCase{"NDivided_30", 2, -1, 30}, ScaleCase{"NDivided_7", 2, -1, 7},
                    ScaleCase{"Time_12months", 3, 0}, ScaleCase{"Time_31days", 3, 1},
                    ScaleCase{"Time_24hours", 3, 2}, ScaleCase{"Time_60minutes", 3, 3},
                    ScaleCase{"Log_1", 4, 0}, ScaleCase{"Log_2", 4, 1}, ScaleCase{"Log_3", 4, 2},
                    ScaleCase{"Log_4", 4, 3}, ScaleCase{"Log_5", 4, 4}, ScaleCase{"Log_6", 4, 5},
                    ScaleCase{"Quadratic_10", 5, 0}, ScaleCase{"Quadratic_20", 5, 1},
                    ScaleCase{"Quadratic_50", 5, 2}, ScaleCase{"SquareRoot_10", 6, 0},
                    ScaleCase{"SquareRoot_20", 6, 1}, ScaleCase{"SquareRoot_50", 6, 2},
                    ScaleCase{"Probability_1", 7, 0}, ScaleCase{"Probability_01", 7, 1}),
    [](const testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lattora
