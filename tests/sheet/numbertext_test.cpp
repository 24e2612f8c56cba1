#include "sheet/numbertext.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "sheet/error.h"

namespace lattora {
namespace {

struct ParseCase {
    const char* text;
    std::optional<double> expected;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsOnlyDecimalNumbers) {
    const ParseCase& c = GetParam();
    const std::optional<double> value = tryParseNumber(QString::fromLatin1(c.text));
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << c.text;
    if (c.expected) {
        EXPECT_DOUBLE_EQ(*value, *c.expected) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberTest,
    ::testing::Values(ParseCase{"5", 5.0}, ParseCase{"-5", -5.0}, ParseCase{"+.5", 0.5},
                      ParseCase{"1.25e3", 1250.0}, ParseCase{"2E-2", 0.02},
                      ParseCase{" 0.99 ", 0.99}, ParseCase{"0.2", 0.2}, ParseCase{"", std::nullopt},
                      ParseCase{"   ", std::nullopt}, ParseCase{"1,5", std::nullopt},
                      ParseCase{"0.5cm", std::nullopt}, ParseCase{"abc", std::nullopt},
                      ParseCase{"inf", std::nullopt}, ParseCase{"nan", std::nullopt},
                      ParseCase{"0x10", std::nullopt}, ParseCase{"+-1", std::nullopt},
                      ParseCase{"++1", std::nullopt}, ParseCase{"1e999", std::nullopt}));

TEST(ParseNumber, IgnoresTheDesktopLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(parseNumber(u"0.51"), 0.51);
    EXPECT_FALSE(tryParseNumber(u"0,51"));
    EXPECT_EQ(formatNumber(0.51), QStringLiteral("0.51"));
    QLocale::setDefault(saved);
}

TEST(ParseNumber, NamesTheTextItCouldNotRead) {
    try {
        parseNumber(u"thirteen");
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("thirteen")));
    }
}

TEST(FormatNumber, RoundTripsEveryDouble) {
    for (const double v : {0.1, 1.0 / 3, 0.1f + 0.0, 1e-7, 123456789.125, -2.5e300}) {
        EXPECT_EQ(parseNumber(formatNumber(v)), v) << formatNumber(v).toStdString();
    }
    EXPECT_EQ(formatNumber(13), QStringLiteral("13"));
    EXPECT_EQ(formatNumber(0.1), QStringLiteral("0.1"));
}

TEST(FormatSingle, KeepsSevenSignificantDigits) {
    // A single converted in double precision and stored back as a single.
    EXPECT_EQ(formatSingle(static_cast<float>(0.39f * 2.54)), QStringLiteral("0.9906"));
    EXPECT_EQ(formatSingle(static_cast<float>(0.08f * 2.54)), QStringLiteral("0.2032"));
    EXPECT_EQ(formatSingle(1.0f / 3), QStringLiteral("0.3333333"));
}

}  // namespace
}  // namespace lattora
