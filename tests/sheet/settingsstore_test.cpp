#include "platform/settings/qsettingsstore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "sheet/error.h"
#include "sheet/settingsstore.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

class QSettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Lattora.conf")); }
};

TEST_F(QSettingsStoreTest, MissingKeyYieldsTheDefault) {
    QSettingsStore store(path());
    EXPECT_EQ(store.getSetting(Key::Subdiv10, QStringLiteral("0.39")), QStringLiteral("0.39"));
    EXPECT_EQ(store.getSetting(Key::Subdiv5, 0.2), QStringLiteral("0.2"));
    EXPECT_EQ(store.getSetting(Key::Scale, QString()), QString());
}

TEST_F(QSettingsStoreTest, ValuesSurviveAReopenVerbatim) {
    const QString templates =
        QStringLiteral("Black Lines~0|0|0|0|dot\r\nBlue, wide~16737843|16737843|1|2|solid\r\n");
    {
        QSettingsStore store(path());
        store.saveSetting(Key::StyleTemplates, templates);
        store.saveSetting(Key::Scale, kMetricWord);
        store.saveSetting(Key::Subdiv10, QStringLiteral("0.9906"));
        store.saveSetting(Key::CurrentStyle, QStringLiteral("Blue, wide"));
    }
    QSettingsStore reopened(path());
    EXPECT_EQ(reopened.getSetting(Key::StyleTemplates, QString()), templates);
    EXPECT_EQ(reopened.getSetting(Key::Subdiv10, QString()), QStringLiteral("0.9906"));
    EXPECT_EQ(reopened.getSetting(Key::CurrentStyle, QString()), QStringLiteral("Blue, wide"));
    EXPECT_TRUE(isMetric(reopened));
}

TEST_F(QSettingsStoreTest, FileIsIniWithTheProgramSection) {
    {
        QSettingsStore store(path());
        store.saveSetting(Key::Scale, kImperialWord);
    }
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Lattora]")) << text.constData();
    EXPECT_TRUE(text.contains("Scale=Imperial")) << text.constData();
}

TEST_F(QSettingsStoreTest, HandEditedCommaValueReadsAsWritten) {
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Lattora]\nCurrentStyle=Red,Blue\n");
    }
    QSettingsStore store(path());
    EXPECT_EQ(store.getSetting(Key::CurrentStyle, QString()), QStringLiteral("Red,Blue"));
}

TEST_F(QSettingsStoreTest, UnwritableFileRaisesInsteadOfLosingTheValue) {
    QSettingsStore store(dir.filePath(QStringLiteral("missing-folder/\0/x.conf")));
    EXPECT_THROW(store.saveSetting(Key::Scale, kMetricWord), Error);
}

TEST_F(QSettingsStoreTest, UserStoreLivesUnderTheOrganisationFolder) {
    QSettingsStore store;
    EXPECT_TRUE(store.fileName().endsWith(QStringLiteral("/Tarnhill/Lattora.conf")))
        << store.fileName().toStdString();
}

struct UnitCase {
    std::optional<const char*> scale;
    bool metric;
};

class UnitSystemTest : public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitSystemTest, OnlyTheExactWordMetricIsMetric) {
    test::MemoryStore store;
    if (GetParam().scale) {
        store.saveSetting(Key::Scale, QString::fromLatin1(*GetParam().scale));
    }
    EXPECT_EQ(isMetric(store), GetParam().metric);
    EXPECT_EQ(sheetUnit(unitSystem(store)), GetParam().metric ? Unit::Centimetre : Unit::Inch);
}

INSTANTIATE_TEST_SUITE_P(Words, UnitSystemTest,
                         ::testing::Values(UnitCase{std::nullopt, false}, UnitCase{"Metric", true},
                                           UnitCase{"metric", false}, UnitCase{"METRIC", false},
                                           UnitCase{"Metric ", false}, UnitCase{"Imperial", false},
                                           UnitCase{"", false}));

