// The line-set dialog: its controls, loading, colour picks, and OK, Cancel,
// Delete and Rename on the sets.
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "platform/settings/qsettingsstore.h"
#include "tests/linesets/frmstyles_fixture.h"

namespace lattora::test {
namespace {

const QStringList kBuiltInNames{QStringLiteral("Black Lines"),      QStringLiteral("Blue Lines"),
                                QStringLiteral("Dark Gray Lines"),  QStringLiteral("Green Lines"),
                                QStringLiteral("Light Gray Lines"), QStringLiteral("Red Lines"),
                                QStringLiteral("Yellow Lines")};

const QString kBlueString = QStringLiteral("16737843|16737843|16763904|16777164|solid");
const QString kGreenString = QStringLiteral("32768|32768|10551200|10551200|dot");

// The template text of the built-in sets with some colour strings replaced.
QString builtInTemplates(const QMap<int, QString>& replaced = {}) {
    QString text;
    int i = 0;
    for (const LineSet& set : builtInLineSets()) {
        text += set.name + QLatin1Char('~') + replaced.value(i++, set.colorString) +
                QStringLiteral("\r\n");
    }
    return text;
}

TEST_F(StylesDialogTest, FreshStoreShowsTheBuiltInSetsWithBlackLinesAndWritesNothing) {
    open();
    EXPECT_EQ(shownNames(), kBuiltInNames);
    EXPECT_EQ(list()->currentRow(), kBlack);
    ASSERT_EQ(list()->selectedItems().size(), 1);
    EXPECT_EQ(list()->selectedItems().at(0)->text(), QStringLiteral("Black Lines"));
    EXPECT_EQ(field("tLinesetName")->text(), QStringLiteral("Black Lines"));
    EXPECT_EQ(field("twHeavy")->text(), QStringLiteral("5"));
    EXPECT_EQ(field("twMedium")->text(), QStringLiteral("3"));
    EXPECT_EQ(field("twLight")->text(), QStringLiteral("2"));
    EXPECT_EQ(styleList()->currentText(), QStringLiteral("Dot"));
    EXPECT_EQ(dialog->currentLineColors(), (LineColors{0, 0, 0, 0, SubdivStyle::Dot}));
    EXPECT_EQ(dialog->lineWidths(),
              (LineWidths{QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("2")}));
    EXPECT_TRUE(store.writes().isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
    // Nothing stored: the main window's "Lines" box keeps what it shows.
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(StylesDialogTest, CaptionsNamesAndRules) {
    open();
    EXPECT_EQ(dialog->objectName(), QStringLiteral("frmStyles"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select and edit the sets of lines"));

    const std::pair<const char*, QString> buttons[] = {
        {"PushButton3", QStringLiteral("OK")},
        {"PushButton1", QStringLiteral("Cancel")},
        {"PushButton2", QStringLiteral("Delete")},
        {"PushButton4", QStringLiteral("Rename")},
    };
    for (const auto& [name, caption] : buttons) {
        EXPECT_EQ(button(name)->text(), caption) << name;
    }
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        labels << label->text();
    }
    for (const char* caption : {"Registered set of lines:", "Current set of lines:", "Name:",
                                "Color", "Width", "Heavy", "Medium", "Light", "Subdiv"}) {
        EXPECT_TRUE(labels.contains(QLatin1String(caption))) << caption;
    }
    QStringList styles;
    for (int i = 0; i < styleList()->count(); ++i) {
        styles << styleList()->itemText(i);
    }
    EXPECT_EQ(styles, (QStringList{QStringLiteral("Dot"), QStringLiteral("Dash"),
                                   QStringLiteral("Solid")}));

    const std::tuple<const char*, QString, QString> fields[] = {
        {"tLinesetName", QStringLiteral("validate_required;validate_name"), QStringLiteral("Name")},
        {"twHeavy", QStringLiteral("validate_required;validate_number"),
         QStringLiteral("Heavy Width")},
        {"twMedium", QStringLiteral("validate_required;validate_number"),
         QStringLiteral("Medium Width")},
        {"twLight", QStringLiteral("validate_required;validate_number"),
         QStringLiteral("Light Width")},
    };
    for (const auto& [name, rules, spoken] : fields) {
        EXPECT_EQ(field(name)->property("Tag").toString(), rules) << name;
        EXPECT_EQ(field(name)->accessibleName(), spoken) << name;
    }
    for (const char* picker : {"cpHeavy", "cpMedium", "cpLight", "cpSubdiv"}) {
        EXPECT_TRUE(button(picker)->accessibleName().endsWith(QStringLiteral(" Color"))) << picker;
    }
}

TEST_F(StylesDialogTest, NothingIsClippedAndEverythingLiesInsideTheDialog) {
    open();
    dialog->show();
    const QRect inside = dialog->rect();
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(dialog.get()) || child->parentWidget() != dialog.get()) {
            continue;
        }
        const QSize needed = child->minimumSizeHint();
        EXPECT_GE(child->width(), needed.width()) << child->objectName().toStdString();
        EXPECT_GE(child->height(), needed.height()) << child->objectName().toStdString();
        EXPECT_TRUE(inside.contains(child->geometry())) << child->objectName().toStdString();
    }
    for (const char* name : {"lblScale0", "lblScale1", "lblScale2"}) {
        const QLabel* unit = control<QLabel>(name);
        EXPECT_GE(unit->width(), unit->fontMetrics().horizontalAdvance(unit->text())) << name;
    }
    dialog->hide();
}

TEST_F(StylesDialogTest, UnitLabelsFollowTheUnitSystemWhetherOrNotSetsAreStored) {
    struct Row {
        std::optional<QString> scale;
        bool setsStored;
        QString label;
    };
    const Row rows[] = {
        {QStringLiteral("Metric"), true, QStringLiteral("1/100 mm")},
        {QStringLiteral("Metric"), false, QStringLiteral("1/100 mm")},
        {QStringLiteral("Imperial"), true, QStringLiteral("1/1000 in")},
        {QStringLiteral("Imperial"), false, QStringLiteral("1/1000 in")},
        {std::nullopt, false, QStringLiteral("1/1000 in")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.scale.value_or(QStringLiteral("no Scale")).toStdString() +
                     (row.setsStored ? ", sets stored" : ", no sets stored"));
        // Opened under the other unit system, which then changes.
        store = row.setsStored ? storeWithTwoSets() : MemoryStore{};
        store.saveSetting(Key::Scale, row.label == QStringLiteral("1/100 mm")
                                          ? QStringLiteral("Imperial")
                                          : QStringLiteral("Metric"));
        open();
        store.remove(Key::Scale);
        if (row.scale) {
            store.saveSetting(Key::Scale, *row.scale);
        }
        dialog->LoadSettings();
        for (const char* name : {"lblScale0", "lblScale1", "lblScale2"}) {
            EXPECT_EQ(control<QLabel>(name)->text(), row.label) << name;
        }
        // Only the labels change: stored widths are never converted.
        EXPECT_EQ(field("twHeavy")->text(),
                  row.setsStored ? QStringLiteral("13") : QStringLiteral("5"));
    }
}

TEST_F(StylesDialogTest, LoadWithStoredSetsShowsTheCurrentSetAndTellsTheMainWindow) {
    store = storeWithTwoSets();
    open();
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Pencil"), QStringLiteral("Ink")}));
    EXPECT_EQ(list()->currentRow(), 1);
    EXPECT_EQ(field("tLinesetName")->text(), QStringLiteral("Ink"));
    EXPECT_EQ(styleList()->currentText(), QStringLiteral("Dash"));
    EXPECT_EQ(field("twHeavy")->text(), QStringLiteral("13"));
    const LineColors ink{0xFF0000, 0x0000FF, 0x00FF00, 0, SubdivStyle::Dash};
    const LineWidths widths{QStringLiteral("13"), QStringLiteral("8"), QStringLiteral("5")};
    EXPECT_EQ(dialog->currentLineColors(), ink);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.at(0).first, ink);
    EXPECT_EQ(shown.at(0).second, widths);
}

TEST_F(StylesDialogTest, MalformedColourPartIsReportedAndTheRestStillLoads) {
    store = MemoryStore{{Key::StyleTemplates, QStringLiteral("Bad~12|x|3|4|dash\r\nGood~1|1|1|1|"
                                                             "dot\r\n")},
                        {Key::CurrentStyle, QStringLiteral("Bad")}};
    open();
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().at(0).contains(QStringLiteral("\"x\"")));
    EXPECT_TRUE(boxes.errors().at(0).contains(
        QStringLiteral("\r\nin LattoraGrid2021/08/31.frmStyles.LoadSettings at line ")));
    EXPECT_EQ(field("tLinesetName")->text(), QStringLiteral("Bad"));
    EXPECT_EQ(dialog->currentLineColors(), (LineColors{12, 0, 3, 4, SubdivStyle::Dash}));

