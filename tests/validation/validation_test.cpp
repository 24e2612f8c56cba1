// Field rules and the walk that colours a window's fields by them.
#include "validation/validation.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <tuple>
#include <vector>

#include "sheet/settingsstore.h"

namespace lattora {
namespace {

// Words left to right: required stops at an empty text, name at "~" or a line
// break, single at a number the store would not read back, the first pattern
// decides and ends the check. Words are exact. Results: V valid, R required,
// D malformed number, N malformed name, L too large, S too small.
TEST(FieldRules, CheckLeftToRightAndStopAtTheFirstPattern) {
    const std::tuple<const char*, char, std::vector<const char*>> rows[] = {
        {"validate_decimal", 'V', {"5", "-5", "+.5", "1.25e3", "2E-2"}},
        {"validate_decimal", 'D', {"5.", "1,5", "1e", " 5", "5\n", "\u0665", ""}},
        {"validate_number", 'V', {"1", "250"}},
        {"validate_number", 'D', {"0", "012", "+5", "5.0"}},
        {"validate_required;validate_decimal", 'R', {""}},
        {"validate_required;validate_decimal", 'D', {"   "}},
        {"validate_number;validate_required", 'D', {""}},
        {"validate_decimal;validate_number", 'V', {"2.5"}},
        {"validate_required ;validate_decimal", 'D', {""}},
        {"Validate_Required", 'V', {""}},
        {"", 'V', {"anything"}},
        {"validate_required;validate_name", 'V', {"Blue Lines"}},
        {"validate_name;validate_number", 'N', {"A~1", "A\rB", "A\nB"}},
        // clang-format off
        {"validate_single;validate_decimal", 'L', {"1e39", "-3.5e38", "1e999", "1000000000000000000000000000000000000000000000"}},
        // clang-format on
        {"validate_single;validate_decimal", 'S', {"1e-999", "-.1e-400"}},
        {"validate_single;validate_decimal", 'V', {"3.4e38", "-1e-40", "0.39"}},
        {"validate_single;validate_decimal", 'D', {"1e39x", ""}}};
    for (const auto& [rules, result, texts] : rows) {
        const auto [status, message] =
            result == 'V'   ? std::pair(FieldStatus::Valid, QString())
            : result == 'R' ? std::pair(FieldStatus::Required, kRequiredMessage)
            : result == 'D' ? std::pair(FieldStatus::Malformed, kMalformedMessage)
            : result == 'L' ? std::pair(FieldStatus::Malformed, kTooLargeMessage)
            : result == 'S' ? std::pair(FieldStatus::Malformed, kTooSmallMessage)
                            : std::pair(FieldStatus::Malformed, kBadNameMessage);
        for (const char* text : texts) {
            const RuleCheck check = checkRules(QString::fromUtf8(rules), QString::fromUtf8(text));
            EXPECT_EQ(check.status, status) << rules << " / \"" << text << "\"";
            EXPECT_EQ(check.message, message) << rules << " / \"" << text << "\"";
            // What the field takes, a stored width or threshold reads back.
            EXPECT_TRUE(!QByteArrayView(rules).startsWith("validate_single") ||
                        unusableSettingReason(Key::Subdiv2, QString::fromUtf8(text)).has_value() ==
                            (status != FieldStatus::Valid));
        }
    }
}

// The window's own fields first, then each container's, breadth first; only
// line edits with rules are checked, and each is coloured by its result. The
// properties it looks for are found without regard to case, for reading only.
TEST(FieldWalk, VisitsBreadthFirstAndColoursByTheWorstResult) {
    QWidget window;
    auto* first = new QGroupBox(&window);
    auto* deep = new QLineEdit(new QGroupBox(first));
    auto* shallow = new QLineEdit(first);
    auto* second = new QLineEdit(new QGroupBox(&window));
    auto* top = new QLineEdit(&window);
    auto* untagged = new QLineEdit(first);
    setFieldRules(new QCheckBox(first), QStringLiteral("validate_required"));
    setFieldRules(top, QStringLiteral("validate_required;validate_decimal"));
    setFieldRules(deep, QStringLiteral("validate_number"));
    for (QLineEdit* edit : {shallow, second})
        setFieldRules(edit, QStringLiteral("validate_name"));
    QList<QWidget*> visited;
    for (const ValidationResults& result : DoControlValidation(&window))
        visited << result.vControl;
    EXPECT_EQ(visited, (QList<QWidget*>{top, shallow, second, deep}));
    const QColor normal = untagged->palette().color(QPalette::Base);
    const std::tuple<const char*, const char*, QString, QColor, QColor, QString> steps[] = {
        {"", "7", kRequiredSummary, kRequiredColor, normal, kRequiredMessage},
        {"", "07", kInvalidSummary, kRequiredColor, kMalformedColor, kRequiredMessage},
        {"x", "7", kInvalidSummary, kMalformedColor, normal, kMalformedMessage},
        {"2.5", "7", QString(), normal, normal, QString()},
    };
    for (const auto& [topText, deepText, summary, topColour, deepColour, topTip] : steps) {
        top->setText(QString::fromLatin1(topText));
        deep->setText(QString::fromLatin1(deepText));
        EXPECT_EQ(DoControlValidationColor(&window), summary) << topText << " / " << deepText;
        EXPECT_EQ(top->palette().color(QPalette::Base), topColour);
        EXPECT_EQ(deep->palette().color(QPalette::Base), deepColour);
        EXPECT_EQ(top->toolTip(), topTip);
        EXPECT_EQ(deep->toolTip().isEmpty(), deepColour == normal);
    }
    EXPECT_EQ(untagged->toolTip(), QString());
    EXPECT_TRUE(DoesPropertyExist(top, QStringLiteral("tag"), kReadableProperty));
    EXPECT_TRUE(DoesPropertyExist(top, QStringLiteral("TEXT"), kReadableProperty));
    EXPECT_TRUE(DoesPropertyExist(first, QStringLiteral("controls"), kReadableProperty));
    EXPECT_FALSE(DoesPropertyExist(top, QStringLiteral("Controls"), kReadableProperty));
    EXPECT_FALSE(DoesPropertyExist(top, QStringLiteral("Tag"), 1));
}

}  // namespace
}  // namespace lattora
