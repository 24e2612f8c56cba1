// Line sets: colour values, the stored template text, colour strings, the
// editor's load from and save to the store, then the wiring of the line-set
// dialog over them (its field checks are the validation tests' business).
#include "linesets/templates.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "linesets/frmstyles.h"
#include "platform/ui/colorchooser.h"
#include "platform/ui/errorreport.h"
#include "sheet/colorvalue.h"
#include "sheet/error.h"
#include "tests/config/dialogscript.h"
#include "tests/support/memorystore.h"

namespace lattora::test {
namespace {

using namespace Qt::StringLiterals;

// Red is the low byte and the fourth byte carries no colour; system colours
// (top bit) map to fixed colours: window white, button face grey, others black.
TEST(ColorValue, ToRedGreenBlue) {
    const std::pair<ColorValue, Rgb> rows[] = {
        // clang-format off
        {0x00332211, {0x11, 0x22, 0x33}}, {0x7F0000FF, {255, 0, 0}}, {0x00FF0000, {0, 0, 255}},
        {0x80000005, {255, 255, 255}}, {0x8000000F, {240, 240, 240}}, {0x80000008, {0, 0, 0}},
        {0x800000FF, {0, 0, 0}}, {0xFFFFFFFF, {0, 0, 0}},
        // clang-format on
    };
    for (const auto& [value, rgb] : rows)
        EXPECT_EQ(colorToRgb(value), rgb) << std::hex << value;
}

// The sets of a template text, one "name=colours" each, joined by ";".
std::string setsOf(const LineSetList& sets) {
    QStringList shown;
    for (const LineSet& set : sets)
        shown << set.name + u'=' + set.colorString;
    return shown.join(u';').toStdString();
}

// Reading: lines end at CR LF, empty ones are skipped, "~" cuts name from
// colour string, a second "~" ends it, and a line without "~" takes the
// colour string of the line before (none for the first).
TEST(TemplateText, ReadsAndWrites) {
    const std::pair<QString, QString> rows[] = {
        // clang-format off
        {u""_s, u""_s}, {u"\r\n\r\n"_s, u""_s},
        {u"A~1|dash\r\n\r\nB~5|solid"_s, u"A=1|dash;B=5|solid"_s},
        {u"A~1|2|dot~junk~more\r\n"_s, u"A=1|2|dot"_s},
        {u"A~\r\nB\nC~2\r\n"_s, u"A=;B\nC=2"_s},
        {u"Orphan\r\nA~1|dash\r\nLone\r\nAlso\r\nB~5\r\n"_s, u"Orphan=;A=1|dash;Lone=1|dash;Also=1|dash;B=5"_s},
        // clang-format on
    };
    for (const auto& [text, sets] : rows)
        EXPECT_EQ(setsOf(LoadTemplatesFromString(text)), sets.toStdString()) << text.toStdString();
    // Written as name~colours CR LF; "~" and line breaks in a name would cut
    // it on reading, so they become "-" and blanks.
    EXPECT_EQ(
        TemplatesToString({{u"Mine~2"_s, u"1|dash"_s}, {u"Two\r\nlines"_s, u"5"_s}}).toStdString(),
        "Mine-2~1|dash\r\nTwo  lines~5\r\n");
    EXPECT_EQ(TemplatesToString({}), QString());
}

TEST(LineSetList, LooksUpTheFirstExactNameAndRefusesPositionsOutside) {
    LineSetList sets{{u"Red"_s, u"1"_s}, {u"red"_s, u"2"_s}, {u"Red"_s, u"3"_s}};
    EXPECT_EQ(QList({sets.indexOf(u"Red"_s), sets.indexOf(u"red"_s), sets.indexOf(u"Red "_s)}),
              QList<qsizetype>({0, 1, -1}));
    EXPECT_THROW(sets.at(3), Error);
    EXPECT_THROW(sets[-1], Error);
    EXPECT_THROW(sets.removeAt(3), Error);
    EXPECT_EQ(sets.at(2).colorString, u"3"_s);
}

// Written: four colours as signed 32-bit decimals each followed by "|", then
// the style word or nothing (the dialog scripts show the words). Decoding
// starts from 11|22|33|44|solid, so a field left alone shows: bad parts are
// skipped and told, the rest still decoded; the style word is exact.
TEST(ColorString, EncodesAndDecodesWhatItCan) {
    EXPECT_EQ(GetCurrentColorString({0xFF, kWindowBackgroundColor, 0x7FFFFFFF, 0xFFFFFF, {}})
                  .toStdString(),
              "255|-2147483643|2147483647|16777215|");
    const std::tuple<const char*, LineColors, int> rows[] = {
        // clang-format off
        {"1|2|3|4|dash", {1, 2, 3, 4, SubdivStyle::Dash}, 0},
        {"1|2|3|4|Dot", {1, 2, 3, 4, SubdivStyle::Solid}, 0},
        {"x|2|3|4|dot", {11, 2, 3, 4, SubdivStyle::Dot}, 1},
        {"|2||4|dot", {11, 2, 33, 4, SubdivStyle::Dot}, 2},
        {"1.5| +2 |-0|4|dot", {11, 2, 0, 4, SubdivStyle::Dot}, 1},
        {"1|2", {1, 2, 33, 44, SubdivStyle::Solid}, 0},
        {"", {11, 22, 33, 44, SubdivStyle::Solid}, 0},
        {"1|2|3|4|x|dash", {1, 2, 3, 4, SubdivStyle::Solid}, 0},
        {"-2147483648|2147483647|3|4|", {0x80000000u, 0x7FFFFFFFu, 3, 4, SubdivStyle::Solid}, 0},
        {"2147483648|-2147483649|3|4|dot", {11, 22, 3, 4, SubdivStyle::Dot}, 2},
        {"1|2|3|99999999999999999999999|dot", {1, 2, 3, 44, SubdivStyle::Dot}, 1},
        // clang-format on
    };
    for (const auto& [text, expected, problems] : rows) {
        LineColors colors{11, 22, 33, 44, SubdivStyle::Solid};
        EXPECT_EQ(DecodeColorString(QString::fromLatin1(text), colors).size(), problems) << text;
        EXPECT_EQ(colors, expected) << text;
    }
    LineColors colors;
    EXPECT_TRUE(DecodeColorString(u"1|oops|3|4|"_s, colors).value(0).contains(u"\"oops\""_s));
}

// Without stored sets the built-ins are used with "Black Lines" current, and
// widths and unit label keep what they held; with them, "CurrentStyle" (or the
// first set) is selected and unit and widths read. A load never writes.
TEST(LineSetLoad, TakesStoredSetsOrTheBuiltIns) {
    const std::pair<QString, QString> two{
        Key::StyleTemplates, u"Pencil~8421504|1|2|3|dot\r\nInk~16711680|255|0|0|dash\r\n"_s};
    // The store, then: sets stored, current set, its heavy colour, unit label,
    // widths and number of problems.
    const std::pair<MemoryStore, QString> rows[] = {
        // clang-format off
        {{{Key::StyleTemplates, u""_s}, {Key::CurrentStyle, u"Red Lines"_s}, {Key::Scale, kMetricWord}, {Key::StyleWidthHeavy, u"40"_s}}, u"0 0 Black Lines 0 before 9/8/7 0"_s},
        {{{Key::StyleTemplates, u"\r\n\r\n"_s}}, u"0 0 Black Lines 0 before 9/8/7 0"_s},
        {{two, {Key::CurrentStyle, u"Ink"_s}, {Key::Scale, kMetricWord}, {Key::StyleWidthHeavy, u"13"_s}, {Key::StyleWidthMedium, u"8"_s}, {Key::StyleWidthLight, u"5"_s}}, u"1 1 Ink 16711680 1/100 mm 13/8/5 0"_s},
        {{two, {Key::CurrentStyle, u"ink"_s}, {Key::Scale, kImperialWord}, {Key::StyleWidthLight, u"4"_s}}, u"1 0 Pencil 8421504 1/1000 in //4 0"_s},
        {{{Key::StyleTemplates, u"Odd~255|oops|1|0|solid\r\n"_s}}, u"1 0 Odd 255 1/1000 in // 1"_s},
        // clang-format on
    };
    for (auto [store, expected] : rows) {
        LineSetEditor editor{{}, -1, {}, {}, {u"9"_s, u"8"_s, u"7"_s}, u"before"_s, true};
        editor.colors.heavyColor = 123;
        const qsizetype problems = LoadSettings(editor, store).size();
        const QString got = u"%1 %2 %3 %4 %5 %6/%7/%8 %9"_s.arg(int(editor.storedSetsLoaded))
                                .arg(editor.currentIndex)
                                .arg(editor.nameField)
                                .arg(currentLineColors(editor).heavyColor)
                                .arg(editor.unitLabel, editor.widths.heavy, editor.widths.medium,
                                     editor.widths.light)
                                .arg(problems);
        EXPECT_EQ(got.toStdString(), expected.toStdString());
        EXPECT_EQ(editor.sets == builtInLineSets(), !editor.storedSetsLoaded);
        EXPECT_TRUE(store.writes().isEmpty());
    }
}

// Five keys in order; the current name is stored as the template text stores
// names, so a name with "~" still selects its set on the next load.
TEST(LineSetSave, WritesFiveKeysThatLoadBack) {
    // clang-format off
    const LineSetEditor editor{{{u"A"_s, u"1|1|1|1|dot"_s}, {u"Mine~2"_s, u"2|2|2|2|dash"_s}}, -1, u"Mine~2"_s, {}, {u"10"_s, u"6"_s, u"4"_s}, {}, false};
    // clang-format on
    MemoryStore store;
    SaveSettings(editor, store);
    EXPECT_EQ(store.writes(),
              (QStringList{Key::StyleTemplates, Key::CurrentStyle, Key::StyleWidthHeavy,
                           Key::StyleWidthMedium, Key::StyleWidthLight}));
    LineSetEditor loaded;
    EXPECT_TRUE(LoadSettings(loaded, store).isEmpty() && loaded.currentIndex == 1 &&
                loaded.widths == editor.widths);
    EXPECT_EQ(setsOf(loaded.sets), "A=1|1|1|1|dot;Mine-2=2|2|2|2|dash");
}

// The fixture is the colour chooser too: it records the colour each picker
// offers and gives `answer` (nothing: cancelled).
struct StylesTest : ::testing::Test, ColorChooser {
    std::optional<ColorValue> chooseColor(QWidget*, ColorValue initial) override {
        offered << initial;
        return answer;
    }
    // Opens the dialog over `from` and runs `script`; a picker's text is the
    // colour the chooser answers, in hex, none: cancelled.
    void open(const MemoryStore& from, const QString& script) {
        boxes.shown.clear();
        passedOn.clear();
        store = from;
        dialog = std::make_unique<FrmStyles>(store, report, *this);
        QObject::connect(
            dialog.get(), &FrmStyles::linesShown,
            [this](LineColors colors, LineWidths) { passedOn << GetCurrentColorString(colors); });
        dialog->LoadSettings();
        dialog->show();
        runScript(*dialog, script, [this](const QString& color) {
            answer = color.isEmpty() ? std::nullopt : std::optional(color.toUInt(nullptr, 16));
        });
    }
    QListWidget* list() const { return dialog->findChild<QListWidget*>(u"lbSetofLines"_s); }
    // The list, its current and highlighted rows, name, heavy and light widths,
    // style and unit label; then what came of it: the sets' colour strings,
    // whether anything was stored, the boxes shown, the colours passed on to
    // the main window, whether still open.
    std::string state() const {
        QStringList names, highlighted, sets;
        for (int i = 0; i < list()->count(); ++i) {
            names << list()->item(i)->text();
            highlighted << (list()->item(i)->isSelected() ? QString::number(i) : QString());
        }
        for (const LineSet& set : dialog->editor().sets)
            sets << set.colorString;
        const QString view = u"%1|%2|%3|%4"_s.arg(
            names.join(u','), QString::number(list()->currentRow()), highlighted.join(QString()),
            shownBy(*dialog, {"tLinesetName", "twHeavy", "twLight", "cbSubDivStyle", "lblScale2"}));
        return u"%1 / %2 / %3 / %4 / %5 / %6"_s
            .arg(view, sets.join(u','), store.writes().isEmpty() ? QString() : u"saved"_s,
                 toldBy(boxes, u"frmStyles"_s), passedOn.join(u','),
                 dialog->isVisible() ? u"open"_s : u"closed"_s)
            .toStdString();
    }

