// One axis of the grid drawn from arbitrary geometry: the renderer either
// draws a bounded number of finite lines along the axis or raises Error.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "app/exportcommand.h"
#include "render/graph.h"
#include "render/liveinputs.h"
#include "render/recordingtarget.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "tests/fuzz/entries.h"
#include "tests/support/memorystore.h"

namespace lattora::fuzz {

// The binary form the axis-grid target reads, native byte order, each field
// read only when all its bytes are there and left at its default otherwise:
//   0       flags: bit 0 abscissa, bit 1 metric
//   1       scale mode: the low three bits are the unit code (0 to 7)
//   2, 4    family, item: int16
//   6..61   left, top, width, height, divisions, hCorrection, vCorrection:
//           doubles, the raw bytes taken as they are
//   62..73  subdivision limits ten, five, two: floats
//   74..97  line widths heavy, medium, light: doubles, stored as their text
//   98      pixels per inch: uint16, folded into the export's dpi range
struct AxisGridCase {
    bool isAbscissa = true, metric = true;
    int scaleMode = 7;
    std::int16_t family = 0, item = 0;
    double left = 1, top = 1, width = 10, height = 10, divisions = 30;
    double hCorrection = 0, vCorrection = 0;
    SubdivisionLimits limits{0.99f, 0.51f, 0.2f};
    std::optional<double> widthHeavy, widthMedium, widthLight;
    int pixelsPerInch = 96;
};

static AxisGridCase decodeAxisGridCase(Bytes input) {
    AxisGridCase c;
    std::size_t at = 0;
    const auto take = [&](auto& field) {  // the field only when all its bytes are there
        const bool there = at + sizeof field <= input.size();
        if (there)
            std::memcpy(&field, input.data() + at, sizeof field);
        at += sizeof field;
        return there;
    };
    std::uint8_t flags = 0b11, mode = 7;
    std::uint16_t dpi = 96 - kMinDpi;
    take(flags), take(mode), take(c.family), take(c.item);
    for (double* field :
         {&c.left, &c.top, &c.width, &c.height, &c.divisions, &c.hCorrection, &c.vCorrection})
        take(*field);
    take(c.limits.ten), take(c.limits.five), take(c.limits.two);
    for (std::optional<double>* width : {&c.widthHeavy, &c.widthMedium, &c.widthLight})
        if (double value = 0; take(value))
            *width = value;
    take(dpi);
    c.isAbscissa = (flags & 1) != 0;
    c.metric = (flags & 2) != 0;
    c.scaleMode = mode & 7;
    c.pixelsPerInch = kMinDpi + dpi % (kMaxDpi - kMinDpi + 1);
    return c;
}

QString checkAxisGrid(Bytes input) {
    const AxisGridCase c = decodeAxisGridCase(input);
    // The settings the renderer reads while drawing: the unit system and the
    // line widths the case gives.
    test::MemoryStore store{{Key::Scale, c.metric ? kMetricWord : kImperialWord}};
    for (const auto& [key, width] : {std::pair{Key::StyleWidthHeavy, c.widthHeavy},
                                     {Key::StyleWidthMedium, c.widthMedium},
                                     {Key::StyleWidthLight, c.widthLight}})
        if (width)
            store.saveSetting(key, formatNumber(*width));
    // One colour a line class, none of them 0, so every recorded colour is
    // known to come from the current line set.
    const FixedInputs inputs(LineColors{1, 2, 3, 4, {}}, c.limits);
    RecordingTarget target(c.scaleMode, c.pixelsPerInch);
    bool finished = true;
    try {
        Graph(store, inputs)
            .DrawAxisGrid(target, c.isAbscissa, c.family, c.item, c.left, c.top, c.width, c.height,
                          c.divisions, c.hCorrection, c.vCorrection);
    } catch (const Error&) {
        finished = false;  // a fine outcome; the lines drawn before it are checked as well
    }
    // Every line lies along the axis at a finite place in a line set's colour,
    // and there are no more of them than the renderer allows: the axis's own
    // lines, which it caps, and the two borders.
    const auto lines = target.lines();
    const auto along = [&](const auto& l) { return c.isAbscissa ? l.x1 : l.y1; };
    for (const auto& l : lines) {
        if (!std::isfinite(l.x1) || !std::isfinite(l.y1) || !std::isfinite(l.x2) ||
            !std::isfinite(l.y2) || (c.isAbscissa ? l.x1 != l.x2 : l.y1 != l.y2) || l.colour < 1 ||
            l.colour > 4) {
            return QStringLiteral("a line from %1, %2 to %3, %4 in colour %5")
                .arg(formatNumber(l.x1), formatNumber(l.y1), formatNumber(l.x2), formatNumber(l.y2),
                     QString::number(l.colour));
        }
    }
    if (lines.size() > kMaxLinesPerAxis + 2u)
        return QStringLiteral("%1 lines").arg(lines.size());
    if (!finished || lines.empty())
        return {};
    // A finished axis ends with its two borders; every line spans the area
    // between the borders' ends and lies between the borders, give or take
    // the rounding of the positions.
    if (lines.size() < 2)
        return QStringLiteral("a single line");
    const auto& near = lines[lines.size() - 2];
    const double a = along(near), b = along(lines.back());
    const double slack = 1e-9 * (std::fabs(a) + std::fabs(b));
    for (const auto& l : lines) {
        const bool spans =
            c.isAbscissa ? l.y1 == near.y1 && l.y2 == near.y2 : l.x1 == near.x1 && l.x2 == near.x2;
        if (!spans || along(l) < std::min(a, b) - slack || along(l) > std::max(a, b) + slack) {
            return QStringLiteral("a line at %1 outside the area").arg(formatNumber(along(l)));
        }
    }
    return {};
}

}  // namespace lattora::fuzz
