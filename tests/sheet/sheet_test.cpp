// Number texts, the rules of stored values and the unit word.
#include <gtest/gtest.h>

#include <QLocale>
#include <limits>
#include <tuple>
#include <vector>

#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/settingsstore.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

// Only plain decimal numbers read: no words from_chars would take, no second
// sign, no comma, nothing beyond a double's range; the desktop's locale
// changes nothing.
TEST(NumberText, ParsesOnlyDecimalNumbersInAnyLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::pair<const char*, std::optional<double>> rows[] = {
        {"5", 5.0},       {"-5", -5.0}, {"+.5", 0.5}, {"1.25e3", 1250.0}, {"2E-2", 0.02},
        {" 0.99 ", 0.99}, {"", {}},     {"   ", {}},  {"1,5", {}},        {"0.5cm", {}},
        {"abc", {}},      {"inf", {}},  {"nan", {}},  {"0x10", {}},       {"+-1", {}},
        {"++1", {}},      {"1e999", {}}};
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(tryParseNumber(QString::fromLatin1(text)), expected) << text;
    EXPECT_EQ(formatNumber(0.51), QStringLiteral("0.51"));
    QLocale::setDefault(saved);
    EXPECT_THROW(parseNumber(u"thirteen"), Error);
}

// Shortest round trip for doubles; seven significant digits for singles;
// single precision refuses NaN and what it cannot hold.
TEST(NumberText, FormatsAndNarrows) {
    for (const double v : {0.1, 1.0 / 3, 0.1f + 0.0, 1e-7, 123456789.125, -2.5e300})
        EXPECT_EQ(parseNumber(formatNumber(v)), v) << v;
    EXPECT_EQ(formatSingle(1.0f / 3), QStringLiteral("0.3333333"));
    EXPECT_EQ(toSingle(-3.4e38), -3.4e38f);
    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), 3.5e38, -1e39})
        EXPECT_THROW(toSingle(bad), Error) << bad;
}

// Drawing reads the thresholds and widths in single precision, the
// graduations as slider positions; the other keys, and keys not the
// program's, take any text. A number beyond a double's range is told apart
// from a word.
TEST(StoredValues, OnlyTextsTheProgramCanUseServe) {
    // Key, why its texts cannot serve (nullptr: they serve), the texts.
    const std::tuple<QString, const char*, std::vector<const char*>> rows[] = {
        {Key::HGraduation, nullptr, {"3", " -10 ", "1e1", "-0"}},
        {Key::VGraduation, "is not a whole number from -10 to 10", {"11", "-10.5", "2.5", "1e308"}},
        {Key::Subdiv10, nullptr, {"3.4e38", "-1e38"}},
        {Key::Scale, nullptr, {"Metrix", ""}},
        {QStringLiteral("Unknown"), nullptr, {"abc"}},
        {Key::VGraduation, "is not a number", {"abc", "", "1e999x", "nan", "0,5"}},
        {Key::StyleWidthLight, "is not a number", {"inf"}},
        {Key::VGraduation, "is beyond the range of numbers", {"1e999", "+1e-999"}},
        {Key::StyleWidthHeavy, "is beyond the range of numbers", {"-5e999"}},
        {Key::Subdiv5, "is beyond single precision", {"1e39", "-1e39"}},
        {Key::StyleWidthMedium, "is beyond single precision", {"1e308"}},
    };
    for (const auto& [key, why, texts] : rows) {
        for (const char* text : texts) {
            const auto reason = unusableSettingReason(key, QString::fromLatin1(text));
            EXPECT_EQ(reason.value_or(QString()), QString::fromLatin1(why))
                << key.toStdString() << " = " << text;
            EXPECT_EQ(reason.has_value(), why != nullptr);
        }
    }
}

// Cut after 40 characters, never inside a character of two code units;
// control characters and line separators escaped; a "%" is the user's, not a
// place to fill in.
TEST(StoredValues, ExcerptsAreShortAndShowControlCharacters) {
    const QString forty(40, QLatin1Char('a'));
    const std::pair<QString, QString> rows[] = {
        {forty, u'"' + forty + u'"'},
        {forty + u'b', u'"' + forty + QStringLiteral("\u2026\" (41 characters)")},
        {QStringLiteral("a\nb\tc\u009b\u2028") + QChar(0) + QChar(0x7f) + QStringLiteral(" %1"),
         QStringLiteral("\"a\\u000ab\\u0009c\\u009b\\u2028\\u0000\\u007f %1\"")},
        {QString(39, u'a') + QStringLiteral("\U0001F600x"),
         u'"' + QString(39, u'a') + QStringLiteral("\u2026\" (42 characters)")},
    };
    for (const auto& [text, shown] : rows)
        EXPECT_EQ(quotedExcerpt(text), shown) << text.toStdString();
}

// Only the exact word "Metric" means metric; a missing key is imperial.
TEST(StoredValues, OnlyTheExactWordMetricIsMetric) {
    EXPECT_EQ(unitSystem(test::MemoryStore{{Key::Scale, QStringLiteral("Metric")}}),
              UnitSystem::Metric);
    EXPECT_EQ(unitSystem(test::MemoryStore{}), UnitSystem::Imperial);
    for (const char* word : {"metric", "METRIC", "Metric ", "Imperial", ""})
        EXPECT_EQ(unitSystem(test::MemoryStore{{Key::Scale, QString::fromLatin1(word)}}),
                  UnitSystem::Imperial)
            << word;
}

}  // namespace
}  // namespace lattora