    MemoryStore store;
    RecordingBoxes boxes;
    ErrorReport report{boxes};
    std::optional<ColorValue> answer;
    QList<ColorValue> offered;
    std::unique_ptr<FrmStyles> dialog;
    QStringList passedOn;
};

// Two stored sets, "B" current. The colour part "x" cannot be decoded.
// clang-format off
const MemoryStore kTwoSets{{Key::StyleTemplates, u"A~1|x|3|4|dot\r\nB~5|6|7|8|dash\r\n"_s}, {Key::CurrentStyle, u"B"_s},
                           {Key::StyleWidthHeavy, u"13"_s}, {Key::StyleWidthMedium, u"8"_s}, {Key::StyleWidthLight, u"5"_s}};
// clang-format on

// Scripts over the two stored sets. Loading passes the current colours on; a
// bad colour part is reported by the handler that decoded it; each picker,
// like the style list, rewrites the selected set at once; OK saves, closes
// and reloads, adding a set for a new name; Delete and Cancel, the close box
// and Escape reload the stored sets; with nothing selected no set changes;
// fields that fail their checks hold up OK, the name also Rename.
TEST_F(StylesTest, Scripts) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        // clang-format off
        {"load", "", "A,B|1|1|B|13|5|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  /  / 5|6|7|8|dash / open"},
        {"pick on the first", "lbSetofLines=0;cpSubdiv=1", "A,B|0|0|A|13|5|Dot|1/1000 in / 1|6|3|1|dot,5|6|7|8|dash /  / lbSetofLines_Click / 5|6|7|8|dash / open"},
        {"cancelled pick, style", "cpHeavy;cbSubDivStyle=2", "A,B|1|1|B|13|5|Solid|1/1000 in / 1|x|3|4|dot,5|6|7|8|solid /  /  / 5|6|7|8|dash / open"},
        {"OK new name", "cpLight=ff;tLinesetName=C;twLight=4;PushButton3", "A,B,C|2|2|C|13|4|Dash|1/1000 in / 1|x|3|4|dot,5|6|255|8|dash,5|6|255|8|dash / saved /  / 5|6|7|8|dash,5|6|255|8|dash / closed"},
        {"OK other name", "cbSubDivStyle=0;tLinesetName=A;PushButton3", "A,B|0|0|A|13|5|Dot|1/1000 in / 1|x|3|4|dot,5|6|7|8|dot / saved / LoadSettings / 5|6|7|8|dash,1|6|3|4|dot / closed"},
        {"Cancel", "cpHeavy=1;twHeavy=0;PushButton2;PushButton1", "A,B|1|1|B|13|5|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  /  / 5|6|7|8|dash,5|6|7|8|dash / closed"},
        {"close box", "lbSetofLines=0;PushButton2;close", "A,B|1|1|B|13|5|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  / lbSetofLines_Click / 5|6|7|8|dash,5|6|7|8|dash / closed"},
        {"Escape", "PushButton2;escape", "A,B|1|1|B|13|5|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  /  / 5|6|7|8|dash,5|6|7|8|dash / closed"},
        {"Delete, OK", "PushButton2;lbSetofLines=0;PushButton3", "A|0|0|A|13|5|Dot|1/1000 in / 1|x|3|4|dot / saved / lbSetofLines_Click,LoadSettings / 5|6|7|8|dash,1|6|3|4|dot / closed"},
        {"nothing selected", "PushButton2;PushButton2;tLinesetName=Z;PushButton4;cpHeavy=ff;cbSubDivStyle=0", "A|-1||Z|13|5|Dot|1/1000 in / 1|x|3|4|dot /  /  / 5|6|7|8|dash / open"},
        {"then OK", "PushButton2;cpHeavy=ff;tLinesetName=Z;PushButton3", "A,Z|1|1|Z|13|5|Dash|1/1000 in / 1|x|3|4|dot,255|6|7|8|dash / saved /  / 5|6|7|8|dash,255|6|7|8|dash / closed"},
        {"Rename", "twLight=0;tLinesetName=Z;PushButton4", "A,Z|1|1|Z|13|0|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  /  / 5|6|7|8|dash / open"},
        {"unhighlight", "lbSetofLines=", "A,B|1|1|B|13|5|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  /  / 5|6|7|8|dash / open"},
        {"widths", "twHeavy=;PushButton3;twLight=2.5;PushButton3;twLight=1000000000000000000000000000000000000000000000;PushButton3", "A,B|1|1|B||1000000000000000000000000000000000000000000000|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  / required,invalid,invalid / 5|6|7|8|dash / open"},
        {"name", "tLinesetName=C~D;PushButton3", "A,B|1|1|C~D|13|5|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  / invalid / 5|6|7|8|dash / open"},
        {"rename", "tLinesetName=;PushButton4;tLinesetName=C\nD;PushButton4", "A,B|1|1|C\nD|13|5|Dash|1/1000 in / 1|x|3|4|dot,5|6|7|8|dash /  / required,invalid / 5|6|7|8|dash / open"},
        // clang-format on
    };
    for (const auto& [name, script, expected] : rows) {
        open(kTwoSets, QString::fromUtf8(script));
        EXPECT_EQ(state(), expected) << name;
    }
}

