#include "render/sheetdrawing.h"

namespace lattora {

void drawSheet(const Graph& graph, DrawTarget& target, const SheetSettings& sheet,
               double hCorrection, double vCorrection) {
    for (const bool isAbscissa : {true, false}) {
        const AxisScale& axis = isAbscissa ? sheet.abscissa : sheet.ordinate;
        graph.DrawAxisGrid(target, isAbscissa, axis.family, axis.item, sheet.marginLeft,
                           sheet.marginTop, sheet.areaWidth, sheet.areaHeight, axis.divisions,
                           hCorrection, vCorrection);
    }
}

}  // namespace lattora
