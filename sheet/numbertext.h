// Numbers as text, always in the C locale's convention ("." as decimal
// separator), whatever locale the desktop runs in: stored settings, field
// texts and the export's output read and write numbers this one way.
#pragma once

#include <QString>
#include <QStringView>
#include <limits>
#include <optional>

namespace lattora {

// Parses a decimal number: optional sign, digits with an optional fraction,
// optional exponent; surrounding blanks are allowed. Returns nothing for any
// other text and for values beyond the range of a double.
std::optional<double> tryParseNumber(QStringView text);

// As tryParseNumber, but a text that is not a number raises Error.
double parseNumber(QStringView text);

// Shortest text that reads back as exactly the same double.
QString formatNumber(double value);
// At most `digits` significant digits, trailing zeros dropped.
QString formatNumber(double value, int digits);

// Single-precision text: at most seven significant digits.
QString formatSingle(float value);

// Whether `value` is finite and within single precision: lengths, widths and
// thresholds are drawn in single precision, and converting a double beyond
// that range would be undefined.
bool fitsSingle(double value);

// A resolution, a size, a width: a number that is finite and above 0.
inline bool isPositiveFinite(double value) {
    return value > 0 && value < std::numeric_limits<double>::infinity();
}

// Raises "Invalid argument: WHAT is VALUE" for a NaN or infinite value.
void requireFinite(double value, const char* what);

// `value` in single precision. NaN raises "Invalid length: nan"; an infinite
// value or one beyond single precision raises "Overflow".
float toSingle(double value);

}  // namespace lattora