// A save that fails on some keys still saves the others and tells every
// failed one in one report; the dialog shows what was typed, as after a good
// save ("OK new name" above), not what the store could keep of it.
TEST_F(StylesTest, FailedSaveShowsWhatWasTypedAndTellsEveryKey) {
    for (const QStringList& refused :
         {QStringList{Key::StyleTemplates}, {Key::CurrentStyle, Key::StyleWidthLight}}) {
        MemoryStore from = kTwoSets;
        from.refused = refused;
        open(from, u"cpLight=ff;tLinesetName=C;twLight=4;PushButton3"_s);
        // clang-format off
        EXPECT_EQ(state(), "A,B,C|2|2|C|13|4|Dash|1/1000 in / 1|x|3|4|dot,5|6|255|8|dash,5|6|255|8|dash / saved / PushButton3_Click / 5|6|7|8|dash,5|6|255|8|dash / closed");
        // clang-format on
        EXPECT_EQ(boxes.errors().filter(u"\"%1\"."_s.arg(refused.join(u"\", \""))).size(), 1);
        EXPECT_EQ(store.writes().size(), 5 - refused.size());
    }
}

// Each picker offers the colour it shows, shows the one chosen and writes it
// into its own part of the selected set.
TEST_F(StylesTest, PickersOfferTheirColourAndShowTheChoice) {
    open(kTwoSets, u"cpHeavy=123456;cpMedium=123456;cpLight=123456;cpSubdiv=123456"_s);
    for (const QString& picker : {u"cpHeavy"_s, u"cpMedium"_s, u"cpLight"_s, u"cpSubdiv"_s}) {
        const QIcon swatch = dialog->findChild<QPushButton*>(picker)->icon();
        EXPECT_EQ(swatch.pixmap(36, 14).toImage().pixelColor(18, 7), QColor(0x56, 0x34, 0x12));
    }
    EXPECT_EQ(offered, (QList<ColorValue>{5, 6, 7, 8}));
    EXPECT_EQ(dialog->editor().sets.at(1).colorString.toStdString(),
              "1193046|1193046|1193046|1193046|dash");
}

// Without stored sets the built-ins show with the initial widths, which Cancel
// brings back; the unit labels follow the unit system at every load.
TEST_F(StylesTest, FreshStoreShowsTheBuiltIns) {
    open({}, u"lbSetofLines=3;twHeavy=9;PushButton1"_s);
    store.saveSetting(Key::Scale, kMetricWord);
    dialog->LoadSettings();
    EXPECT_EQ(shownBy(*dialog, {"tLinesetName", "twHeavy", "twLight", "cbSubDivStyle", "lblScale2"})
                  .toStdString(),
              "Black Lines|5|2|Dot|1/100 mm");
    EXPECT_TRUE(list()->currentRow() == 0 && list()->item(0)->isSelected() &&
                list()->count() == builtInLineSets().size() && passedOn.isEmpty() &&
                boxes.shown.isEmpty());
}

}  // namespace
}  // namespace lattora::test