    // Selecting the set again reports it from the list's own handler.
    select(1);
    select(0);
    ASSERT_EQ(boxes.errors().size(), 2);
    EXPECT_TRUE(boxes.errors().at(1).contains(QStringLiteral(".frmStyles.lbSetofLines_Click ")));
    EXPECT_EQ(dialog->currentLineColors(), (LineColors{12, 1, 3, 4, SubdivStyle::Dash}));
}

TEST_F(StylesDialogTest, PickingAColourRewritesTheSelectedSetAtOnce) {
    struct Row {
        const char* picker;
        ColorValue before;  // Blue Lines' colour of that class
        QString expected;   // Blue Lines' colour string after the pick
    };
    const Row rows[] = {
        {"cpHeavy", 16737843, QStringLiteral("1193046|16737843|16763904|16777164|solid")},
        {"cpMedium", 16737843, QStringLiteral("16737843|1193046|16763904|16777164|solid")},
        {"cpLight", 16763904, QStringLiteral("16737843|16737843|1193046|16777164|solid")},
        {"cpSubdiv", 16777164, QStringLiteral("16737843|16737843|16763904|1193046|solid")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.picker);
        open();
        select(kBlue);
        pick(row.picker, 0x123456);
        EXPECT_EQ(colorStringAt(kBlue), row.expected);
        // The chooser starts from the colour the picker showed.
        EXPECT_EQ(chooser.offered.last(), row.before);
        // 0x123456 is red 0x56, green 0x34, blue 0x12.
        const QImage swatch = button(row.picker)->icon().pixmap(QSize(36, 14)).toImage();
        EXPECT_EQ(swatch.pixelColor(swatch.width() / 2, swatch.height() / 2),
                  QColor(0x56, 0x34, 0x12));
        EXPECT_EQ(colorStringAt(kGreen), kGreenString);
        EXPECT_TRUE(store.writes().isEmpty());
    }
    // A cancelled choice changes nothing.
    const LineColors before = dialog->currentLineColors();
    pick("cpHeavy", std::nullopt);
    EXPECT_EQ(dialog->currentLineColors(), before);
    EXPECT_EQ(colorStringAt(kBlue), rows[3].expected);
}

TEST_F(StylesDialogTest, ChangingOnlyTheStyleIsKeptByTheSelectedSet) {
    open();
    select(kGreen);
    styleList()->setCurrentIndex(2);
    EXPECT_EQ(colorStringAt(kGreen), QStringLiteral("32768|32768|10551200|10551200|solid"));
    button("PushButton3")->click();
    EXPECT_EQ(stored(Key::StyleTemplates),
              builtInTemplates({{kGreen, QStringLiteral("32768|32768|10551200|10551200|solid")}}));
    EXPECT_EQ(styleList()->currentText(), QStringLiteral("Solid"));
}

TEST_F(StylesDialogTest, OkWithANewNameAddsTheEditorsSetAndMakesItCurrent) {
    open();
    dialog->show();
    select(kBlue);
    pick("cpMedium", 255);
    styleList()->setCurrentIndex(1);
    type("tLinesetName", QStringLiteral("Mine"));
    button("PushButton3")->click();

    const QString edited = QStringLiteral("16737843|255|16763904|16777164|dash");
    // The set selected before keeps the edits made on it.
    EXPECT_EQ(stored(Key::StyleTemplates), builtInTemplates({{kBlue, edited}}) +
                                               QStringLiteral("Mine~") + edited +
                                               QStringLiteral("\r\n"));
    EXPECT_EQ(stored(Key::CurrentStyle), QStringLiteral("Mine"));
    // Written once each by OK; the reload after it writes nothing.
    EXPECT_EQ(store.writes(),
              (QStringList{Key::StyleTemplates, Key::CurrentStyle, Key::StyleWidthHeavy,
                           Key::StyleWidthMedium, Key::StyleWidthLight}));
    EXPECT_EQ(stored(Key::StyleWidthMedium), QStringLiteral("3"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(boxes.shown.isEmpty());

    // Reloaded at once on the new set, and the main window told so.
    EXPECT_EQ(shownNames(), kBuiltInNames + QStringList{QStringLiteral("Mine")});
    EXPECT_EQ(list()->currentRow(), 7);
    const LineColors mine{16737843, 255, 16763904, 16777164, SubdivStyle::Dash};
    EXPECT_EQ(dialog->currentLineColors(), mine);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.at(0).first, mine);
}

TEST_F(StylesDialogTest, OkWithTheNameOfAnotherSetAddsNothingAndMakesThatSetCurrent) {
    open();
    select(kBlue);
    pick("cpHeavy", 255);
    type("tLinesetName", QStringLiteral("Green Lines"));
    button("PushButton3")->click();

    EXPECT_EQ(stored(Key::StyleTemplates),
              builtInTemplates({{kBlue, QStringLiteral("255|16737843|16763904|16777164|solid")}}));
    EXPECT_EQ(stored(Key::CurrentStyle), QStringLiteral("Green Lines"));
    EXPECT_EQ(shownNames(), kBuiltInNames);
    EXPECT_EQ(list()->currentRow(), kGreen);
    EXPECT_EQ(dialog->currentLineColors(),
              (LineColors{32768, 32768, 10551200, 10551200, SubdivStyle::Dot}));
}

TEST_F(StylesDialogTest, RenameToAnExistingNameGivesTwoSetsAndTheFirstIsCurrentAfterReload) {
    open();
    select(kRed);
    type("tLinesetName", QStringLiteral("Blue Lines"));
    button("PushButton4")->click();
    QStringList expected = kBuiltInNames;
    expected[kRed] = QStringLiteral("Blue Lines");
    EXPECT_EQ(shownNames(), expected);
    EXPECT_TRUE(store.writes().isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());

    button("PushButton3")->click();
    EXPECT_EQ(stored(Key::CurrentStyle), QStringLiteral("Blue Lines"));
    open();  // the dialog as the next run creates it
    EXPECT_EQ(shownNames(), expected);
    EXPECT_EQ(list()->currentRow(), kBlue);
    EXPECT_EQ(colorStringAt(kRed), QStringLiteral("192|12624127|12624127|12624127|dot"));
    EXPECT_EQ(dialog->currentLineColors(),
              (LineColors{16737843, 16737843, 16763904, 16777164, SubdivStyle::Solid}));
}

TEST_F(StylesDialogTest, DeleteThenCancelBringsTheSetBack) {
    for (const bool setsStored : {false, true}) {
        SCOPED_TRACE(setsStored ? "sets stored" : "fresh store");
        store = setsStored ? MemoryStore{{Key::StyleTemplates, builtInTemplates()},
                                         {Key::CurrentStyle, QStringLiteral("Red Lines")}}
                           : MemoryStore{};
        open();
        select(kGreen);
        button("PushButton2")->click();
        QStringList withoutGreen = kBuiltInNames;
        withoutGreen.removeAt(kGreen);
        EXPECT_EQ(shownNames(), withoutGreen);
        EXPECT_EQ(list()->currentRow(), -1);
        EXPECT_TRUE(list()->selectedItems().isEmpty());

        button("PushButton1")->click();
        EXPECT_EQ(shownNames(), kBuiltInNames);
        EXPECT_EQ(list()->currentRow(), setsStored ? kRed : kBlack);
        EXPECT_EQ(colorStringAt(kGreen), kGreenString);
        EXPECT_FALSE(store.writes().contains(Key::StyleTemplates));
        EXPECT_TRUE(boxes.shown.isEmpty());
    }
}

TEST_F(StylesDialogTest, DeletedSetStaysGoneOnceAnotherSetIsChosenAndOkPressed) {
    open();
    select(kGreen);
    button("PushButton2")->click();
    select(kBlack);
    button("PushButton3")->click();
    QStringList withoutGreen = kBuiltInNames;
    withoutGreen.removeAt(kGreen);
    EXPECT_EQ(LoadTemplatesFromString(stored(Key::StyleTemplates)).size(), 6);
    EXPECT_EQ(shownNames(), withoutGreen);
    EXPECT_EQ(stored(Key::CurrentStyle), QStringLiteral("Black Lines"));
}

TEST_F(StylesDialogTest, CloseBoxAndEscapeActAsCancel) {
    const std::pair<const char*, std::function<void(QDialog&)>> ways[] = {
        {"close box", [](QDialog& d) { d.close(); }},
        {"Escape",
         [](QDialog& d) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&d, &escape);
         }},
    };
    for (const auto& [way, closeIt] : ways) {
        SCOPED_TRACE(way);
        store = storeWithTwoSets();
        open();
        dialog->show();
        select(0);
        pick("cpHeavy", 0x00FFFF);
        type("twHeavy", QStringLiteral("0"));
        button("PushButton2")->click();
        closeIt(*dialog);

        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Pencil"), QStringLiteral("Ink")}));
        EXPECT_EQ(colorStringAt(0), QStringLiteral("8421504|8421504|12632256|12632256|dot"));
        EXPECT_EQ(field("twHeavy")->text(), QStringLiteral("13"));
        EXPECT_EQ(background("twHeavy"), normalBackground());
        EXPECT_TRUE(field("twHeavy")->toolTip().isEmpty());
        EXPECT_EQ(list()->currentRow(), 1);
        EXPECT_EQ(stored(Key::StyleWidthHeavy), QStringLiteral("13"));
        EXPECT_FALSE(store.writes().contains(Key::StyleTemplates));
    }
}

