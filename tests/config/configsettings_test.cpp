#include "config/configsettings.h"

#include <gtest/gtest.h>

#include "sheet/error.h"
#include "tests/config/printers.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

using test::MemoryStore;

TEST(ConfigLoad, DefaultsFollowTheStoredUnitSystem) {
    const struct {
        std::optional<QString> scale;
        UnitSystem unit;
        const char* subdiv10;
        const char* subdiv5;
        const char* subdiv2;
    } rows[] = {
        {std::nullopt, UnitSystem::Imperial, "0.39", "0.2", "0.08"},
        {QStringLiteral("Metric"), UnitSystem::Metric, "0.99", "0.51", "0.2"},
        {QStringLiteral("metric"), UnitSystem::Imperial, "0.39", "0.2", "0.08"},
        {QStringLiteral("Imperial"), UnitSystem::Imperial, "0.39", "0.2", "0.08"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scale.value_or(QStringLiteral("<absent>")).toStdString());
        MemoryStore store;
        if (row.scale) {
            store.saveSetting(Key::Scale, *row.scale);
        }
        ConfigSettings settings;
        settings.hGraduation = 7;
        settings.vGraduation = -7;
        EXPECT_TRUE(LoadSettings(settings, store).isEmpty());
        EXPECT_EQ(settings.hGraduation, 0);
        EXPECT_EQ(settings.vGraduation, 0);
        EXPECT_EQ(settings.unitSystem, row.unit);
        EXPECT_EQ(settings.subdiv10, QString::fromLatin1(row.subdiv10));
        EXPECT_EQ(settings.subdiv5, QString::fromLatin1(row.subdiv5));
        EXPECT_EQ(settings.subdiv2, QString::fromLatin1(row.subdiv2));
    }
}

TEST(ConfigLoad, StoredValuesWinOverDefaults) {
    MemoryStore store{
        {Key::HGraduation, QStringLiteral("-3")}, {Key::VGraduation, QStringLiteral("4")},
        {Key::Subdiv10, QStringLiteral("1.5")},   {Key::Subdiv5, QStringLiteral(".5")},
        {Key::Subdiv2, QStringLiteral("1e-1")},   {Key::Scale, QStringLiteral("Metric")}};
    ConfigSettings settings;
    EXPECT_TRUE(LoadSettings(settings, store).isEmpty());
    EXPECT_EQ(settings.hGraduation, -3);
    EXPECT_EQ(settings.vGraduation, 4);
    EXPECT_EQ(settings.subdiv10, QStringLiteral("1.5"));
    EXPECT_EQ(settings.subdiv5, QStringLiteral(".5"));
    EXPECT_EQ(settings.subdiv2, QStringLiteral("1e-1"));
    EXPECT_EQ(settings.unitSystem, UnitSystem::Metric);
    EXPECT_TRUE(store.writes().isEmpty());  // loading writes nothing
}

