// The line-set dialog's refusals: fields that fail their checks, names the
// stored list could not carry, and commands given with no set selected.
#include "tests/linesets/frmstyles_fixture.h"
#include "validation/rules.h"

namespace lattora::test {
namespace {

const QColor kOrange(255, 192, 128);
const QColor kRed(255, 0, 0);

TEST_F(StylesDialogTest, WidthsThatAreNotPositiveWholeNumbersAreRefused) {
    struct Row {
        QString text;
        QString summary;
        QColor color;
        QString tip;
    };
    const Row rows[] = {
        {QStringLiteral("0"), kInvalidSummary, kRed, QStringLiteral("Decimal number required.")},
        {QStringLiteral("007"), kInvalidSummary, kRed, QStringLiteral("Decimal number required.")},
        {QStringLiteral("2.5"), kInvalidSummary, kRed, QStringLiteral("Decimal number required.")},
        {QStringLiteral("-3"), kInvalidSummary, kRed, QStringLiteral("Decimal number required.")},
        {QString(), kRequiredSummary, kOrange, QStringLiteral("Field is required.")},
    };
    for (const char* width : {"twHeavy", "twMedium", "twLight"}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(width) + " = \"" + row.text.toStdString() + "\"");
            open();
            dialog->show();
            type(width, row.text);
            button("PushButton3")->click();
            EXPECT_EQ(boxes.messages().last(), row.summary);
            EXPECT_EQ(background(width), row.color);
            EXPECT_EQ(field(width)->toolTip(), row.tip);
            EXPECT_TRUE(store.writes().isEmpty());
            EXPECT_TRUE(dialog->isVisible());
            dialog->hide();
        }
    }
}

TEST_F(StylesDialogTest, AcceptedWidthsAreStoredAsTyped) {
    open();
    type("twHeavy", QStringLiteral("250"));
    type("twMedium", QStringLiteral("1"));
    type("twLight", QStringLiteral("10"));
    EXPECT_EQ(dialog->lineWidths(),
              (LineWidths{QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("10")}));
    button("PushButton3")->click();
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(stored(Key::StyleWidthHeavy), QStringLiteral("250"));
    EXPECT_EQ(stored(Key::StyleWidthMedium), QStringLiteral("1"));
    EXPECT_EQ(stored(Key::StyleWidthLight), QStringLiteral("10"));
}

TEST_F(StylesDialogTest, EmptyNamesAndNamesTheStoredListCannotCarryAreRefusedByOkAndRename) {
    struct Row {
        QString name;
        QString summary;
        QColor color;
        QString tip;
    };
    const Row rows[] = {
        {QString(), kRequiredSummary, kOrange, QStringLiteral("Field is required.")},
        {QStringLiteral("Ink~Pen"), kInvalidSummary, kRed, kBadNameMessage},
        {QStringLiteral("Two\nlines"), kInvalidSummary, kRed, kBadNameMessage},
        {QStringLiteral("Two\rlines"), kInvalidSummary, kRed, kBadNameMessage},
        {QStringLiteral("Windows\r\nbreak"), kInvalidSummary, kRed, kBadNameMessage},
    };
    ASSERT_EQ(kBadNameMessage, QStringLiteral("Name must not contain ~ or line breaks."));
    for (const Row& row : rows) {
        for (const char* command : {"PushButton3", "PushButton4"}) {
            SCOPED_TRACE(::testing::Message()
                         << '"' << row.name.toStdString() << "\" by " << command);
            open();
            dialog->show();
            select(kGreen);
            type("tLinesetName", row.name);
            ASSERT_EQ(field("tLinesetName")->text(), row.name);
            // Typing alone already shows the field's state.
            EXPECT_EQ(background("tLinesetName"), row.color);
            button(command)->click();

            EXPECT_EQ(boxes.messages().last(), row.summary);
            EXPECT_EQ(background("tLinesetName"), row.color);
            EXPECT_EQ(field("tLinesetName")->toolTip(), row.tip);
            EXPECT_EQ(list()->item(kGreen)->text(), QStringLiteral("Green Lines"));
            EXPECT_EQ(dialog->editor().sets, builtInLineSets());
            EXPECT_TRUE(store.writes().isEmpty());
            EXPECT_TRUE(dialog->isVisible());

            type("tLinesetName", QStringLiteral("Meadow"));
            EXPECT_EQ(background("tLinesetName"), normalBackground());
            EXPECT_TRUE(field("tLinesetName")->toolTip().isEmpty());
            dialog->hide();
        }
    }
}

