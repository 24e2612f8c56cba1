// The buttons that open the dialogs, the help notice and Exit.
#include <QListWidget>
#include <functional>

#include "tests/mainwindow/form1_fixture.h"
#include "tests/support/pixels.h"

namespace lattora::test {
namespace {

// Answers a dialog by clicking its controls, as a user would.
Form1::ModalRunner answer(std::function<void(QDialog&)> clicks, int* shown = nullptr) {
    return [clicks = std::move(clicks), shown](QDialog& dialog) {
        if (shown != nullptr) {
            ++*shown;
        }
        clicks(dialog);
        return dialog.result();
    };
}

void clickIn(QDialog& dialog, const char* name) {
    auto* found = dialog.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(found, nullptr) << name;
    found->click();
}

// The colour of the left border of the full-size page, half way down.
QRgb leftBorderColour(Form1& form) {
    const QImage& image = form.preview().printPicture().image();
    const double dpi = form.preview().printPicture().dpi();
    const SheetSettings& s = form.sheet();
    const int x = static_cast<int>(std::lround(s.marginLeft / 2.54 * dpi));
    const int y = static_cast<int>(std::lround((s.marginTop + s.areaHeight / 2) / 2.54 * dpi));
    return rgbAt(image, x, y);
}

TEST_F(Form1Test, ChangeLoadsTheLineSetsShowsTheDialogAndDrawsWithTheChosenSet) {
    Form1& form = open();
    int shown = 0;
    form.setModalRunner(answer(
        [&](QDialog& dialog) {
            EXPECT_EQ(&dialog, &form.stylesDialog());
            auto* sets = dialog.findChild<QListWidget*>(u"lbSetofLines"_s);
            ASSERT_NE(sets, nullptr);
            const auto found = sets->findItems(u"Red Lines"_s, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            sets->setCurrentItem(found.first());
            clickIn(dialog, "PushButton3");  // OK
        },
        &shown));
    EXPECT_EQ(leftBorderColour(form), rgbOf(0, 0, 0));
    click(u"PushButton5"_s);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(store.getSetting(Key::CurrentStyle, QString()), u"Red Lines");
    // "Red Lines": heavy 192 (dark red), medium and light 12624127.
    EXPECT_EQ(label(u"lineColor0"_s)->property("colorValue").toUInt(), 192u);
    EXPECT_EQ(label(u"lineColor1"_s)->property("colorValue").toUInt(), 12624127u);
    EXPECT_EQ(leftBorderColour(form), rgbOf(192, 0, 0));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

TEST_F(Form1Test, ChangeRedrawsEvenWhenTheDialogIsCancelled) {
    Form1& form = open();
    form.setModalRunner(answer([](QDialog& dialog) { clickIn(dialog, "PushButton1"); }));
    form.preview().clearPrintPicture();
    ASSERT_EQ(leftBorderColour(form), rgbOf(255, 255, 255));
    click(u"PushButton5"_s);
    EXPECT_EQ(leftBorderColour(form), rgbOf(0, 0, 0));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form1Test, ConfigurationChangingTheUnitKeepsTheAreaWhereItIs) {
    store.remove(Key::Scale);  // imperial
    Form1& form = open();
    const SheetSettings inches = form.sheet();
    const QRectF before = outline();
    int shown = 0;
    form.setModalRunner(answer(
        [&](QDialog& dialog) {
            EXPECT_EQ(&dialog, &form.configDialog());
            clickIn(dialog, "rbMetric");
            clickIn(dialog, "PushButton2");  // OK
        },
        &shown));
    click(u"PushButton12"_s);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(store.getSetting(Key::Scale, QString()), kMetricWord);
    EXPECT_EQ(printer.scaleMode(), Unit::Centimetre);
    EXPECT_EQ(outline(), before);
    const SheetSettings& cm = form.sheet();
    EXPECT_TRUE(nearSingle(cm.marginLeft, inches.marginLeft * 2.54));
    EXPECT_TRUE(nearSingle(cm.marginTop, inches.marginTop * 2.54));
    EXPECT_TRUE(nearSingle(cm.areaWidth, inches.areaWidth * 2.54));
    EXPECT_TRUE(nearSingle(cm.areaHeight, inches.areaHeight * 2.54));
    EXPECT_EQ(number(u"tMarginLeft"_s), cm.marginLeft);
    EXPECT_EQ(number(u"tSizeHeight"_s), cm.areaHeight);
    EXPECT_EQ(control<QGroupBox>(u"gbMargins"_s)->title(), u"Margins (cm)");
    EXPECT_EQ(control<QGroupBox>(u"gbSize"_s)->title(), u"Size (cm)");
    EXPECT_EQ(label(u"lblLineWeight"_s)->text(), u"1/100 mm");
    EXPECT_EQ(label(u"pagewidth"_s)->text(), u"Width = 20 cm");

    // And back: the inches return.
    form.setModalRunner(answer([](QDialog& dialog) {
        clickIn(dialog, "rbImperial");
        clickIn(dialog, "PushButton2");
    }));
    click(u"PushButton12"_s);
    EXPECT_EQ(store.getSetting(Key::Scale, QString()), kImperialWord);
    EXPECT_EQ(outline(), before);
    EXPECT_TRUE(nearSingle(form.sheet().marginLeft, inches.marginLeft));
    EXPECT_TRUE(nearSingle(form.sheet().areaWidth, inches.areaWidth));
    EXPECT_EQ(control<QGroupBox>(u"gbMargins"_s)->title(), u"Margins (inches)");
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.errors().join(u'\n').toStdString();
}

TEST_F(Form1Test, ConfigurationClosedWithoutChangesStillTakesTheLayoutFromTheOutline) {
    Form1& form = open();
    form.setModalRunner(answer([](QDialog& dialog) { clickIn(dialog, "PushButton1"); }));
    // As if the area had been dragged to the middle of the page.
    const QSizeF pic = picture();
    form.preview().setOutline(
        QRectF(pic.width() / 2, pic.height() / 4, pic.width() / 4, pic.height() / 2));
    click(u"PushButton12"_s);
    const PrinterPage p = page();
    EXPECT_DOUBLE_EQ(form.sheet().marginLeft, p.printableWidth / 2.0);
    EXPECT_DOUBLE_EQ(form.sheet().marginTop, p.printableHeight / 4.0);
    EXPECT_DOUBLE_EQ(form.sheet().areaWidth, p.printableWidth / 4.0);
    EXPECT_DOUBLE_EQ(number(u"tSizeHeight"_s), p.printableHeight / 2.0);
    EXPECT_EQ(store.getSetting(Key::Scale, QString()), kMetricWord);
}

TEST_F(Form1Test, HelpNamesTheContactPage) {
    open();
    click(u"PushButton15"_s);
    ASSERT_EQ(boxes.messages().size(), 1);
    EXPECT_TRUE(boxes.messages().first().contains(u"https://tarnhill.example/contact"));
    EXPECT_TRUE(boxes.errors().isEmpty());
}

TEST_F(Form1Test, ExitClosesTheWindowAndSavesNothing) {
    Form1& form = open();
    form.show();
    const qsizetype writes = store.writes().size();
    click(u"PushButton13"_s);
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.configDialog().isVisible());
    EXPECT_FALSE(form.stylesDialog().isVisible());
    EXPECT_EQ(store.writes().size(), writes);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
}  // namespace lattora::test
