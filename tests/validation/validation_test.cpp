#include "validation/validation.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "platform/ui/errorreport.h"
#include "sheet/error.h"
#include "tests/support/recordingboxes.h"

namespace lattora {
namespace {

struct RuleCase {
    const char* rules;
    const char* text;
    FieldStatus status;
};

class RuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleTest, ChecksLeftToRightAndStopsAtTheFirstPattern) {
    const RuleCase& c = GetParam();
    const RuleCheck check = checkRules(QString::fromUtf8(c.rules), QString::fromUtf8(c.text));
    EXPECT_EQ(check.status, c.status) << c.rules << " / \"" << c.text << "\"";
    const QString expected = c.status == FieldStatus::Valid      ? QString()
                             : c.status == FieldStatus::Required ? kRequiredMessage
                             : QString::fromUtf8(c.rules).contains(QStringLiteral("name"))
                                 ? kBadNameMessage
                                 : kMalformedMessage;
    EXPECT_EQ(check.message, expected);
}

constexpr auto V = FieldStatus::Valid;
constexpr auto M = FieldStatus::Malformed;
constexpr auto R = FieldStatus::Required;

INSTANTIATE_TEST_SUITE_P(
    Rules, RuleTest,
    ::testing::Values(
        // The decimal rule.
        RuleCase{"validate_decimal", "5", V}, RuleCase{"validate_decimal", "-5", V},
        RuleCase{"validate_decimal", "+.5", V}, RuleCase{"validate_decimal", "1.25e3", V},
        RuleCase{"validate_decimal", "2E-2", V}, RuleCase{"validate_decimal", "5.", M},
        RuleCase{"validate_decimal", "1,5", M}, RuleCase{"validate_decimal", "1e", M},
        RuleCase{"validate_decimal", " 5", M}, RuleCase{"validate_decimal", "5\n", M},
        RuleCase{"validate_decimal", "\u0665", M},  // an Arabic-Indic five is no digit here
        // An empty field under the decimal rule alone is malformed, not missing.
        RuleCase{"validate_decimal", "", M},
        // The number rule.
        RuleCase{"validate_number", "1", V}, RuleCase{"validate_number", "250", V},
        RuleCase{"validate_number", "0", M}, RuleCase{"validate_number", "012", M},
        RuleCase{"validate_number", "+5", M}, RuleCase{"validate_number", "5.0", M},
        // Required first: an empty field never reaches the pattern; blanks are not empty.
        RuleCase{"validate_required;validate_decimal", "", R},
        RuleCase{"validate_required;validate_decimal", "   ", M},
        RuleCase{"validate_required;validate_decimal", "0.5", V},
        // A pattern word ends the check: the required word after it is never read.
        RuleCase{"validate_number;validate_required", "", M},
        RuleCase{"validate_decimal;validate_number", "2.5", V},
        // Words are exact: blanks or capitals make another word, which is ignored.
        RuleCase{"validate_required ;validate_decimal", "", M},
        RuleCase{"Validate_Required", "", V}, RuleCase{"", "anything", V},
        // Names that would cut a stored line-set list.
        RuleCase{"validate_required;validate_name", "Blue Lines", V},
        RuleCase{"validate_required;validate_name", "", R},
        RuleCase{"validate_required;validate_name", "A~B", M},
        RuleCase{"validate_required;validate_name", "A\r\nB", M},
        RuleCase{"validate_required;validate_name", "A\nB", M}));

// A window with a field of its own and fields inside nested group boxes, plus
// controls that are never checked.
class ValidationWindow : public ::testing::Test {
protected:
    ValidationWindow() {
        top = field(&window, "validate_required;validate_decimal", "top");
        auto* outer = new QGroupBox(&window);
        auto* inner = new QGroupBox(outer);
        nested = field(inner, "validate_number", "nested");
        untagged = new QLineEdit(outer);
        untagged->setText(QStringLiteral("not checked"));
        auto* box = new QCheckBox(inner);
        box->setProperty(kTagProperty, QStringLiteral("validate_required"));
    }

