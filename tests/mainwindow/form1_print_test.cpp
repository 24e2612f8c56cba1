// Print and Printer Setup on a test printer that records its pages and the
// settings it is given, with a printer dialog the tests answer.
#include <QSlider>
#include <algorithm>

#include "platform/print/printdialog.h"
#include "tests/mainwindow/form1_fixture.h"
#include "tests/support/fixedprinter.h"

namespace lattora::test {
namespace {

// Answers the printer dialog with a fixed choice, or cancels.
class AnsweringPrintDialog : public PrintDialog {
public:
    std::optional<PrinterChoice> choose(QWidget*, const PrintDialogStart& start) override {
        starts.push_back(start);
        if (failure) {
            throw Error(*failure);
        }
        return answer;
    }
    std::optional<PrinterChoice> answer;
    std::optional<QString> failure;
    std::vector<PrintDialogStart> starts;
};

class Form1PrintTest : public Form1Test {
protected:
    Form1& openForPrinting() {
        Form1& form = open();
        form.setPrintDialog(dialog);
        return form;
    }
    void setCorrections(int horizontal, int vertical) {
        form->configDialog().findChild<QSlider*>(u"sGradH"_s)->setValue(horizontal);
        form->configDialog().findChild<QSlider*>(u"sGradV"_s)->setValue(vertical);
    }
    // A choice that keeps the test printer's own settings.
    PrinterChoice sameSettings() const {
        return {printer.deviceName(),   printer.copies(), printer.orientation(),
                printer.colorMode(),    printer.duplex(), printer.paperSize(),
                printer.printQuality(), QString()};
    }

    AnsweringPrintDialog dialog;
};

struct Extent {
    double left, top, right, bottom;
};

Extent extentOf(const std::vector<RecordingTarget::LineCall>& lines) {
    Extent e{1e300, 1e300, -1e300, -1e300};
    for (const auto& l : lines) {
        e.left = std::min({e.left, l.x1, l.x2});
        e.right = std::max({e.right, l.x1, l.x2});
        e.top = std::min({e.top, l.y1, l.y2});
        e.bottom = std::max({e.bottom, l.y1, l.y2});
    }
    return e;
}

TEST_F(Form1PrintTest, PrintsOnePageInTheSheetUnitWithTheCorrections) {
    Form1& form = openForPrinting();
    // One per cent of a centimetre right, half of one up.
    setCorrections(10, -5);
    click(u"PushButton8"_s);
    ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.shown.first().text.toStdString();
    ASSERT_EQ(printer.printedPages().size(), 1u);
    const FixedPrinter::Page& page = printer.printedPages().front();
    EXPECT_EQ(page.scaleMode, Unit::Centimetre);
    const SheetSettings& s = form.sheet();
    // A correction c moves the near border by c and the far one by 2c.
    // Positions are single precision on their way through the renderer.
    const Extent e = extentOf(page.lines);
    constexpr double kSingle = 1e-5;
    EXPECT_NEAR(e.left, s.marginLeft + 0.01, kSingle);
    EXPECT_NEAR(e.right, s.marginLeft + s.areaWidth + 0.02, kSingle);
    EXPECT_NEAR(e.top, s.marginTop - 0.005, kSingle);
    EXPECT_NEAR(e.bottom, s.marginTop + s.areaHeight - 0.01, kSingle);
    // Metric 1 mm: a line every millimetre from border to border, and the
    // two borders drawn over the first and the last.
    const auto vertical = std::count_if(page.lines.begin(), page.lines.end(),
                                        [](const auto& l) { return l.x1 == l.x2; });
    EXPECT_EQ(vertical, std::lround(s.areaWidth * 10) + 1 + 2);
    EXPECT_EQ(printer.abandonedJobs(), 0);
}

TEST_F(Form1PrintTest, LabelsUseTheFirstCourierFontThePrinterLists) {
    const struct {
        QStringList fonts;
        QString expected;
    } cases[] = {
        {{}, u"Test Sans"_s},
        {{u"DejaVu Sans"_s, u"courier"_s, u"New Courier"_s}, u"Test Sans"_s},
        {{u"Arial"_s, u"Courier 10 Pitch"_s, u"Courier New"_s}, u"Courier 10 Pitch"_s},
        {{u"Courier"_s}, u"Courier"_s},
    };
    openForPrinting();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fonts.join(u", ").toStdString());
        printer.setFontNames(c.fonts);
        const std::size_t before = printer.printedPages().size();
        click(u"PushButton8"_s);
        ASSERT_EQ(printer.printedPages().size(), before + 1);
        EXPECT_EQ(printer.printedPages().back().fontName, c.expected);
        // The page starts at 10 points, whichever font it is.
        EXPECT_EQ(printer.printedPages().back().fontSize, 10);
    }
}