TEST_F(StylesDialogTest, CancelBeforeAnySetIsStoredDiscardsEditsToo) {
    open();
    pick("cpLight", 0x00FF00);
    type("twMedium", QStringLiteral("40"));
    button("PushButton1")->click();
    EXPECT_EQ(colorStringAt(kBlack), QStringLiteral("0|0|0|0|dot"));
    EXPECT_EQ(field("twMedium")->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog->currentLineColors(), (LineColors{0, 0, 0, 0, SubdivStyle::Dot}));
    EXPECT_TRUE(store.writes().isEmpty());
}

TEST_F(StylesDialogTest, AfterOkTheDialogReopensOnTheSavedSet) {
    open();
    select(kYellow);
    type("twLight", QStringLiteral("4"));
    button("PushButton3")->click();
    EXPECT_EQ(stored(Key::CurrentStyle), QStringLiteral("Yellow Lines"));
    for (const bool fresh : {false, true}) {
        SCOPED_TRACE(fresh ? "new dialog" : "same dialog");
        if (fresh) {
            open();
        } else {
            dialog->LoadSettings();
        }
        EXPECT_EQ(list()->currentRow(), kYellow);
        EXPECT_EQ(field("tLinesetName")->text(), QStringLiteral("Yellow Lines"));
        EXPECT_EQ(field("twLight")->text(), QStringLiteral("4"));
        EXPECT_EQ(dialog->currentLineColors().lightColor, 49344u);
    }
}