struct ReasonCase {
    const QString& key;
    const char* text;
    const char* reason;  // nullptr: the text serves
};

// Drawing reads the thresholds and widths in single precision, the
// graduations as numbers; the other keys take any text.
TEST(StoredValues, OnlyTextsTheProgramCanUseServe) {
    const ReasonCase cases[] = {
        {Key::HGraduation, "3", nullptr},
        {Key::HGraduation, " -2.5 ", nullptr},
        {Key::HGraduation, "1e308", nullptr},
        {Key::HGraduation, "abc", "is not a number"},
        {Key::HGraduation, "", "is not a number"},
        {Key::VGraduation, "1e999", "is beyond the range of numbers"},
        {Key::VGraduation, "1e-999", "is beyond the range of numbers"},
        {Key::VGraduation, "1e999x", "is not a number"},
        {Key::Subdiv10, "0.39", nullptr},
        {Key::Subdiv10, "3.4e38", nullptr},
        {Key::Subdiv10, "1e39", "is beyond single precision"},
        {Key::Subdiv5, "-1e39", "is beyond single precision"},
        {Key::Subdiv2, "0,5", "is not a number"},
        {Key::StyleWidthHeavy, "-5e999", "is beyond the range of numbers"},
        {Key::StyleWidthMedium, "inf", "is not a number"},
        {Key::StyleWidthMedium, "nan", "is not a number"},
        {Key::StyleWidthLight, "1e38", nullptr},
        {Key::StyleWidthLight, "1e308", "is beyond single precision"},
        {Key::Scale, "Metrix", nullptr},
        {Key::CurrentStyle, "", nullptr},
        {Key::StyleTemplates, "A~x|y\r\n", nullptr},
    };
    for (const ReasonCase& c : cases) {
        SCOPED_TRACE(c.key.toStdString() + " = " + c.text);
        const std::optional<QString> reason =
            unusableSettingReason(c.key, QString::fromLatin1(c.text));
        if (c.reason == nullptr) {
            EXPECT_FALSE(reason.has_value()) << reason->toStdString();
        } else {
            EXPECT_EQ(reason, QString::fromLatin1(c.reason));
        }
    }
}

TEST(StoredValues, DefaultsAreThoseOfAFreshStoreInEachUnitSystem) {
    const struct {
        const QString& key;
        const char* metric;
        const char* imperial;
    } rows[] = {
        {Key::HGraduation, "0", "0"},
        {Key::VGraduation, "0", "0"},
        {Key::Subdiv10, "0.99", "0.39"},
        {Key::Subdiv5, "0.51", "0.2"},
        {Key::Subdiv2, "0.2", "0.08"},
        {Key::StyleWidthHeavy, "13", "5"},
        {Key::StyleWidthMedium, "8", "3"},
        {Key::StyleWidthLight, "5", "2"},
        {Key::Scale, "", ""},
        {Key::StyleTemplates, "", ""},
        {Key::CurrentStyle, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key.toStdString());
        EXPECT_EQ(settingDefault(row.key, UnitSystem::Metric), QString::fromLatin1(row.metric));
        EXPECT_EQ(settingDefault(row.key, UnitSystem::Imperial), QString::fromLatin1(row.imperial));
    }
}

