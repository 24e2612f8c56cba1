// The checking rules of input fields. A field carries its rules as text, rule
// words separated by ";": "validate_required", "validate_number",
// "validate_decimal", "validate_name" and "validate_single". Any other word is
// ignored.
#pragma once

#include <QString>
#include <optional>

namespace lattora {

enum class FieldStatus { Valid = 0, Malformed = 1, Required = 2 };

struct RuleCheck {
    FieldStatus status = FieldStatus::Valid;
    QString message;  // empty when valid
};

inline const QString kRequiredMessage = QStringLiteral("Field is required.");
inline const QString kMalformedMessage = QStringLiteral("Decimal number required.");
inline const QString kBadNameMessage = QStringLiteral("Name must not contain ~ or line breaks.");
inline const QString kTooLargeMessage = QStringLiteral("Number too large.");
inline const QString kTooSmallMessage = QStringLiteral("Number too small.");
inline const QString kRequiredSummary =
    QStringLiteral("Some fields are required, please fill them.");
inline const QString kInvalidSummary =
    QStringLiteral("Some fields are invalid, please correct them.");

// Words are taken left to right: "validate_required" stops at an empty text;
// "validate_name" stops at a text holding "~" or a line break, which would cut
// a stored line-set list; "validate_single" stops at a decimal number that
// single precision cannot hold, which the settings store would read back as
// absent; the first pattern word decides and ends the check, so words after
// it are never evaluated. Patterns test the whole text, case-sensitively.
RuleCheck checkRules(const QString& ruleText, const QString& text);

// A field of a number of equal parts ("N divided"): a whole number from 1 up,
// so that every part is drawn and the last line falls on the far edge.
inline const QString kDivisionCountRules = QStringLiteral("validate_required;validate_number");

// The count such a field's text gives, or nothing when its rules refuse it.
std::optional<double> divisionCount(const QString& text);

// The two patterns on their own: a positive whole number without sign or
// leading zero; a decimal number with optional sign, fraction and exponent.
bool matchesNumber(const QString& text);
bool matchesDecimal(const QString& text);

}  // namespace lattora