    static QLineEdit* field(QWidget* parent, const char* rules, const char* name) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QString::fromLatin1(name));
        setFieldRules(edit, QString::fromLatin1(rules));
        return edit;
    }

    static QColor base(const QLineEdit* edit) { return edit->palette().color(QPalette::Base); }

    QWidget window;
    QLineEdit* top;
    QLineEdit* nested;
    QLineEdit* untagged;
};

// The window's own fields come first, then each container's, breadth first:
// a container made before a top-level field still has its fields after it, and
// a field two levels down comes after every field one level down.
TEST(ValidationWalk, TheWindowsFieldsFirstThenBreadthFirst) {
    QWidget window;
    auto* first = new QGroupBox(&window);
    auto* deep = new QGroupBox(first);
    auto* deepField = new QLineEdit(deep);
    auto* shallowField = new QLineEdit(first);
    auto* second = new QGroupBox(&window);
    auto* secondField = new QLineEdit(second);
    auto* topField = new QLineEdit(&window);
    for (QLineEdit* edit : {deepField, shallowField, secondField, topField}) {
        setFieldRules(edit, QStringLiteral("validate_decimal"));
    }
    topField->setText(QStringLiteral("x"));
    const QList<ValidationResults> results = DoControlValidation(&window);
    ASSERT_EQ(results.size(), 4);
    EXPECT_EQ(results[0].vControl, topField);
    EXPECT_EQ(results[1].vControl, shallowField);
    EXPECT_EQ(results[2].vControl, secondField);
    EXPECT_EQ(results[3].vControl, deepField);
    EXPECT_EQ(results[0].vValid, 1);
    EXPECT_EQ(results[0].vMessage, QStringLiteral("Decimal number required."));
}

TEST_F(ValidationWindow, ChecksOnlyTaggedLineEdits) {
    top->setText(QStringLiteral("1.5"));
    nested->setText(QStringLiteral("7"));
    const QList<ValidationResults> results = DoControlValidation(&window);
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[0].vValid, 0);
    EXPECT_EQ(results[1].vValid, 0);
}

TEST_F(ValidationWindow, ColoursTipsAndTheSummaryFollowTheWorstResult) {
    const QColor normal = base(untagged);
    const QColor orange(255, 192, 128);
    const QColor red(255, 0, 0);
    const QString required = QStringLiteral("Some fields are required, please fill them.");
    const QString invalid = QStringLiteral("Some fields are invalid, please correct them.");
    struct Step {
        const char* top;
        const char* nested;
        QString summary;
        QColor topColour;
        QColor nestedColour;
        const char* topTip;
    };
    const Step steps[] = {
        {"", "7", required, orange, normal, "Field is required."},
        // One empty required field and one malformed field: the second summary wins.
        {"", "07", invalid, orange, red, "Field is required."},
        {"x", "7", invalid, red, normal, "Decimal number required."},
        // Valid again: the normal background and no tip come back.
        {"2.5", "7", QString(), normal, normal, ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message()
                     << "top \"" << s.top << "\", nested \"" << s.nested << "\"");
        top->setText(QString::fromLatin1(s.top));
        nested->setText(QString::fromLatin1(s.nested));
        EXPECT_EQ(DoControlValidationColor(&window), s.summary);
        EXPECT_EQ(base(top), s.topColour);
        EXPECT_EQ(base(nested), s.nestedColour);
        EXPECT_EQ(top->toolTip(), QString::fromLatin1(s.topTip));
        EXPECT_EQ(nested->toolTip().isEmpty(), s.nestedColour == normal);
    }
    EXPECT_EQ(untagged->toolTip(), QString());
}

