// A whole sheet: both axes of its graph area through DrawAxisGrid, the
// abscissa first. Every output (the previews, print, Save, Copy, the export
// command and the benchmarks) draws a sheet through this one function.
#pragma once

#include "render/graph.h"
#include "sheet/sheetsettings.h"

namespace lattora {

// Draws `sheet`'s graph area and scales on `target`, whose unit the lengths
// are in. The two corrections are the printer's graduation corrections (0
// for the screen). Raises Error; what was drawn before a failure stays.
void drawSheet(const Graph& graph, DrawTarget& target, const SheetSettings& sheet,
               double hCorrection = 0, double vCorrection = 0);

}  // namespace lattora
