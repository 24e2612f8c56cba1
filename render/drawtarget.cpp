#include "render/drawtarget.h"

#include <cmath>
#include <limits>

#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/units.h"

namespace lattora {

QString numberText(double number) {
    return formatNumber(number);
}

QString printedText(double number) {
    const QString text = numberText(number);
    return (number < 0 ? QString() : QStringLiteral(" ")) + text + QStringLiteral(" ");
}

float convertLength(double length, int fromUnit, int toUnit, double pixelsPerInch) {
    const double from = unitsPerInch(fromUnit, pixelsPerInch);
    const double to = unitsPerInch(toUnit, pixelsPerInch);
    if (!(from > 0) || !(to > 0)) {
        throw Error(
            QStringLiteral("Invalid property value: unit %1 to unit %2").arg(fromUnit).arg(toUnit));
    }
    if (!std::isfinite(length)) {
        throw Error(QStringLiteral("Invalid length: %1").arg(formatNumber(length)));
    }
    // Finite times finite: only an overflow is left to refuse.
    return toSingle(length * (to / from));
}

}  // namespace lattora
