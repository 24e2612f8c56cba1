// The real settings file, damaged in each way a user may come to have it, read
// through the store and both loaders: what falls back to its default, what is
// kept, what the user is told, and that reading writes nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <optional>

#include "config/configsettings.h"
#include "linesets/templates.h"
#include "platform/settings/qsettingsstore.h"
#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "tests/settings/damagedfiles.h"

namespace lattora::test {
namespace {

const QString kAbsent = QStringLiteral("<absent>");

class DamagedFileRead : public ::testing::TestWithParam<DamagedFile> {
protected:
    ConfigHome home;
};

TEST_P(DamagedFileRead, KeepsWhatCanBeReadAndFallsBackOnTheRest) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    const QSettingsStore store;
    ASSERT_EQ(store.fileName(), home.file());
    for (const auto& [key, value] : damaged.kept) {
        EXPECT_EQ(store.getSetting(key, kAbsent), value) << key.toStdString();
    }
    for (const QString& key : damaged.fallBack) {
        EXPECT_EQ(store.getSetting(key, kAbsent), kAbsent) << key.toStdString();
    }
    EXPECT_EQ(isMetric(store), damaged.metric);
}

// The store's list and the loaders' problems are what both programs tell.
TEST_P(DamagedFileRead, TellsEachIgnoredSettingOnce) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    const QSettingsStore store;
    QStringList told = store.passedOver();
    ConfigSettings config;
    told << LoadSettings(config, store);
    LineSetEditor lineSets;
    told << LoadSettings(lineSets, store);
    EXPECT_TRUE(tellsWhatWasIgnored(damaged, told));
    for (const QString& entry : told) {
        // A damaged value of a megabyte is told in a line, not a megabyte.
        EXPECT_LT(entry.size(), 400) << entry.left(400).toStdString();
    }
}

TEST_P(DamagedFileRead, LoadersTakeTheDefaultsOfAFreshStoreForWhatFellBack) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    const QSettingsStore store;
    const UnitSystem system = damaged.metric ? UnitSystem::Metric : UnitSystem::Imperial;
    const auto kept = [&](const QString& key) -> std::optional<QString> {
        for (const auto& [k, v] : damaged.kept) {
            if (k == key) {
                return v;
            }
        }
        return std::nullopt;
    };

    ConfigSettings config;
    LoadSettings(config, store);
    EXPECT_EQ(config.unitSystem, system);
    for (auto [key, text] :
         {std::pair{&Key::Subdiv10, &config.subdiv10}, std::pair{&Key::Subdiv5, &config.subdiv5},
          std::pair{&Key::Subdiv2, &config.subdiv2}}) {
        EXPECT_EQ(*text, kept(*key).value_or(settingDefault(*key, system))) << key->toStdString();
    }
    for (auto [key, position] : {std::pair{&Key::HGraduation, config.hGraduation},
                                 std::pair{&Key::VGraduation, config.vGraduation}}) {
        const std::optional<QString> text = kept(*key);
        const int expected =
            text ? static_cast<int>(std::lround(std::clamp(parseNumber(*text), -10.0, 10.0))) : 0;
        EXPECT_EQ(position, expected) << key->toStdString();
    }
    // Drawing reads every threshold in single precision; none may fail.
    EXPECT_NO_THROW(subdivisionLimits(config));

    LineSetEditor lineSets;
    LoadSettings(lineSets, store);
    EXPECT_GE(lineSets.currentIndex, 0);
    EXPECT_EQ(lineSets.storedSetsLoaded, kept(Key::StyleTemplates).has_value());
    if (lineSets.storedSetsLoaded) {
        EXPECT_EQ(lineSets.widths.heavy, kept(Key::StyleWidthHeavy).value_or(QString()));
        EXPECT_EQ(lineSets.widths.medium, kept(Key::StyleWidthMedium).value_or(QString()));
        EXPECT_EQ(lineSets.widths.light, kept(Key::StyleWidthLight).value_or(QString()));
    }
}

TEST_P(DamagedFileRead, ReadingWritesNothing) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    const ConfigHome::Snapshot before = home.snapshot();
    {
        QSettingsStore store;
        ConfigSettings config;
        LoadSettings(config, store);
        LineSetEditor lineSets;
        LoadSettings(lineSets, store);
        LoadSettings(lineSets, store);
    }
    EXPECT_EQ(home.snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFileRead, ::testing::ValuesIn(damagedFiles()), testName);

TEST(MegabyteTemplates, AreReadWhole) {
    ConfigHome home;
    home.write(hugeManyLinesTemplate());
    const QSettingsStore store;
    LineSetEditor lineSets;
    EXPECT_TRUE(LoadSettings(lineSets, store).isEmpty());
    const int sets = hugeManyLinesTemplateSets();
    ASSERT_EQ(lineSets.sets.size(), sets);
    EXPECT_EQ(lineSets.currentIndex, sets - 1);
    EXPECT_EQ(lineSets.colors.heavyColor, static_cast<ColorValue>(sets - 1));
    EXPECT_EQ(lineSets.colors.subdivStyle, SubdivStyle::Dash);

    ConfigHome other;
    other.write(hugeOneLineTemplate());
    const QSettingsStore oneLine;
    LineSetEditor one;
    one.colors.heavyColor = 77;
    const QStringList problems = LoadSettings(one, oneLine);
    ASSERT_EQ(one.sets.size(), 1);
    EXPECT_EQ(one.sets.at(0).name, QString(512 * 1024, QLatin1Char('N')));
    EXPECT_EQ(one.colors.heavyColor, 77u);  // the part that overflowed leaves it
    EXPECT_EQ(one.colors.subdivStyle, SubdivStyle::Dot);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.first().contains(QStringLiteral("(524288 characters)")))
        << problems.first().toStdString();
}

}  // namespace
}  // namespace lattora::test
