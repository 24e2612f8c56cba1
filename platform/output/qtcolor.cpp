#include "platform/output/qtcolor.h"

#include "sheet/colorvalue.h"

namespace lattora {

QColor qColorFromValue(ColorValue value) {
    const Rgb rgb = colorToRgb(value);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace lattora
