// The calibration page: rules of known length and a square, printed so that a
// ruler can tell how far the printer stretches or shrinks a sheet, and with
// the graduation corrections applied as the grid applies them, so that the
// page shows what the stored corrections do.
#pragma once

#include "render/drawtarget.h"

namespace lattora {

// Draws the page on `target`, in its own unit (ScaleMode), from the printable
// area's top-left corner; everything stays within 138 x 200 mm, the printable
// area of an A5 sheet with 5 mm margins.
//
// - a title with the two corrections as slider positions (correction x 1000)
// - a horizontal 100 mm rule (ticks every millimetre, numbers every 10 mm)
//   whose zero lies 15 mm right of and 15 mm below the corner, and below it a
//   horizontal 4-inch rule (ticks every 1/8 inch, numbers every inch)
// - the same two rules running down the left side
// - a 50 mm square with a 10 mm grid inside
//
// A rule of length L from x0 is drawn from x0 + c to x0 + L + 2c, c being
// hCorrection for horizontal and vCorrection for vertical lengths, its ticks
// spread evenly in between: the near edge moves by c and the far edge by 2c,
// as they do on a printed grid. Raises Error for a correction that is not a
// finite number.
void DrawCalibrationPage(DrawTarget& target, double hCorrection, double vCorrection);

}  // namespace lattora
