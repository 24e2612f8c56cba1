#include "sheet/numbertext.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "sheet/error.h"

namespace lattora {

std::optional<double> tryParseNumber(QStringView text) {
    const QByteArray latin = text.trimmed().toLatin1();
    const char* first = latin.constData();
    const char* last = first + latin.size();
    if (first != last && *first == '+') {
        ++first;
        // from_chars takes no '+'; a second sign after it is still refused below.
        if (first != last && (*first == '+' || *first == '-')) {
            return std::nullopt;
        }
    }
    if (first == last) {
        return std::nullopt;
    }
    // from_chars would also take "inf", "nan" and hexadecimal forms; none of
    // them is a decimal number to the user.
    for (const char* c = first; c != last; ++c) {
        const bool ok = (*c >= '0' && *c <= '9') || *c == '.' || *c == 'e' || *c == 'E' ||
                        *c == '-' || *c == '+';
        if (!ok) {
            return std::nullopt;
        }
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double parseNumber(QStringView text) {
    if (const auto value = tryParseNumber(text)) {
        return *value;
    }
    throw Error(QStringLiteral("Type mismatch: \"%1\" is not a number").arg(text.toString()));
}

QString formatNumber(double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, ec == std::errc() ? end - buffer : 0);
}

QString formatNumber(double value, int digits) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return QString::fromLatin1(buffer, ec == std::errc() ? end - buffer : 0);
}

QString formatSingle(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

void requireFinite(double value, const char* what) {
    if (!std::isfinite(value)) {
        throw Error(QStringLiteral("Invalid argument: %1 is %2")
                        .arg(QLatin1String(what), formatNumber(value)));
    }
}

bool fitsSingle(double value) {
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

float toSingle(double value) {
    if (std::isnan(value)) {
        throw Error(QStringLiteral("Invalid length: %1").arg(formatNumber(value)));
    }
    if (!fitsSingle(value)) {
        throw Error(QStringLiteral("Overflow"));
    }
    return static_cast<float>(value);
}

}  // namespace lattora
