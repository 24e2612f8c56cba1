// The grid renderer: draws one axis of a sheet (its lines, labels and two
// heavy borders) onto any drawing target.
#pragma once

#include <cstdint>

#include "linesets/linecolors.h"
#include "render/drawtarget.h"
#include "sheet/settingsstore.h"

namespace lattora {

// Lengths in the sheet unit above which an interval of a non-linear scale is
// cut into 10, 5 or 2 parts.
struct SubdivisionLimits {
    float ten = 0;
    float five = 0;
    float two = 0;
};

// Values the renderer takes live from the program's dialogs: the colours of
// the current line set and the subdivision limits. Both are asked anew for
// every line, so an implementation should answer cheaply. Either may raise
// Error (a limit field whose text is not a number).
class LiveInputs {
public:
    virtual ~LiveInputs() = default;
    virtual LineColors currentLineColors() const = 0;
    virtual SubdivisionLimits subdivisionLimits() const = 0;
};

// Fixed answers: for batch output and tests.
class FixedInputs : public LiveInputs {
public:
    FixedInputs() = default;
    FixedInputs(LineColors colors, SubdivisionLimits limits) : colors_(colors), limits_(limits) {}
    LineColors currentLineColors() const override { return colors_; }
    SubdivisionLimits subdivisionLimits() const override { return limits_; }
    void setColors(const LineColors& colors) { colors_ = colors; }
    void setLimits(const SubdivisionLimits& limits) { limits_ = limits; }

private:
    LineColors colors_;
    SubdivisionLimits limits_;
};

// One call never draws more lines than this on one axis; a sheet that would
// need more raises "Too many grid lines" before anything is drawn.
inline constexpr int kMaxLinesPerAxis = 100000;

class Graph {
public:
    // The unit system and the line widths come from `store` on every call.
    Graph(const SettingsStore& store, const LiveInputs& inputs) : store_(store), inputs_(inputs) {}

    // Draws the abscissa (vertical lines) or the ordinate (horizontal lines)
    // of the graph area left, top, width, height (sheet unit, from the
    // target's origin). `divisions` is N of the "N divided" family. The two
    // corrections move the near edge by the correction and the far edge by
    // twice it. Raises Error on a failure; lines already drawn stay drawn.
    void DrawAxisGrid(DrawTarget& target, bool isAbscissa, std::int16_t family, std::int16_t item,
                      double left, double top, double width, double height, double divisions,
                      double hCorrection, double vCorrection) const;

private:
    const SettingsStore& store_;
    const LiveInputs& inputs_;
};

// ln(ln(1 / (1 - q))) for a fraction 0 < q < 1; raises Error otherwise.
double LogLogTransform(double q);

}  // namespace lattora
