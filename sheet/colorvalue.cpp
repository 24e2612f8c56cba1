#include "sheet/colorvalue.h"

namespace lattora {

Rgb colorToRgb(ColorValue color) {
    if (color & kSystemColorFlag) {
        switch (color) {
            case kWindowBackgroundColor: return {255, 255, 255};
            case kButtonFaceColor: return {240, 240, 240};
            default: return {0, 0, 0};
        }
    }
    return {static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
            static_cast<int>((color >> 16) & 0xFFu)};
}

}  // namespace lattora