TEST_F(StylesDialogTest, LoadOkAndCancelAgainstASettingsFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Lattora.conf"));
    {
        QSettingsStore file(path);
        open(file);
        EXPECT_EQ(shownNames(), kBuiltInNames);
        type("tLinesetName", QStringLiteral("Mine"));
        pick("cpSubdiv", 0x0000FF);
        type("twHeavy", QStringLiteral("13"));
        button("PushButton3")->click();
        dialog.reset();
    }
    {
        QSettingsStore file(path);
        open(file);
        EXPECT_EQ(shownNames(), kBuiltInNames + QStringList{QStringLiteral("Mine")});
        EXPECT_EQ(field("tLinesetName")->text(), QStringLiteral("Mine"));
        EXPECT_EQ(field("twHeavy")->text(), QStringLiteral("13"));
        // The pick went to "Black Lines", selected at the time, and the new set
        // took the editor's colours.
        EXPECT_EQ(colorStringAt(kBlack), QStringLiteral("0|0|0|255|dot"));
        EXPECT_EQ(dialog->currentLineColors(), (LineColors{0, 0, 0, 255, SubdivStyle::Dot}));

        type("twHeavy", QStringLiteral("99"));
        select(kBlue);
        button("PushButton1")->click();
        EXPECT_EQ(field("twHeavy")->text(), QStringLiteral("13"));
        EXPECT_EQ(field("tLinesetName")->text(), QStringLiteral("Mine"));
        EXPECT_EQ(file.getSetting(Key::StyleWidthHeavy, QString()), QStringLiteral("13"));
        dialog.reset();
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace lattora::test
