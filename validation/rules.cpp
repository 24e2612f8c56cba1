#include "validation/rules.h"

#include <QRegularExpression>

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
