// The field rules against a model of the rule walk whose two patterns are
// scanned by hand rather than matched by regular expressions.
#include <QStringList>
#include <algorithm>

#include "tests/fuzz/describe.h"
#include "tests/fuzz/entries.h"
#include "validation/rules.h"

namespace lattora::fuzz {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype skipDigits(const QString& text, qsizetype i) {
    while (i < text.size() && isDigit(text.at(i))) {
        ++i;
    }
    return i;
}

// A positive whole number: no sign, no leading zero.
bool scanNumber(const QString& text) {
    return !text.isEmpty() && text.at(0) != QLatin1Char('0') && skipDigits(text, 0) == text.size();
}

// Optional sign; digits, or digits, a point and at least one digit; then an
// optional exponent of "e" or "E", an optional sign and digits.
bool scanDecimal(const QString& text) {
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        ++i;
    }
    const qsizetype start = i;
    i = skipDigits(text, start);
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        const qsizetype fraction = skipDigits(text, i + 1);
        if (fraction == i + 1) {
            return false;
        }
        i = fraction;
    } else if (i == start) {
        return false;
    }
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
            ++i;
        }
        const qsizetype exponent = skipDigits(text, i);
        if (exponent == i) {
            return false;
        }
        i = exponent;
    }
    return i == text.size();
}

RuleCheck modelRules(const QString& ruleText, const QString& text) {
    for (const QString& word : ruleText.split(QLatin1Char(';'))) {
        if (word == QLatin1String("validate_required") && text.isEmpty()) {
            return {FieldStatus::Required, kRequiredMessage};
        }
        if (word == QLatin1String("validate_name") &&
            std::any_of(text.begin(), text.end(), [](QChar c) {
                return c == QLatin1Char('~') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
            })) {
            return {FieldStatus::Malformed, kBadNameMessage};
        }
        if (word == QLatin1String("validate_number")) {
            return scanNumber(text) ? RuleCheck{}
                                    : RuleCheck{FieldStatus::Malformed, kMalformedMessage};
        }
        if (word == QLatin1String("validate_decimal")) {
            return scanDecimal(text) ? RuleCheck{}
                                     : RuleCheck{FieldStatus::Malformed, kMalformedMessage};
        }
    }
    return {};
}

QString statusName(FieldStatus status) {
    switch (status) {
        case FieldStatus::Valid: return QStringLiteral("valid");
        case FieldStatus::Malformed: return QStringLiteral("malformed");
        case FieldStatus::Required: return QStringLiteral("required");
    }
    return QStringLiteral("unknown");
}

}  // namespace

QString checkRuleTexts(Bytes input) {
    const auto* bytes = reinterpret_cast<const char*>(input.data());
    const auto split = std::find_if(input.begin(), input.end(),
                                    [](std::uint8_t b) { return b == 0 || b == '\n'; });
    const auto ruleLength = std::distance(input.begin(), split);
    const QString ruleText = QString::fromUtf8(bytes, ruleLength);
    const QString text =
        split == input.end()
            ? QString()
            : QString::fromUtf8(bytes + ruleLength + 1, std::ssize(input) - ruleLength - 1);

    if (matchesNumber(text) != scanNumber(text)) {
        return QStringLiteral("matchesNumber(%1) is %2")
            .arg(describe(text),
                 matchesNumber(text) ? QStringLiteral("true") : QStringLiteral("false"));
    }
    if (matchesDecimal(text) != scanDecimal(text)) {
        return QStringLiteral("matchesDecimal(%1) is %2")
            .arg(describe(text),
                 matchesDecimal(text) ? QStringLiteral("true") : QStringLiteral("false"));
    }

    const RuleCheck result = checkRules(ruleText, text);
    const RuleCheck expected = modelRules(ruleText, text);
    if (result.status != expected.status || result.message != expected.message) {
        return QStringLiteral("rules %1 on %2 gave %3 (%4), expected %5 (%6)")
            .arg(describe(ruleText), describe(text), statusName(result.status),
                 describe(result.message), statusName(expected.status), describe(expected.message));
    }
    return {};
}

}  // namespace lattora::fuzz