TEST(DoesPropertyExist, AnswersForDeclaredDynamicAndChildControls) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setProperty(kTagProperty, QStringLiteral("validate_required"));
    EXPECT_TRUE(DoesPropertyExist(edit, QStringLiteral("tag"), kReadableProperty));
    EXPECT_TRUE(DoesPropertyExist(edit, QStringLiteral("TEXT"), kReadableProperty));
    EXPECT_FALSE(DoesPropertyExist(&window, QStringLiteral("Tag"), kReadableProperty));
    EXPECT_TRUE(DoesPropertyExist(&window, QStringLiteral("Controls"), kReadableProperty));
    EXPECT_FALSE(DoesPropertyExist(edit, QStringLiteral("Controls"), kReadableProperty));
    EXPECT_FALSE(DoesPropertyExist(edit, QStringLiteral("Tag"), 1));
    EXPECT_FALSE(DoesPropertyExist(nullptr, QStringLiteral("Tag"), kReadableProperty));
}

TEST(ErrorReport, ReportsWhereItFailedAndGoesOnWithTheNextStatement) {
    test::RecordingBoxes boxes;
    ErrorReport report(boxes);
    ReportingScope scope(report, QStringLiteral("Form1"), QStringLiteral("PushButton14_Click"));
    QStringList done;
    scope([&] { done << QStringLiteral("first"); });
    const int failingLine = __LINE__ + 1;
    scope([&] { throw Error(QStringLiteral("Division by zero")); });
    scope([&] { throw std::runtime_error("vector too long"); });
    scope([&] { done << QStringLiteral("last"); });

    EXPECT_EQ(done, (QStringList{QStringLiteral("first"), QStringLiteral("last")}));
    EXPECT_TRUE(scope.failed());
    ASSERT_EQ(boxes.errors().size(), 2);
    EXPECT_TRUE(boxes.messages().isEmpty());
    const QString text = boxes.errors().at(0);
    EXPECT_EQ(text, QStringLiteral("Division by zero\r\nin LattoraGrid2021/08/31.Form1."
                                   "PushButton14_Click at line %1\r\r"
                                   "Please send a screenshot of this message to %2.")
                        .arg(failingLine)
                        .arg(kSupportAddress));
    EXPECT_TRUE(boxes.errors().at(1).startsWith(QStringLiteral("vector too long\r\n")));
}

TEST(ErrorReport, ProblemsHandedBackAreReportedAtTheStepsLine) {
    test::RecordingBoxes boxes;
    ErrorReport report(boxes);
    ReportingScope scope(report, QStringLiteral("frmStyles"), QStringLiteral("LoadSettings"));
    const int line = __LINE__ + 1;
    scope.collect([] { return QStringList{QStringLiteral("one"), QStringLiteral("two")}; });
    ASSERT_EQ(boxes.errors().size(), 2);
    for (const QString& text : boxes.errors()) {
        EXPECT_TRUE(
            text.contains(QStringLiteral("frmStyles.LoadSettings at line %1\r\r").arg(line)))
            << text.toStdString();
    }
    EXPECT_TRUE(boxes.errors().at(1).startsWith(QStringLiteral("two\r\n")));
}

TEST(MessageBoxes, TextIsShownAsWrittenNeverAsMarkup) {
    const QString text = QStringLiteral("Type mismatch: \"<i>x</i>\" is not a number\r\nin");
    for (const bool error : {false, true}) {
        std::unique_ptr<QMessageBox> box(createMessageBox(nullptr, text, error));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->text(), text);
        EXPECT_EQ(box->windowTitle(),
                  error ? QStringLiteral("Application Error") : QStringLiteral("Lattora"));
        EXPECT_EQ(box->icon(), error ? QMessageBox::Warning : QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    }
}

TEST(ErrorReport, AScopeWithoutFailuresShowsNothing) {
    test::RecordingBoxes boxes;
    ErrorReport report(boxes);
    ReportingScope scope(report, QStringLiteral("frmConfig"), QStringLiteral("LoadSettings"));
    EXPECT_TRUE(scope([] {}));
    EXPECT_FALSE(scope.failed());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace lattora