TEST(StoredValues, IgnoredSettingSaysWhatIsUsedInstead) {
    EXPECT_EQ(ignoredSettingText(Key::HGraduation, QStringLiteral("abc"),
                                 QStringLiteral("is not a number"), UnitSystem::Metric),
              QStringLiteral("\"H_Graduation\": \"abc\" is not a number; the default 0 is used"));
    EXPECT_EQ(ignoredSettingText(Key::StyleWidthHeavy, QStringLiteral("x"),
                                 QStringLiteral("is not a number"), UnitSystem::Imperial),
              QStringLiteral("\"StyleWidthHeavy\": \"x\" is not a number; the default 5 is used"));
    EXPECT_EQ(ignoredSettingText(Key::Scale, std::nullopt, QStringLiteral("does not hold text"),
                                 UnitSystem::Imperial),
              QStringLiteral("\"Scale\" does not hold text; imperial units are used"));
    EXPECT_EQ(ignoredSettingText(Key::StyleTemplates, std::nullopt,
                                 QStringLiteral("does not hold text"), UnitSystem::Metric),
              QStringLiteral("\"StyleTemplates\" does not hold text; the built-in line sets are "
                             "used"));
    // A "%" in the stored text is the user's, not a place to fill in.
    EXPECT_EQ(ignoredSettingText(Key::Subdiv10, QStringLiteral("%1%2"),
                                 QStringLiteral("is not a number"), UnitSystem::Metric),
              QStringLiteral("\"Subdiv10\": \"%1%2\" is not a number; the default 0.99 is used"));
}

TEST(StoredValues, ExcerptsAreShortAndShowControlCharacters) {
    const QString forty(40, QLatin1Char('a'));
    const std::pair<QString, QString> cases[] = {
        {QString(), QStringLiteral("\"\"")},
        {QStringLiteral("abc"), QStringLiteral("\"abc\"")},
        {forty, QLatin1Char('"') + forty + QLatin1Char('"')},
        {forty + QLatin1Char('b'),
         QLatin1Char('"') + forty + QStringLiteral("\u2026\" (41 characters)")},
        {QString(1048576, QLatin1Char('9')), QLatin1Char('"') + QString(40, QLatin1Char('9')) +
                                                 QStringLiteral("\u2026\" (1048576 characters)")},
        {QStringLiteral("a\nb\tc") + QChar(0) + QStringLiteral("%1"),
         QStringLiteral("\"a\uFFFDb\uFFFDc\uFFFD%1\"")},
        // A character of two code units is never cut in half.
        {QString(39, QLatin1Char('a')) + QStringLiteral("\U0001F600x"),
         QLatin1Char('"') + QString(39, QLatin1Char('a')) +
             QStringLiteral("\u2026\" (42 characters)")},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(quotedExcerpt(text), shown) << text.left(60).toStdString();
    }
}

// A value the program cannot use reads as absent, so every reader takes the
// default a fresh store gives; the store tells it once, and keeps it.
TEST_F(QSettingsStoreTest, UnusableValueReadsAsAbsentAndIsTold) {
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Lattora]\nScale=Metric\nSubdiv10=1e39\nSubdiv5=0.4\n");
    }
    QSettingsStore store(path());
    EXPECT_EQ(store.getSetting(Key::Subdiv10, QStringLiteral("0.99")), QStringLiteral("0.99"));
    EXPECT_EQ(store.getSetting(Key::Subdiv5, QStringLiteral("0.51")), QStringLiteral("0.4"));
    EXPECT_EQ(store.passedOver(),
              QStringList{QStringLiteral("\"Subdiv10\": \"1e39\" is beyond single precision; the "
                                         "default 0.99 is used")});
    store.saveSetting(Key::Subdiv5, QStringLiteral("0.3"));
    EXPECT_EQ(QSettings(path(), QSettings::IniFormat).value(QStringLiteral("Lattora/Subdiv10")),
              QStringLiteral("1e39"));
}

TEST(ReadOnlySettings, ReadsThroughAndDropsWrites) {
    test::MemoryStore inner{{Key::CurrentStyle, QStringLiteral("Red Lines")}};
    ReadOnlySettings store(inner);
    store.saveSetting(Key::CurrentStyle, QStringLiteral("Black Lines"));
    EXPECT_EQ(store.getSetting(Key::CurrentStyle, QString()), QStringLiteral("Red Lines"));
    EXPECT_TRUE(inner.writes().isEmpty());
}

}  // namespace
}  // namespace lattora