TEST_F(Form1PrintTest, PrintingReadsTheScalesTheListsShowNow) {
    openForPrinting();
    list(u"cbOrdScale"_s)->setCurrentIndex(list(u"cbOrdScale"_s)->findText(u"Logarithmic"_s));
    list(u"cbOrdDiv"_s)->setCurrentIndex(list(u"cbOrdDiv"_s)->findText(u"2 cycles"_s));
    click(u"PushButton8"_s);
    ASSERT_EQ(printer.printedPages().size(), 1u);
    // Two logarithmic cycles label 1 to 10 twice on the ordinate.
    QStringList texts;
    for (const auto& label : printer.printedPages().front().labels) {
        texts << label.text;
    }
    EXPECT_EQ(texts.count(u"10"_s), 2);
    EXPECT_EQ(texts.count(u"1"_s), 2);
}

TEST_F(Form1PrintTest, AFailureAbandonsThePageAndIsReported) {
    openForPrinting();
    printer.failAfterLines(50);
    click(u"PushButton8"_s);
    EXPECT_TRUE(printer.printedPages().empty());
    EXPECT_EQ(printer.abandonedJobs(), 1);
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().first().contains(u"Printer out of paper"));
    EXPECT_TRUE(boxes.errors().first().contains(u"Form1.PushButton8_Click"));
}

TEST_F(Form1PrintTest, WithoutAPrinterPrintSaysSoOnceAndDoesNothingElse) {
    printer = FixedPrinter(a4Page(), false);
    Form1& form = openForPrinting();
    const SheetSettings before = form.sheet();
    boxes.shown.clear();
    click(u"PushButton8"_s);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_FALSE(boxes.shown.first().error);
    EXPECT_TRUE(boxes.shown.first().text.contains(u"No printer is installed"));
    EXPECT_TRUE(printer.printedPages().empty());
    EXPECT_EQ(printer.abandonedJobs(), 0);
    EXPECT_EQ(form.sheet().marginLeft, before.marginLeft);

    // A PDF file chosen in the printer set-up is somewhere to print.
    printer.setOutputFile(u"/tmp/sheet.pdf"_s);
    boxes.shown.clear();
    click(u"PushButton8"_s);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(printer.printedPages().size(), 1u);
}

