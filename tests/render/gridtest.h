// Shared pieces of the grid renderer's tests: one colour per line class so
// that a recorded colour names the class, a renderer wired to an in-memory
// store, an independent model of the unit sizes, and the recorded drawing of
// one axis taken apart.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "render/graph.h"
#include "render/recordingtarget.h"
#include "sheet/settingsstore.h"
#include "sheet/units.h"
#include "tests/support/memorystore.h"

namespace lattora::test {

inline constexpr ColorValue kHeavy = 1;
inline constexpr ColorValue kMedium = 2;
inline constexpr ColorValue kLight = 3;
inline constexpr ColorValue kSubdiv = 4;

inline LineColors classColours() {
    LineColors colours;
    colours.heavyColor = kHeavy;
    colours.mediumColor = kMedium;
    colours.lightColor = kLight;
    colours.subdivColor = kSubdiv;
    return colours;
}

// Limits no interval reaches, so no subdivision lines are drawn.
inline SubdivisionLimits noSubdivision() {
    return {1e30f, 1e30f, 1e30f};
}

// One letter a class, so that a run of lines reads like "SSSSLSSM".
inline char classLetter(ColorValue colour) {
    switch (colour) {
        case kHeavy: return 'H';
        case kMedium: return 'M';
        case kLight: return 'L';
        case kSubdiv: return 'S';
        default: return '?';
    }
}

// How many of a unit make one inch; written out here rather than taken from
// the program so that the tests check its conversions against the units'
// definitions.
inline double perInch(int unit, double pixelsPerInch) {
    switch (unit) {
        case Unit::Twip: return 1440.0;
        case Unit::Pixel: return pixelsPerInch;
        case Unit::Inch: return 1.0;
        case Unit::Millimetre: return 25.4;
        case Unit::Centimetre: return 2.54;
        default: return 0.0;
    }
}

inline double convert(double length, int from, int to, double pixelsPerInch = 96) {
    return length * perInch(to, pixelsPerInch) / perInch(from, pixelsPerInch);
}

// The fixed text model of RecordingTarget at the label size of 6 points:
// 0.6 em a character, 1.2 em a line, in inches.
inline double labelWidthInches(const QString& text) {
    return 0.6 * 6 * static_cast<double>(text.size()) / 72.0;
}
inline constexpr double kLabelHeightInches = 1.2 * 6 / 72.0;

struct Rect {
    double left, top, width, height;
};

// A renderer over an in-memory store with one colour per class and no
// subdivisions unless a test sets limits.
struct Rig {
    MemoryStore store;
    FixedInputs inputs{classColours(), noSubdivision()};
    Graph graph{store, inputs};

    explicit Rig(bool metric = true) { setMetric(metric); }

    void setMetric(bool metric) {
        store.saveSetting(Key::Scale, metric ? kMetricWord : kImperialWord);
    }

    void draw(DrawTarget& target, bool isAbscissa, int family, int item, const Rect& r,
              double divisions = 30, double hCorrection = 0, double vCorrection = 0) const {
        graph.DrawAxisGrid(target, isAbscissa, static_cast<std::int16_t>(family),
                           static_cast<std::int16_t>(item), r.left, r.top, r.width, r.height,
                           divisions, hCorrection, vCorrection);
    }
};

// One axis as drawn: the scale's own lines in drawing order, the two lines
// drawn last (the borders) and the labels.
struct AxisDrawing {
    std::vector<RecordingTarget::LineCall> lines;
    std::vector<RecordingTarget::LineCall> borders;
    std::vector<RecordingTarget::LabelCall> labels;
};

inline AxisDrawing splitAxis(const RecordingTarget& target) {
    AxisDrawing drawing;
    drawing.lines = target.lines();
    drawing.labels = target.labels();
    if (drawing.lines.size() >= 2) {
        drawing.borders.assign(drawing.lines.end() - 2, drawing.lines.end());
        drawing.lines.resize(drawing.lines.size() - 2);
    }
    return drawing;
}

// Where a line lies along the axis: x of a vertical line, y of a horizontal one.
inline double along(const RecordingTarget::LineCall& line, bool isAbscissa) {
    return isAbscissa ? line.x1 : line.y1;
}

inline std::vector<double> positions(const std::vector<RecordingTarget::LineCall>& lines,
                                     bool isAbscissa) {
    std::vector<double> result;
    for (const auto& line : lines) {
        result.push_back(along(line, isAbscissa));
    }
    return result;
}

inline std::string classPattern(const std::vector<RecordingTarget::LineCall>& lines) {
    std::string pattern;
    for (const auto& line : lines) {
        pattern += classLetter(line.colour);
    }
    return pattern;
}

inline std::vector<std::string> labelTexts(const std::vector<RecordingTarget::LabelCall>& labels) {
    std::vector<std::string> texts;
    for (const auto& label : labels) {
        texts.push_back(label.text.toStdString());
    }
    return texts;
}

// The two heavy borders of an axis whose graph area has the given edges in
// the target unit, near edge first.
inline void expectBorders(const AxisDrawing& drawing, bool isAbscissa, double left, double top,
                          double right, double bottom, double tolerance) {
    ASSERT_EQ(drawing.borders.size(), 2u);
    const auto& nearBorder = drawing.borders[0];
    const auto& farBorder = drawing.borders[1];
    EXPECT_EQ(nearBorder.colour, kHeavy);
    EXPECT_EQ(farBorder.colour, kHeavy);
    if (isAbscissa) {
        EXPECT_NEAR(nearBorder.x1, left, tolerance);
        EXPECT_NEAR(nearBorder.x2, left, tolerance);
        EXPECT_NEAR(farBorder.x1, right, tolerance);
        EXPECT_NEAR(farBorder.x2, right, tolerance);
        for (const auto* border : {&nearBorder, &farBorder}) {
            EXPECT_NEAR(border->y1, top, tolerance);
            EXPECT_NEAR(border->y2, bottom, tolerance);
        }
    } else {
        EXPECT_NEAR(nearBorder.y1, top, tolerance);
        EXPECT_NEAR(nearBorder.y2, top, tolerance);
        EXPECT_NEAR(farBorder.y1, bottom, tolerance);
        EXPECT_NEAR(farBorder.y2, bottom, tolerance);
        for (const auto* border : {&nearBorder, &farBorder}) {
            EXPECT_NEAR(border->x1, left, tolerance);
            EXPECT_NEAR(border->x2, right, tolerance);
        }
    }
}

}  // namespace lattora::test
