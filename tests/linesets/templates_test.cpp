#include "linesets/templates.h"

#include <gtest/gtest.h>

#include "sheet/colorvalue.h"
#include "sheet/error.h"
#include "tests/linesets/printers.h"

namespace lattora {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The seven sets a fresh installation offers, with the red, green and blue each
// stored colour stands for.
struct BuiltInRow {
    const char* name;
    const char* colorString;
    Rgb heavy, medium, light, subdiv;
    SubdivStyle style;
};

// clang-format off
const BuiltInRow kBuiltIns[] = {
    {"Black Lines", "0|0|0|0|dot",
     {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, SubdivStyle::Dot},
    {"Blue Lines", "16737843|16737843|16763904|16777164|solid",
     {51, 102, 255}, {51, 102, 255}, {0, 204, 255}, {204, 255, 255}, SubdivStyle::Solid},
    {"Dark Gray Lines", "8421504|8421504|8421504|8421504|dot",
     {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, SubdivStyle::Dot},
    {"Green Lines", "32768|32768|10551200|10551200|dot",
     {0, 128, 0}, {0, 128, 0}, {160, 255, 160}, {160, 255, 160}, SubdivStyle::Dot},
    {"Light Gray Lines", "12632256|12632256|12632256|12632256|dot",
     {192, 192, 192}, {192, 192, 192}, {192, 192, 192}, {192, 192, 192}, SubdivStyle::Dot},
    {"Red Lines", "192|12624127|12624127|12624127|dot",
     {192, 0, 0}, {255, 160, 192}, {255, 160, 192}, {255, 160, 192}, SubdivStyle::Dot},
    {"Yellow Lines", "39423|39423|49344|49344|dot",
     {255, 153, 0}, {255, 153, 0}, {192, 192, 0}, {192, 192, 0}, SubdivStyle::Dot},
};
// clang-format on

TEST(TemplateText, BuiltInSetsInOrderWithTheirColours) {
    const LineSetList sets = builtInLineSets();
    ASSERT_EQ(sets.size(), std::ssize(kBuiltIns));
    for (qsizetype i = 0; i < sets.size(); ++i) {
        const BuiltInRow& row = kBuiltIns[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(sets.at(i).name, QString::fromLatin1(row.name));
        EXPECT_EQ(sets.at(i).colorString, QString::fromLatin1(row.colorString));

        LineColors colors;
        EXPECT_TRUE(DecodeColorString(sets.at(i).colorString, colors).isEmpty());
        EXPECT_EQ(colorToRgb(colors.heavyColor), row.heavy);
        EXPECT_EQ(colorToRgb(colors.mediumColor), row.medium);
        EXPECT_EQ(colorToRgb(colors.lightColor), row.light);
        EXPECT_EQ(colorToRgb(colors.subdivColor), row.subdiv);
        EXPECT_EQ(colors.subdivStyle, row.style);
    }
}

TEST(TemplateText, BuiltInSetsWriteSevenLinesEachEndedByCrLf) {
    QString expected;
    for (const BuiltInRow& row : kBuiltIns) {
        expected += QString::fromLatin1(row.name) + QLatin1Char('~') +
                    QString::fromLatin1(row.colorString) + kCrLf;
    }
    const QString text = TemplatesToString(builtInLineSets());
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.count(kCrLf), 7);
    EXPECT_TRUE(text.endsWith(kCrLf));
}

TEST(TemplateText, RoundTripKeepsOrderNamesAndColourStrings) {
    const LineSetList sets{
        {QStringLiteral("Blueprint"), QStringLiteral("16711680|8421504|-2147483643|0|dash")},
        {QStringLiteral("No style"), QStringLiteral("1|2|3|4|")},
        {QStringLiteral("Twin"), QStringLiteral("5|6|7|8|solid")},
        {QStringLiteral("Twin"), QStringLiteral("9|10|11|12|dot")},
        {QStringLiteral("with blanks  "), QString()},
    };
    EXPECT_EQ(LoadTemplatesFromString(TemplatesToString(sets)), sets);
}

TEST(TemplateText, EmptyLineIsSkipped) {
    const LineSetList sets =
        LoadTemplatesFromString(QStringLiteral("A~1|2|3|4|dash\r\n\r\nB~5|6|7|8|solid\r\n"));
    const LineSetList expected{{QStringLiteral("A"), QStringLiteral("1|2|3|4|dash")},
                               {QStringLiteral("B"), QStringLiteral("5|6|7|8|solid")}};
    EXPECT_EQ(sets, expected);
}

TEST(TemplateText, PartsAfterASecondTildeAreIgnored) {
    const LineSetList sets = LoadTemplatesFromString(QStringLiteral("A~1|2|3|4|dot~junk~more\r\n"));
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets.at(0), (LineSet{QStringLiteral("A"), QStringLiteral("1|2|3|4|dot")}));
}

TEST(TemplateText, LineWithoutTildeIsANameWithThePreviousColourString) {
    const LineSetList sets = LoadTemplatesFromString(
        QStringLiteral("Orphan\r\nA~1|2|3|4|dash\r\nLonely\r\nAlso lonely\r\nB~5|6|7|8|solid\r\n"));
    const LineSetList expected{
        {QStringLiteral("Orphan"), QString()},
        {QStringLiteral("A"), QStringLiteral("1|2|3|4|dash")},
        {QStringLiteral("Lonely"), QStringLiteral("1|2|3|4|dash")},
        {QStringLiteral("Also lonely"), QStringLiteral("1|2|3|4|dash")},
        {QStringLiteral("B"), QStringLiteral("5|6|7|8|solid")},
    };
    EXPECT_EQ(sets, expected);
}

TEST(TemplateText, NameWithTildeOrLineBreakCannotCorruptTheStoredText) {
    const LineSetList sets{
        {QStringLiteral("Mine~2"), QStringLiteral("1|2|3|4|dash")},
        {QStringLiteral("Two\r\nlines"), QStringLiteral("5|6|7|8|solid")},
    };
    const LineSetList read = LoadTemplatesFromString(TemplatesToString(sets));
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read.at(0).colorString, QStringLiteral("1|2|3|4|dash"));
    EXPECT_EQ(read.at(1).colorString, QStringLiteral("5|6|7|8|solid"));
    EXPECT_FALSE(read.at(0).name.contains(QLatin1Char('~')));
    EXPECT_TRUE(read.at(0).name.startsWith(QStringLiteral("Mine")));
    EXPECT_TRUE(read.at(1).name.startsWith(QStringLiteral("Two")));
    EXPECT_TRUE(read.at(1).name.endsWith(QStringLiteral("lines")));
}

TEST(LineSetList, LookupByNameIsExactAndTakesTheFirstMatch) {
    const LineSetList sets{{QStringLiteral("Red"), QStringLiteral("1")},
                           {QStringLiteral("red"), QStringLiteral("2")},
                           {QStringLiteral("Red"), QStringLiteral("3")}};
    EXPECT_EQ(sets.indexOf(QStringLiteral("Red")), 0);
    EXPECT_EQ(sets.indexOf(QStringLiteral("red")), 1);
    EXPECT_EQ(sets.indexOf(QStringLiteral("RED")), -1);
    EXPECT_EQ(sets.indexOf(QStringLiteral("Red ")), -1);
}

TEST(LineSetList, PositionOutsideTheListRaisesError) {
    LineSetList sets{{QStringLiteral("Only"), QString()}};
    EXPECT_THROW(sets.at(1), Error);
    EXPECT_THROW(sets.removeAt(-1), Error);
    EXPECT_THROW(sets[1], Error);
    EXPECT_EQ(sets.size(), 1);
}

TEST(LineSetColorString, RedGreenBlueWhiteWithDash) {
    LineColors colors;
    colors.heavyColor = 0x0000FF;
    colors.mediumColor = 0x00FF00;
    colors.lightColor = 0xFF0000;
    colors.subdivColor = 0xFFFFFF;
    colors.subdivStyle = SubdivStyle::Dash;
    EXPECT_EQ(GetCurrentColorString(colors), QStringLiteral("255|65280|16711680|16777215|dash"));
}

TEST(LineSetColorString, SystemColoursAreWrittenAsNegativeNumbersAndReadBack) {
    LineColors colors;
    colors.heavyColor = kWindowBackgroundColor;
    colors.mediumColor = kButtonFaceColor;
    colors.subdivStyle = SubdivStyle::Dot;
    // 0x80000005 and 0x8000000F read as signed 32-bit numbers.
    const QString text = GetCurrentColorString(colors);
    EXPECT_EQ(text, QStringLiteral("-2147483643|-2147483633|0|0|dot"));

    LineColors read;
    EXPECT_TRUE(DecodeColorString(text, read).isEmpty());
    EXPECT_EQ(read, colors);
}

// Decoding starts from these colours, so a field left alone is visible.
LineColors startColors() {
    LineColors colors;
    colors.heavyColor = 11;
    colors.mediumColor = 22;
    colors.lightColor = 33;
    colors.subdivColor = 44;
    colors.subdivStyle = SubdivStyle::Solid;
    return colors;
}

TEST(LineSetColorString, DecodeSetsWhatTheStringHolds) {
    const struct {
        const char* text;
        ColorValue heavy, medium, light, subdiv;
        std::optional<SubdivStyle> style;
        int problems;
    } rows[] = {
        {"1|2|3|4|dash", 1, 2, 3, 4, SubdivStyle::Dash, 0},
        {"1|2|3|4|Dot", 1, 2, 3, 4, SubdivStyle::Solid, 0},  // style words are lower case
        {"1|2|3|4|", 1, 2, 3, 4, SubdivStyle::Solid, 0},     // no style chosen
        {"x|2|3|4|dot", 11, 2, 3, 4, SubdivStyle::Dot, 1},   // bad part skipped, rest decoded
        {"|2||4|dot", 11, 2, 33, 4, SubdivStyle::Dot, 2},
        {"1.5|2|3|4|dot", 11, 2, 3, 4, SubdivStyle::Dot, 1},    // a colour is a whole number
        {"1|2", 1, 2, 33, 44, SubdivStyle::Solid, 0},           // fewer parts set fewer fields
        {"", 11, 22, 33, 44, SubdivStyle::Solid, 0},            // no parts at all
        {"1|2|3|4|x|dash", 1, 2, 3, 4, SubdivStyle::Solid, 0},  // sixth part ignored
        {"-2147483648|2147483647|3|4|dot", 0x80000000u, 0x7FFFFFFFu, 3, 4, SubdivStyle::Dot, 0},
        {"2147483648|-2147483649|3|4|dot", 11, 22, 3, 4, SubdivStyle::Dot, 2},
        {"1|2|3|99999999999999999999999|dot", 1, 2, 3, 44, SubdivStyle::Dot, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        LineColors colors = startColors();
        const QStringList problems = DecodeColorString(QString::fromLatin1(row.text), colors);
        EXPECT_EQ(problems.size(), row.problems) << problems.join(u';').toStdString();
        EXPECT_EQ(colors.heavyColor, row.heavy);
        EXPECT_EQ(colors.mediumColor, row.medium);
        EXPECT_EQ(colors.lightColor, row.light);
        EXPECT_EQ(colors.subdivColor, row.subdiv);
        EXPECT_EQ(colors.subdivStyle, row.style);
    }
}

}  // namespace
}  // namespace lattora