TEST_F(Form1PrintTest, SetupStartsFromTheCurrentPrinterAndCancelChangesNothing) {
    Form1& form = openForPrinting();
    type(u"tMarginLeft"_s, u"3"_s);
    click(u"PushButton2"_s);
    const SheetSettings before = form.sheet();
    printer.setPrintQuality(300);
    const int callsBefore = static_cast<int>(printer.calls().size());

    click(u"PushButton16"_s);
    ASSERT_EQ(dialog.starts.size(), 1u);
    const PrintDialogStart& start = dialog.starts.front();
    EXPECT_EQ(start.current.printerName, u"Test Printer");
    EXPECT_EQ(start.current.printQuality, 300);
    EXPECT_EQ(start.driverName, u"Test Driver");
    EXPECT_EQ(start.port, u"TEST:");
    EXPECT_EQ(start.paperBin, 7);
    EXPECT_EQ(start.flags, 268);

    EXPECT_FALSE(printer.tracksDefault());
    EXPECT_EQ(printer.calls().size(), callsBefore);
    EXPECT_EQ(form.sheet().marginLeft, before.marginLeft);
    EXPECT_EQ(form.sheet().areaWidth, before.areaWidth);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(Form1PrintTest, SetupSelectsTheChosenPrinterAndTakesItsSettingsInOrder) {
    const struct {
        const char* what;
        QString current;
        QString chosen;
        QStringList installed;
        QStringList selections;
    } cases[] = {
        // Only the dialog's name is upper-cased: a current printer with small
        // letters is selected anew, and every match is selected in turn.
        {"same printer, small letters",
         u"Test Printer"_s,
         u"Test Printer"_s,
         {u"Office"_s, u"Test Printer"_s, u"TEST PRINTER"_s},
         {u"select Test Printer"_s, u"select TEST PRINTER"_s}},
        {"same printer, capitals", u"OFFICE"_s, u"office"_s, {u"Office"_s, u"OFFICE"_s}, {}},
        {"another printer", u"Office"_s, u"Lab"_s, {u"Office"_s, u"lab"_s}, {u"select lab"_s}},
        {"no such printer", u"Office"_s, u"Gone"_s, {u"Office"_s}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer = FixedPrinter(a4Page());
        printer.setDeviceName(c.current);
        printer.setInstalledPrinters(c.installed);
        Form1& form = openForPrinting();
        PrinterChoice choice = sameSettings();
        choice.printerName = c.chosen;
        choice.copies = 3;
        choice.orientation = 2;
        choice.colorMode = ColorMode::Monochrome;
        choice.duplex = DuplexMode::LongEdge;
        choice.paperSize = QPageSize(QPageSize::A5);
        choice.printQuality = 1200;
        dialog.answer = choice;
        click(u"PushButton16"_s);

        QStringList expected = c.selections;
        expected << u"file "_s << u"copies 3"_s << u"orientation 2"_s << u"color 1"_s
                 << u"duplex 2"_s << u"paper A5"_s << u"quality 1200"_s;
        // The window's own calls before the dialog (orientation at start-up)
        // are not part of the hand-over.
        const QStringList calls = printer.calls().mid(printer.calls().size() - expected.size());
        EXPECT_EQ(calls, expected);
        EXPECT_TRUE(boxes.errors().isEmpty()) << boxes.errors().join(u"\n").toStdString();
        // The sheet is laid anew on the A5 landscape page: standard margins.
        const PrinterPage p = page();
        EXPECT_EQ(p.orientation, 2);
        EXPECT_NEAR(p.printableWidth, (210 - 10) / 10.0, 1e-5);
        EXPECT_TRUE(control<QRadioButton>(u"rbLandscape"_s)->isChecked());
        // Standard margins, as the outline holds them in single precision.
        EXPECT_TRUE(nearSingle(form.sheet().marginLeft, 1));
        EXPECT_TRUE(nearSingle(form.sheet().marginTop, 1));
        EXPECT_NEAR(form.sheet().areaWidth, p.printableWidth - 2, 1e-5);
        EXPECT_NEAR(form.sheet().areaHeight, p.printableHeight - 2, 1e-5);
        EXPECT_EQ(number(u"tSizeWidth"_s), form.sheet().areaWidth);
        this->form.reset();
    }
}

TEST_F(Form1PrintTest, SetupAlwaysEndsAtStandardMarginsAndTakesWhatItCan) {
    Form1& form = openForPrinting();
    type(u"tMarginLeft"_s, u"4"_s);
    type(u"tMarginTop"_s, u"5"_s);
    click(u"PushButton2"_s);
    PrinterChoice choice = sameSettings();
    choice.copies = 0;  // refused by the printer
    choice.paperSize = QPageSize(QPageSize::Letter);
    dialog.answer = choice;
    click(u"PushButton16"_s);
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().first().contains(u"copies"));
    // The settings after the refused one still reach the printer.
    EXPECT_EQ(printer.paperSize().id(), QPageSize::Letter);
    EXPECT_TRUE(nearSingle(form.sheet().marginLeft, 1));
    EXPECT_TRUE(nearSingle(form.sheet().marginTop, 1));
    EXPECT_NEAR(form.sheet().areaWidth, page().printableWidth - 2, 1e-5);
}

TEST_F(Form1PrintTest, AFailingDialogIsReportedAndChangesNothing) {
    Form1& form = openForPrinting();
    const SheetSettings before = form.sheet();
    const int callsBefore = static_cast<int>(printer.calls().size());
    dialog.failure = u"The print system is not answering"_s;
    click(u"PushButton16"_s);
    ASSERT_EQ(boxes.errors().size(), 1);
    EXPECT_TRUE(boxes.errors().first().contains(u"The print system is not answering"));
    EXPECT_EQ(printer.calls().size(), callsBefore);
    EXPECT_EQ(form.sheet().areaWidth, before.areaWidth);
}

TEST_F(Form1PrintTest, APdfFileChosenWithoutAPrinterGivesTheSheetItsPage) {
    printer = FixedPrinter(a4Page(), false);
    Form1& form = openForPrinting();
    PrinterChoice choice = sameSettings();
    choice.printerName.clear();
    choice.outputFile = folder.filePath(u"sheet.pdf"_s);
    choice.paperSize = QPageSize(QPageSize::Letter);
    choice.orientation = 2;
    dialog.answer = choice;
    click(u"PushButton16"_s);
    EXPECT_TRUE(boxes.errors().isEmpty()) << boxes.errors().join(u"\n").toStdString();
    EXPECT_EQ(printer.outputFile(), choice.outputFile);
    // Letter landscape, less the test page's 5 mm all round.
    EXPECT_NEAR(page().printableWidth, (279.4 - 10) / 10, 1e-4);
    EXPECT_NEAR(form.sheet().areaWidth, (279.4 - 10) / 10 - 2, 1e-4);

    boxes.shown.clear();
    click(u"PushButton8"_s);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(printer.printedPages().size(), 1u);
}

}  // namespace
}  // namespace lattora::test
