// From a stored colour value to the red, green and blue a surface paints with.
#pragma once

#include "sheet/linevalues.h"

namespace lattora {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr ColorValue kSystemColorFlag = 0x80000000u;
inline constexpr ColorValue kWindowBackgroundColor = 0x80000005u;
inline constexpr ColorValue kButtonFaceColor = 0x8000000Fu;

// An ordinary value is 0x00BBGGRR: red in the low byte, then green, then blue;
// the fourth byte is ignored. A value with the top bit set names a system
// colour. Grid paper does not follow the desktop's theme, so each maps to a
// fixed colour: the window background to white, the button face to light grey
// (240, 240, 240), and every other system colour to black, the colour of text
// on paper, so a line drawn in it stays visible.
Rgb colorToRgb(ColorValue color);

}  // namespace lattora
