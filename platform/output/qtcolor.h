// Colour values of the line sets (0x00BBGGRR) as Qt colours.
#pragma once

#include <QColor>

#include "sheet/linevalues.h"

namespace lattora {

// The colour a surface paints for `value`, by the one mapping of stored
// values (colorToRgb): red in the low byte; system colours (top bit set) as
// fixed colours, the window background white and the button face light grey.
QColor qColorFromValue(ColorValue value);

}  // namespace lattora