TEST(ConfigLoad, GraduationTakenAsTheSliderWould) {
    const struct {
        const char* stored;
        std::optional<int> expected;  // nothing: reported, the position kept
    } rows[] = {
        {"3", 3},           {"-10", -10},          {"15", 10},
        {"-11", -10},       {"1e300", 10},         {"2.4", 2},
        {"2.5", 3},         {"-2.5", -3},          {"abc", std::nullopt},
        {"", std::nullopt}, {"1,5", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        MemoryStore store{{Key::HGraduation, QString::fromLatin1(row.stored)},
                          {Key::VGraduation, QString::fromLatin1(row.stored)},
                          {Key::Subdiv10, QStringLiteral("2")}};
        ConfigSettings settings;
        settings.hGraduation = 4;  // the positions before the load
        settings.vGraduation = -4;
        const QStringList problems = LoadSettings(settings, store);
        EXPECT_EQ(problems.size(), row.expected ? 0 : 2);
        EXPECT_EQ(settings.hGraduation, row.expected.value_or(4));
        EXPECT_EQ(settings.vGraduation, row.expected.value_or(-4));
        EXPECT_EQ(settings.subdiv10, QStringLiteral("2"));  // the load goes on
    }
}

TEST(ConfigSave, WritesSixKeysInOrder) {
    ConfigSettings settings;
    settings.hGraduation = -10;
    settings.vGraduation = 3;
    settings.subdiv10 = QStringLiteral("1e-1");
    settings.subdiv5 = QStringLiteral(".5");
    settings.subdiv2 = QStringLiteral("0.20");
    settings.unitSystem = UnitSystem::Metric;
    MemoryStore store;
    SaveSettings(settings, store);

    EXPECT_EQ(store.writes(), (QStringList{Key::HGraduation, Key::VGraduation, Key::Subdiv10,
                                           Key::Subdiv5, Key::Subdiv2, Key::Scale}));
    EXPECT_EQ(store.getSetting(Key::HGraduation, QString()), QStringLiteral("-10"));
    EXPECT_EQ(store.getSetting(Key::VGraduation, QString()), QStringLiteral("3"));
    EXPECT_EQ(store.getSetting(Key::Subdiv10, QString()), QStringLiteral("1e-1"));
    EXPECT_EQ(store.getSetting(Key::Subdiv5, QString()), QStringLiteral(".5"));
    EXPECT_EQ(store.getSetting(Key::Subdiv2, QString()), QStringLiteral("0.20"));
    EXPECT_EQ(store.getSetting(Key::Scale, QString()), QStringLiteral("Metric"));

    settings.unitSystem = UnitSystem::Imperial;
    SaveSettings(settings, store);
    EXPECT_EQ(store.getSetting(Key::Scale, QString()), QStringLiteral("Imperial"));
}

ConfigSettings imperialDefaults() {
    ConfigSettings settings;
    settings.subdiv10 = QStringLiteral("0.39");
    settings.subdiv5 = QStringLiteral("0.2");
    settings.subdiv2 = QStringLiteral("0.08");
    settings.unitSystem = UnitSystem::Imperial;
    return settings;
}

TEST(ConfigUnitSwitch, ImperialToMetricAndBack) {
    ConfigSettings settings = imperialDefaults();

    EXPECT_TRUE(SelectUnitSystem(settings, UnitSystem::Metric).isEmpty());
    EXPECT_EQ(settings.unitSystem, UnitSystem::Metric);
    EXPECT_EQ(settings.subdiv10, QStringLiteral("0.9906"));
    EXPECT_EQ(settings.subdiv5, QStringLiteral("0.508"));
    EXPECT_EQ(settings.subdiv2, QStringLiteral("0.2032"));

    EXPECT_TRUE(SelectUnitSystem(settings, UnitSystem::Imperial).isEmpty());
    EXPECT_EQ(settings.unitSystem, UnitSystem::Imperial);
    EXPECT_EQ(settings.subdiv10, QStringLiteral("0.39"));
    EXPECT_EQ(settings.subdiv5, QStringLiteral("0.2"));
    EXPECT_EQ(settings.subdiv2, QStringLiteral("0.08"));
}

TEST(ConfigUnitSwitch, ChoosingTheUnitAlreadyShownConvertsNothing) {
    ConfigSettings settings = imperialDefaults();
    EXPECT_TRUE(SelectUnitSystem(settings, UnitSystem::Imperial).isEmpty());
    EXPECT_EQ(settings.subdiv10, QStringLiteral("0.39"));
    SelectUnitSystem(settings, UnitSystem::Metric);
    SelectUnitSystem(settings, UnitSystem::Metric);
    EXPECT_EQ(settings.subdiv10, QStringLiteral("0.9906"));
}

TEST(ConfigUnitSwitch, TextThatIsNotANumberIsKeptAndTheOthersConverted) {
    ConfigSettings settings = imperialDefaults();
    settings.subdiv5 = QStringLiteral("0.5cm");
    const QStringList problems = SelectUnitSystem(settings, UnitSystem::Metric);
    EXPECT_EQ(problems.size(), 1);
    EXPECT_EQ(settings.subdiv10, QStringLiteral("0.9906"));
    EXPECT_EQ(settings.subdiv5, QStringLiteral("0.5cm"));
    EXPECT_EQ(settings.subdiv2, QStringLiteral("0.2032"));
    EXPECT_EQ(settings.unitSystem, UnitSystem::Metric);
}

TEST(ConfigUnitSwitch, ResultBeyondSinglePrecisionKeepsItsText) {
    ConfigSettings settings = imperialDefaults();
    settings.subdiv10 = QStringLiteral("3e38");  // fits a float, times 2.54 does not
    EXPECT_EQ(SelectUnitSystem(settings, UnitSystem::Metric).size(), 1);
    EXPECT_EQ(settings.subdiv10, QStringLiteral("3e38"));
}

TEST(ConfigUnitSwitch, ReloadAfterASwitchRestoresTheStoredValuesAndUnit) {
    MemoryStore store{{Key::Subdiv10, QStringLiteral("0.4")}};
    ConfigSettings settings;
    LoadSettings(settings, store);
    SelectUnitSystem(settings, UnitSystem::Metric);
    ASSERT_NE(settings.subdiv10, QStringLiteral("0.4"));

    LoadSettings(settings, store);
    EXPECT_EQ(settings.unitSystem, UnitSystem::Imperial);
    EXPECT_EQ(settings.subdiv10, QStringLiteral("0.4"));
    EXPECT_EQ(settings.subdiv5, QStringLiteral("0.2"));
    EXPECT_EQ(store.writes().size(), 0);  // loading and switching store nothing
}

TEST(ConfigLimits, ThresholdsReadInSinglePrecision) {
    ConfigSettings settings;
    settings.subdiv10 = QStringLiteral("0.99");
    settings.subdiv5 = QStringLiteral(" .51 ");
    settings.subdiv2 = QStringLiteral("2e-1");
    const SubdivisionLimits limits = subdivisionLimits(settings);
    EXPECT_EQ(limits.ten, 0.99f);
    EXPECT_EQ(limits.five, 0.51f);
    EXPECT_EQ(limits.two, 0.2f);
}

TEST(ConfigLimits, TextThatIsNotASingleRaisesError) {
    for (const QString& bad :
         {QStringLiteral("1,5"), QStringLiteral("0.5cm"), QString(), QStringLiteral("1e39")}) {
        SCOPED_TRACE(bad.toStdString());
        ConfigSettings settings;
        settings.subdiv5 = bad;
        EXPECT_THROW(subdivisionLimits(settings), Error);
    }
}

TEST(ConfigGraduation, PrintingReceivesPositionOverThousand) {
    ConfigSettings settings;
    settings.hGraduation = -10;
    settings.vGraduation = 10;
    const GraduationCorrections corrections = graduationCorrections(settings);
    EXPECT_DOUBLE_EQ(corrections.horizontal, -0.01);
    EXPECT_DOUBLE_EQ(corrections.vertical, 0.01);
    EXPECT_DOUBLE_EQ(graduationCorrection(3), 0.003);
}

}  // namespace
}  // namespace lattora
