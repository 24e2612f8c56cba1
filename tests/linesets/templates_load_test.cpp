#include "linesets/templates.h"
#include "sheet/error.h"

#include <gtest/gtest.h>

#include "tests/linesets/printers.h"
#include "tests/support/memorystore.h"

namespace lattora {
namespace {

using test::MemoryStore;

const QString kTwoSets = QStringLiteral(
    "Pencil~8421504|8421504|12632256|12632256|dot\r\n"
    "Ink~16711680|255|65280|0|dash\r\n");

TEST(LineSetLoad, NoTemplatesGiveBuiltInsWithBlackLinesAndNothingElseReadOrWritten) {
    for (const bool fresh : {true, false}) {
        SCOPED_TRACE(fresh ? "fresh store" : "other keys present");
        MemoryStore store;
        if (!fresh) {
            store = MemoryStore{{Key::StyleTemplates, QString()},
                                {Key::CurrentStyle, QStringLiteral("Red Lines")},
                                {Key::Scale, QStringLiteral("Metric")},
                                {Key::StyleWidthHeavy, QStringLiteral("40")}};
        }
        LineSetEditor editor;
        editor.unitLabel = QStringLiteral("as shown before");
        editor.colors.heavyColor = 123;  // whatever the editor held

        EXPECT_TRUE(LoadSettings(editor, store).isEmpty());
        ASSERT_EQ(editor.sets.size(), 7);
        EXPECT_EQ(editor.sets.at(6).name, QStringLiteral("Yellow Lines"));
        EXPECT_EQ(editor.currentIndex, 0);
        EXPECT_EQ(editor.nameField, QStringLiteral("Black Lines"));
        EXPECT_EQ(editor.colors.heavyColor, 0u);
        EXPECT_EQ(editor.colors.subdivStyle, SubdivStyle::Dot);
        EXPECT_EQ(editor.widths,
                  (LineWidths{QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("2")}));
        EXPECT_EQ(editor.unitLabel, QStringLiteral("as shown before"));
        EXPECT_FALSE(editor.storedSetsLoaded);
        EXPECT_TRUE(store.writes().isEmpty());
    }
}

TEST(LineSetLoad, SelectsTheStoredCurrentSetAndReadsTheRest) {
    MemoryStore store{{Key::StyleTemplates, kTwoSets},
                      {Key::CurrentStyle, QStringLiteral("Ink")},
                      {Key::Scale, QStringLiteral("Metric")},
                      {Key::StyleWidthHeavy, QStringLiteral("13")},
                      {Key::StyleWidthMedium, QStringLiteral("8")},
                      {Key::StyleWidthLight, QStringLiteral("5")}};
    LineSetEditor editor;
    EXPECT_TRUE(LoadSettings(editor, store).isEmpty());

    ASSERT_EQ(editor.sets.size(), 2);
    EXPECT_EQ(editor.currentIndex, 1);
    EXPECT_EQ(editor.nameField, QStringLiteral("Ink"));
    LineColors ink;
    ink.heavyColor = 0xFF0000;   // blue
    ink.mediumColor = 0x0000FF;  // red
    ink.lightColor = 0x00FF00;   // green
    ink.subdivColor = 0;
    ink.subdivStyle = SubdivStyle::Dash;
    EXPECT_EQ(editor.colors, ink);
    EXPECT_EQ(currentLineColors(editor), ink);
    EXPECT_EQ(editor.unitLabel, QStringLiteral("1/100 mm"));
    EXPECT_TRUE(editor.storedSetsLoaded);
    EXPECT_EQ(editor.widths,
              (LineWidths{QStringLiteral("13"), QStringLiteral("8"), QStringLiteral("5")}));
    EXPECT_TRUE(store.writes().isEmpty()) << store.writes().join(u',').toStdString();
}

// The name is left as stored: the next load selects the first set again, and
// the settings file is not written before the user saves something.
TEST(LineSetLoad, CurrentStyleNamingNoSetMakesTheFirstCurrentAndStaysAsStored) {
    MemoryStore store{{Key::StyleTemplates, kTwoSets}, {Key::CurrentStyle, QStringLiteral("Gone")}};
    for (int load = 1; load <= 2; ++load) {
        SCOPED_TRACE(load);
        LineSetEditor editor;
        EXPECT_TRUE(LoadSettings(editor, store).isEmpty());
        EXPECT_EQ(editor.currentIndex, 0);
        EXPECT_EQ(editor.nameField, QStringLiteral("Pencil"));
        EXPECT_EQ(editor.colors.lightColor, 12632256u);
        EXPECT_EQ(editor.widths, LineWidths{});  // absent widths give empty fields
    }
    EXPECT_EQ(store.getSetting(Key::CurrentStyle, QString()), QStringLiteral("Gone"));
    EXPECT_TRUE(store.writes().isEmpty()) << store.writes().join(u',').toStdString();
}

TEST(LineSetLoad, WidthUnitLabelFollowsScale) {
    const struct {
        std::optional<QString> scale;
        QString label;
    } rows[] = {
        {QStringLiteral("Metric"), QStringLiteral("1/100 mm")},
        {QStringLiteral("metric"), QStringLiteral("1/1000 in")},
        {QStringLiteral("Imperial"), QStringLiteral("1/1000 in")},
        {std::nullopt, QStringLiteral("1/1000 in")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.scale.value_or(QStringLiteral("<absent>")).toStdString());
        MemoryStore store{{Key::StyleTemplates, kTwoSets}};
        if (row.scale) {
            store.saveSetting(Key::Scale, *row.scale);
        }
        LineSetEditor editor;
        LoadSettings(editor, store);
        EXPECT_EQ(editor.unitLabel, row.label);
    }
}

TEST(LineSetLoad, BadColourPartIsReportedAndTheLoadCompletes) {
    MemoryStore store{{Key::StyleTemplates, QStringLiteral("Odd~255|oops|65280|0|solid\r\n")},
                      {Key::StyleWidthHeavy, QStringLiteral("7")}};
    LineSetEditor editor;
    editor.colors.mediumColor = 99;
    const QStringList problems = LoadSettings(editor, store);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.at(0).contains(QStringLiteral("oops")));
    EXPECT_EQ(editor.colors.heavyColor, 255u);
    EXPECT_EQ(editor.colors.mediumColor, 99u);
    EXPECT_EQ(editor.colors.lightColor, 65280u);
    EXPECT_EQ(editor.colors.subdivStyle, SubdivStyle::Solid);
    EXPECT_EQ(editor.widths.heavy, QStringLiteral("7"));
    EXPECT_EQ(editor.nameField, QStringLiteral("Odd"));
    EXPECT_FALSE(store.contains(Key::CurrentStyle));
}

// A store that refuses writes (a read-only file) loads like any other: the
// load never writes.
TEST(LineSetLoad, StoreThatRefusesWritesLoadsWithoutProblems) {
    class RefusingStore : public MemoryStore {
    public:
        using MemoryStore::MemoryStore;
        void saveSetting(const QString& key, const QString&) override {
            throw Error(QStringLiteral("The setting \"%1\" could not be saved").arg(key));
        }
    };
    RefusingStore store{{Key::StyleTemplates, QStringLiteral("A~1|2|3|4|dot\r\n")},
                        {Key::StyleWidthLight, QStringLiteral("4")}};
    LineSetEditor editor;
    const QStringList problems = LoadSettings(editor, store);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
    EXPECT_EQ(editor.nameField, QStringLiteral("A"));
    EXPECT_EQ(editor.colors.subdivColor, 4u);
    EXPECT_EQ(editor.widths.light, QStringLiteral("4"));
}

TEST(LineSetLoad, StoredTextWithoutAnySetFallsBackToBuiltIns) {
    MemoryStore store{{Key::StyleTemplates, QStringLiteral("\r\n\r\n")}};
    LineSetEditor editor;
    editor.storedSetsLoaded = true;  // as after an earlier load that found sets
    LoadSettings(editor, store);
    EXPECT_FALSE(editor.storedSetsLoaded);
    EXPECT_EQ(editor.sets.size(), 7);
    EXPECT_EQ(editor.currentIndex, 0);
    EXPECT_EQ(editor.nameField, QStringLiteral("Black Lines"));
}

TEST(LineSetSave, WritesTheFiveKeysInOrder) {
    LineSetEditor editor;
    editor.sets = LoadTemplatesFromString(kTwoSets);
    editor.nameField = QStringLiteral("Ink");
    editor.widths = {QStringLiteral("10"), QStringLiteral("6"), QStringLiteral("4")};
    MemoryStore store;
    SaveSettings(editor, store);

    EXPECT_EQ(store.writes(),
              (QStringList{Key::StyleTemplates, Key::CurrentStyle, Key::StyleWidthHeavy,
                           Key::StyleWidthMedium, Key::StyleWidthLight}));
    EXPECT_EQ(store.getSetting(Key::StyleTemplates, QString()), kTwoSets);
    EXPECT_EQ(store.getSetting(Key::CurrentStyle, QString()), QStringLiteral("Ink"));
    EXPECT_EQ(store.getSetting(Key::StyleWidthHeavy, QString()), QStringLiteral("10"));
    EXPECT_EQ(store.getSetting(Key::StyleWidthMedium, QString()), QStringLiteral("6"));
    EXPECT_EQ(store.getSetting(Key::StyleWidthLight, QString()), QStringLiteral("4"));
}

TEST(LineSetSave, SaveThenLoadRestoresTheEditor) {
    MemoryStore store;
    LineSetEditor saved;
    LoadSettings(saved, store);  // the built-ins
    SelectLineSet(saved, 3);
    saved.widths = {QStringLiteral("9"), QStringLiteral("6"), QStringLiteral("3")};
    SaveSettings(saved, store);

    LineSetEditor loaded;
    EXPECT_TRUE(LoadSettings(loaded, store).isEmpty());
    EXPECT_EQ(loaded.sets, builtInLineSets());
    EXPECT_EQ(loaded.nameField, QStringLiteral("Green Lines"));
    EXPECT_EQ(loaded.currentIndex, 3);
    EXPECT_EQ(loaded.colors, saved.colors);
    EXPECT_EQ(loaded.widths, saved.widths);
}

TEST(LineSetSave, NameWithTildeStillSelectsItsSetAfterReload) {
    LineSetEditor editor;
    editor.sets = {{QStringLiteral("A"), QStringLiteral("1|1|1|1|dot")},
                   {QStringLiteral("Mine~2"), QStringLiteral("2|2|2|2|dash")}};
    editor.nameField = QStringLiteral("Mine~2");
    MemoryStore store;
    SaveSettings(editor, store);

    LineSetEditor loaded;
    LoadSettings(loaded, store);
    EXPECT_EQ(loaded.currentIndex, 1);
    EXPECT_EQ(loaded.colors.heavyColor, 2u);
    EXPECT_EQ(loaded.colors.subdivStyle, SubdivStyle::Dash);
}

}  // namespace
}  // namespace lattora
