#include "platform/qsettingsstore.h"

#include <gtest/gtest.h>

#include <QFile>
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
        file.write("[Lattora]\nSubdiv10=0,5\n");
    }
    QSettingsStore store(path());
    EXPECT_EQ(store.getSetting(Key::Subdiv10, QString()), QStringLiteral("0,5"));
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

TEST(ReadOnlySettings, ReadsThroughAndDropsWrites) {
    test::MemoryStore inner{{Key::CurrentStyle, QStringLiteral("Red Lines")}};
    ReadOnlySettings store(inner);
    store.saveSetting(Key::CurrentStyle, QStringLiteral("Black Lines"));
    EXPECT_EQ(store.getSetting(Key::CurrentStyle, QString()), QStringLiteral("Red Lines"));
    EXPECT_TRUE(inner.writes().isEmpty());
}

}  // namespace
}  // namespace lattora
