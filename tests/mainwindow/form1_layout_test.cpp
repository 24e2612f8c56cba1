// The layout commands: their effect on the sheet, the outline and the fields,
// and what happens to a field that is not a number. How the outline is
// centred and mapped is the outline geometry's and is tested there.
#include "mainwindow/outlinegeometry.h"
#include "tests/mainwindow/form1_fixture.h"

namespace lattora::test {
namespace {

struct Lengths {
    double left, top, width, height;
};

Lengths fieldsOf(const Form1Test& t) {
    return {t.number(u"tMarginLeft"_s), t.number(u"tMarginTop"_s), t.number(u"tSizeWidth"_s),
            t.number(u"tSizeHeight"_s)};
}

Lengths sheetOf(const Form1& form) {
    const SheetSettings& s = form.sheet();
    return {s.marginLeft, s.marginTop, s.areaWidth, s.areaHeight};
}

void expectSame(const Lengths& actual, const Lengths& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
}

TEST_F(Form1Test, ApplyMarginsTakesBothFieldsAndMovesTheOutline) {
    Form1& form = open();
    const SheetSettings before = form.sheet();
    type(u"tMarginLeft"_s, u"3.5"_s);
    type(u"tMarginTop"_s, u"4.25"_s);
    click(u"PushButton2"_s);
    EXPECT_EQ(form.sheet().marginLeft, 3.5);
    EXPECT_EQ(form.sheet().marginTop, 4.25);
    EXPECT_EQ(form.sheet().areaWidth, before.areaWidth);
    EXPECT_EQ(form.sheet().areaHeight, before.areaHeight);
    EXPECT_EQ(outline(), outlineFromSheet(QRectF(3.5, 4.25, before.areaWidth, before.areaHeight),
                                          printable(), picture()));
    // Typed values are kept as typed; nothing rewrites the fields.
    EXPECT_EQ(field(u"tMarginLeft"_s)->text(), u"3.5");
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form1Test, ApplySizeSetsExactlyTheTypedWidthAndHeight) {
    Form1& form = open();
    const SheetSettings before = form.sheet();
    type(u"tSizeWidth"_s, u"12.5"_s);
    type(u"tSizeHeight"_s, u"7.25"_s);
    click(u"PushButton3"_s);
    EXPECT_EQ(form.sheet().areaWidth, 12.5);
    EXPECT_EQ(form.sheet().areaHeight, 7.25);
    EXPECT_EQ(form.sheet().marginLeft, before.marginLeft);
    EXPECT_EQ(outline(), outlineFromSheet(QRectF(before.marginLeft, before.marginTop, 12.5, 7.25),
                                          printable(), picture()));
    EXPECT_EQ(field(u"tSizeHeight"_s)->text(), u"7.25");
}

TEST_F(Form1Test, ApplyDivisionsSetsEachAxissCount) {
    Form1& form = open();
    list(u"cbAbsScale"_s)->setCurrentIndex(2);
    list(u"cbOrdScale"_s)->setCurrentIndex(2);
    type(u"tAbsDiv"_s, u"12"_s);
    type(u"tOrdDiv"_s, u"7.5"_s);
    click(u"PushButton4"_s);
    EXPECT_EQ(form.sheet().abscissa.divisions, 12);
    EXPECT_EQ(form.sheet().ordinate.divisions, 30);
    click(u"PushButton7"_s);
    EXPECT_EQ(form.sheet().ordinate.divisions, 7.5);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

TEST_F(Form1Test, FullPaperCoversThePageAndTheFieldsFollow) {
    Form1& form = open();
    click(u"PushButton14"_s);
    const PrinterPage p = page();
    EXPECT_EQ(outline(), QRectF(QPointF(0, 0), picture()));
    EXPECT_EQ(form.sheet().marginLeft, 0);
    EXPECT_EQ(form.sheet().marginTop, 0);
    EXPECT_DOUBLE_EQ(form.sheet().areaWidth, p.printableWidth);
    EXPECT_DOUBLE_EQ(form.sheet().areaHeight, p.printableHeight);
    expectSame(fieldsOf(*this), sheetOf(form));
}

TEST_F(Form1Test, CenterHorizontallyEvensTheSpaceAboveAndBelow) {
    Form1& form = open();
    type(u"tMarginLeft"_s, u"2"_s);
    type(u"tMarginTop"_s, u"3"_s);
    click(u"PushButton2"_s);
    type(u"tSizeWidth"_s, u"10"_s);
    type(u"tSizeHeight"_s, u"8.7"_s);
    click(u"PushButton3"_s);
    click(u"PushButton10"_s);
    // 28.7 cm printable, 8.7 cm high: 10 cm above and below.
    EXPECT_NEAR(form.sheet().marginTop, (page().printableHeight - 8.7) / 2, 1e-5);
    EXPECT_NEAR(form.sheet().marginLeft, 2, 1e-5);
    EXPECT_NEAR(form.sheet().areaHeight, 8.7, 1e-5);
    expectSame(fieldsOf(*this), sheetOf(form));
}

TEST_F(Form1Test, CenterVericallyEvensTheSpaceLeftAndRight) {
    Form1& form = open();
    type(u"tMarginLeft"_s, u"1"_s);
    type(u"tMarginTop"_s, u"3"_s);
    click(u"PushButton2"_s);
    type(u"tSizeWidth"_s, u"10"_s);
    type(u"tSizeHeight"_s, u"5"_s);
    click(u"PushButton3"_s);
    click(u"PushButton11"_s);
    EXPECT_NEAR(form.sheet().marginLeft, 5, 1e-5);  // (20 - 10) / 2
    EXPECT_NEAR(form.sheet().marginTop, 3, 1e-5);
    EXPECT_NEAR(form.sheet().areaWidth, 10, 1e-5);
    expectSame(fieldsOf(*this), sheetOf(form));
}

TEST_F(Form1Test, StandardMarginsPutsBackOneCentimetreAllRound) {
    Form1& form = open();
    click(u"PushButton14"_s);
    ASSERT_EQ(form.sheet().marginLeft, 0);
    click(u"PushButton18"_s);
    const PrinterPage p = page();
    EXPECT_NEAR(form.sheet().marginLeft, 1.0, 1e-5);
    EXPECT_NEAR(form.sheet().marginTop, 1.0, 1e-5);
    EXPECT_NEAR(form.sheet().areaWidth, p.printableWidth - 2.0, 1e-5);
    EXPECT_NEAR(form.sheet().areaHeight, p.printableHeight - 2.0, 1e-5);
    EXPECT_EQ(outline(),
              outlineFromSheet(QRectF(1.0, 1.0, p.printableWidth - 2.0, p.printableHeight - 2.0),
                               printable(), picture()));
    expectSame(fieldsOf(*this), sheetOf(form));
}

TEST_F(Form1Test, StandardMarginsInInchesLeavesHalfAnInchAllRound) {
    store.saveSetting(Key::Scale, u"Imperial"_s);
    Form1& form = open();
    click(u"PushButton14"_s);
    click(u"PushButton18"_s);
    const PrinterPage p = page();
    EXPECT_NEAR(form.sheet().marginLeft, 0.5, 1e-5);
    EXPECT_NEAR(form.sheet().areaWidth, p.printableWidth - 1.0, 1e-5);
    EXPECT_NEAR(form.sheet().areaHeight, p.printableHeight - 1.0, 1e-5);
}

TEST_F(Form1Test, TurningThePageResetsTheMarginsForItsNewShape) {
    Form1& form = open();
    type(u"tMarginLeft"_s, u"3"_s);
    click(u"PushButton2"_s);
    control<QRadioButton>(u"rbLandscape"_s)->click();
    EXPECT_EQ(printer.orientation(), 2);
    EXPECT_TRUE(control<QRadioButton>(u"rbLandscape"_s)->isChecked());
    EXPECT_EQ(picture().width(), 5535);
    EXPECT_LT(picture().height(), picture().width());
    const PrinterPage turned = page();
    EXPECT_EQ(turned.printableWidth, 28.7f);
    EXPECT_EQ(label(u"pagewidth"_s)->text(), u"Width = 28.7 cm");
    EXPECT_EQ(label(u"pageheight"_s)->text(), u"Height = 20 cm");
    EXPECT_NEAR(form.sheet().marginLeft, 1.0, 1e-5);
    EXPECT_NEAR(form.sheet().areaWidth, turned.printableWidth - 2.0, 1e-5);
    EXPECT_NEAR(form.sheet().areaHeight, turned.printableHeight - 2.0, 1e-5);
    expectSame(fieldsOf(*this), sheetOf(form));

    type(u"tMarginTop"_s, u"4"_s);
    click(u"PushButton2"_s);
    control<QRadioButton>(u"rbPortrait"_s)->click();
    EXPECT_EQ(printer.orientation(), 1);
    EXPECT_EQ(picture().height(), 4575);
    EXPECT_NEAR(form.sheet().marginTop, 1.0, 1e-5);
    EXPECT_NEAR(form.sheet().areaWidth, 18.0, 1e-5);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

TEST_F(Form1Test, ClickingTheOrientationAlreadyChosenKeepsTheLayout) {
    Form1& form = open();
    type(u"tMarginLeft"_s, u"3"_s);
    click(u"PushButton2"_s);
    control<QRadioButton>(u"rbPortrait"_s)->click();
    EXPECT_EQ(form.sheet().marginLeft, 3);
    EXPECT_EQ(printer.orientation(), 1);
}

TEST_F(Form1Test, ReportsAFieldThatIsNoNumberAndAppliesTheOther) {
    struct Case {
        const char* button;
        const char* bad;
        const char* good;
        double SheetSettings::*badLength;
        double SheetSettings::*goodLength;
    };
    const Case cases[] = {
        {"PushButton2", "tMarginLeft", "tMarginTop", &SheetSettings::marginLeft,
         &SheetSettings::marginTop},
        {"PushButton2", "tMarginTop", "tMarginLeft", &SheetSettings::marginTop,
         &SheetSettings::marginLeft},
        {"PushButton3", "tSizeWidth", "tSizeHeight", &SheetSettings::areaWidth,
         &SheetSettings::areaHeight},
        {"PushButton3", "tSizeHeight", "tSizeWidth", &SheetSettings::areaHeight,
         &SheetSettings::areaWidth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bad);
        Form1& form = open();
        boxes.shown.clear();
        const SheetSettings before = form.sheet();
        type(QLatin1String(c.bad), u"abc"_s);
        type(QLatin1String(c.good), u"2.5"_s);
        click(QLatin1String(c.button));
        ASSERT_EQ(boxes.errors().size(), 1);
        const QString report = boxes.errors().first();
        EXPECT_TRUE(report.contains(u"Form1.%1_Click "_s.arg(QLatin1String(c.button))));
        EXPECT_TRUE(report.contains(u"abc"));
        EXPECT_EQ(form.sheet().*c.badLength, before.*c.badLength);
        EXPECT_EQ(form.sheet().*c.goodLength, 2.5);
        // The command went on: the outline follows the new length.
        const SheetSettings& s = form.sheet();
        EXPECT_EQ(outline(),
                  outlineFromSheet(QRectF(s.marginLeft, s.marginTop, s.areaWidth, s.areaHeight),
                                   printable(), picture()));
    }
}

TEST_F(Form1Test, ReportsALengthTooLargeForThePreviewAndKeepsTheOutline) {
    Form1& form = open();
    const QRectF before = outline();
    type(u"tSizeWidth"_s, u"1e300"_s);
    click(u"PushButton3"_s);
    ASSERT_FALSE(boxes.errors().isEmpty());
    EXPECT_TRUE(boxes.errors().first().contains(u"Overflow"));
    EXPECT_TRUE(boxes.errors().first().contains(u"Form1.PushButton3_Click "));
    EXPECT_EQ(outline(), before);
    // A sensible width afterwards works again.
    boxes.shown.clear();
    type(u"tSizeWidth"_s, u"10"_s);
    click(u"PushButton3"_s);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(form.sheet().areaWidth, 10);
}

}  // namespace
}  // namespace lattora::test
