#include "validation/rules.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

#include "sheet/numbertext.h"

namespace lattora {

namespace {

// Anchored as whole-text tests: "$" alone would also accept a trailing line
// break. Digits are spelled [0-9] so that only ASCII digits count.
const QRegularExpression& numberPattern() {
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("[1-9][0-9]*")));
    return pattern;
}

const QRegularExpression& decimalPattern() {
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("[-+]?[0-9]*\\.?[0-9]+([eE][-+]?[0-9]+)?")));
    return pattern;
}

// Why the settings store would pass `text` over as a number beyond single
// precision (or beyond a double altogether); empty when it is no decimal
// number, or one that fits.
QString singleRangeMessage(const QString& text) {
    if (!matchesDecimal(text)) {
        return {};
    }
    if (const std::optional<double> value = tryParseNumber(text)) {
        return fitsSingle(*value) ? QString() : kTooLargeMessage;
    }
    // Beyond a double: Qt reads an overflow as infinite, an underflow as 0.
    return std::isinf(QLocale::c().toDouble(text)) ? kTooLargeMessage : kTooSmallMessage;
}

}  // namespace

bool matchesNumber(const QString& text) {
    return numberPattern().match(text).hasMatch();
}

bool matchesDecimal(const QString& text) {
    return decimalPattern().match(text).hasMatch();
}

RuleCheck checkRules(const QString& ruleText, const QString& text) {
    for (const QString& word : ruleText.split(QLatin1Char(';'))) {
        if (word == QLatin1String("validate_required")) {
            if (text.isEmpty()) {
                return {FieldStatus::Required, kRequiredMessage};
            }
        } else if (word == QLatin1String("validate_name")) {
            if (text.contains(QLatin1Char('~')) || text.contains(QLatin1Char('\r')) ||
                text.contains(QLatin1Char('\n'))) {
                return {FieldStatus::Malformed, kBadNameMessage};
            }
        } else if (word == QLatin1String("validate_single")) {
            if (const QString message = singleRangeMessage(text); !message.isEmpty()) {
                return {FieldStatus::Malformed, message};
            }
        } else if (word == QLatin1String("validate_number") ||
                   word == QLatin1String("validate_decimal")) {
            const bool ok = word == QLatin1String("validate_number") ? matchesNumber(text)
                                                                     : matchesDecimal(text);
            return ok ? RuleCheck{} : RuleCheck{FieldStatus::Malformed, kMalformedMessage};
        }
    }
    return {};
}

std::optional<double> divisionCount(const QString& text) {
    bool ok = false;
    const double count = text.toDouble(&ok);
    if (checkRules(kDivisionCountRules, text).status != FieldStatus::Valid || !ok) {
        return std::nullopt;
    }
    return count;
}

}  // namespace lattora