TEST_F(StylesDialogTest, RenameIsNotHeldUpByAFaultyWidth) {
    open();
    select(kGreen);
    type("twLight", QStringLiteral("0"));
    type("tLinesetName", QStringLiteral("Meadow"));
    button("PushButton4")->click();
    EXPECT_EQ(list()->item(kGreen)->text(), QStringLiteral("Meadow"));
    EXPECT_EQ(dialog->editor().sets.at(kGreen).name, QStringLiteral("Meadow"));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(background("twLight"), kRed);
}

TEST_F(StylesDialogTest, CommandsWithNoSetSelectedDoNothingAndReportNothing) {
    struct Row {
        const char* what;
        std::function<void(StylesDialogTest&)> command;
    };
    const Row rows[] = {
        {"Delete", [](StylesDialogTest& t) { t.button("PushButton2")->click(); }},
        {"Rename",
         [](StylesDialogTest& t) {
             t.type("tLinesetName", QStringLiteral("Other"));
             t.button("PushButton4")->click();
         }},
        {"pick", [](StylesDialogTest& t) { t.pick("cpLight", 0x0000FF); }},
        {"style", [](StylesDialogTest& t) { t.styleList()->setCurrentIndex(1); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        open();
        select(kGreen);
        button("PushButton2")->click();  // leaves nothing selected
        ASSERT_EQ(dialog->editor().currentIndex, -1);
        const LineSetList before = dialog->editor().sets;
        const QStringList names = shownNames();

        row.command(*this);
        EXPECT_EQ(dialog->editor().sets, before);
        EXPECT_EQ(shownNames(), names);
        EXPECT_EQ(list()->currentRow(), -1);
        EXPECT_TRUE(boxes.shown.isEmpty());
        EXPECT_TRUE(store.writes().isEmpty());
    }
}

TEST_F(StylesDialogTest, ClearingTheHighlightKeepsTheSelectedSetShown) {
    open();
    select(kGreen);
    list()->item(kGreen)->setSelected(false);  // as a Ctrl+click does
    ASSERT_EQ(list()->selectedItems().size(), 1);
    EXPECT_EQ(list()->selectedItems().at(0)->text(), QStringLiteral("Green Lines"));
    button("PushButton2")->click();
    EXPECT_FALSE(shownNames().contains(QStringLiteral("Green Lines")));
}

TEST_F(StylesDialogTest, PickWithNoSelectionStillColoursTheEditorForANewSet) {
    open();
    select(kGreen);
    button("PushButton2")->click();
    pick("cpHeavy", 0x0000FF);
    EXPECT_EQ(dialog->currentLineColors().heavyColor, 0x0000FFu);
    type("tLinesetName", QStringLiteral("Red Meadow"));
    button("PushButton3")->click();
    const LineSetList sets = LoadTemplatesFromString(stored(Key::StyleTemplates));
    ASSERT_EQ(sets.size(), 7);
    EXPECT_EQ(sets.at(6), (LineSet{QStringLiteral("Red Meadow"),
                                   QStringLiteral("255|32768|10551200|10551200|dot")}));
    EXPECT_EQ(sets.indexOf(QStringLiteral("Green Lines")), -1);
}

}  // namespace
}  // namespace lattora::test
