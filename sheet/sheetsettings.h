// The sheet being designed, its two axis scales and the current printer page.
// The sheet lives only in memory: nothing here is ever stored.
#pragma once

#include <cstdint>

#include "sheet/units.h"

namespace lattora {

struct AxisScale {
    std::int16_t family = 0;  // index in the scale catalogue's family list
    std::int16_t item = 0;    // index in that family's item list; -1 when it has none
    double divisions = 30;    // N of the "N divided" family
};

// Lengths are in the sheet unit, measured from the origin of the printer's
// printable area.
struct SheetSettings {
    double marginLeft = 0;
    double marginTop = 0;
    double areaWidth = 0;
    double areaHeight = 0;
    AxisScale abscissa;
    AxisScale ordinate;
    bool zoomed = false;
};

// The standard margin: 1 cm, or half an inch, on every side of the printable
// area.
constexpr double standardMargin(UnitSystem system) {
    return system == UnitSystem::Metric ? 1.0 : 0.5;
}

enum class Orientation : std::int16_t { Portrait = 1, Landscape = 2 };

// Read from the current printer each time it is needed; never cached.
struct PrinterPage {
    std::int32_t pageWidthTwips = 0;  // physical paper, current orientation
    std::int32_t pageHeightTwips = 0;
    std::int16_t orientation = 1;  // 1 portrait, 2 landscape
    float printableWidth = 0;      // sheet unit
    float printableHeight = 0;     // sheet unit
};

}  // namespace lattora
