// The drawing-surface contract of the grid renderer: everything it needs from
// a surface and nothing more. Positions are lengths from the surface's top-left
// corner in its current unit (ScaleMode); y grows downward.
#pragma once

#include <QString>

#include "sheet/linevalues.h"

namespace lattora {

class DrawTarget {
public:
    virtual ~DrawTarget() = default;

    // The current coordinate unit, one of the codes in sheet/units.h.
    virtual int ScaleMode() const = 0;

    // Length conversions between unit codes; the pixel code uses this
    // surface's resolution. Single precision, as the surfaces deliver them.
    // A result that does not fit a float raises Error.
    virtual float ScaleX(double length, int fromUnit, int toUnit) const = 0;
    virtual float ScaleY(double length, int fromUnit, int toUnit) const = 0;

    // A segment in the current pen (one device pixel, solid) and `colour`.
    virtual void Line(double x1, double y1, double x2, double y2, ColorValue colour) = 0;

    // Font size in points for later text.
    virtual void FontSize(double points) = 0;

    // Extent of `text` in the current font, in the current unit.
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;

    // Where the next printed text starts: its top-left corner.
    virtual void CurrentX(double x) = 0;
    virtual void CurrentY(double y) = 0;

    // Prints `number` at the current position as " <number> " (a blank for the
    // sign, one after) and moves the current position past it.
    virtual void Print(double number) = 0;

    // Prints `text` as it stands, its top-left corner at the current position,
    // and moves the current position past it: CurrentX grows by TextWidth(text).
    virtual void PrintText(const QString& text) = 0;
};

// The text of a number as labels show it: its shortest decimal form.
QString numberText(double number);

// What Print writes for `number`: the sign's place (a blank, or "-"), the
// digits and one trailing blank.
QString printedText(double number);

// Converts `length` between unit codes; shared by every surface so that all of
// them agree to the last bit. Raises Error for an unknown code, a non-finite
// length or a result beyond single precision.
float convertLength(double length, int fromUnit, int toUnit, double pixelsPerInch);

}  // namespace lattora
