// The grid renderer: draws one axis of a sheet (its lines, labels and two
// heavy borders) onto any drawing target.
#pragma once

#include <cstdint>

#include "render/drawtarget.h"
#include "render/liveinputs.h"
#include "sheet/settingsstore.h"

namespace lattora {

// One call never draws more lines than this on one axis; a sheet that would
// need more raises "Too many grid lines" before anything is drawn.
inline constexpr int kMaxLinesPerAxis = 100000;

class Graph {
public:
    // The unit system and the line widths come from `store` on every call.
    Graph(const SettingsStore& store, const LiveInputs& inputs) : store_(store), inputs_(inputs) {}
    // Both are kept by reference: temporaries would be gone before the first call.
    Graph(const SettingsStore&&, const LiveInputs&) = delete;
    Graph(const SettingsStore&, const LiveInputs&&) = delete;
    Graph(const SettingsStore&&, const LiveInputs&&) = delete;

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
