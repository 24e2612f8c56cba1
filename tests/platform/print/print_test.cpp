// The printer interface's page values and checks, the printing of one page,
// and the printer dialog's hand-over.
#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QPrinter>

#include "platform/print/printdialog.h"
#include "platform/print/printer.h"
#include "platform/print/systemprinter.h"
#include "sheet/error.h"
#include "tests/support/fixedprinter.h"

using namespace lattora;
using namespace Qt::StringLiterals;

// Twips of the paper and the printable extent in the sheet unit: centimetres
// or inches.
TEST(PageSetup, PrinterPageValues) {
    const PageSetup letter{QSizeF(215.9, 279.4), QRectF(6.35, 6.35, 203.2, 260.35),
                           Orientation::Portrait};
    const PrinterPage inches = toPrinterPage(letter, UnitSystem::Imperial);
    EXPECT_EQ(std::tuple(inches.pageWidthTwips, inches.pageHeightTwips, inches.orientation),
              std::tuple(12240, 15840, 1));
    EXPECT_EQ(std::pair(inches.printableWidth, inches.printableHeight), std::pair(8.0f, 10.25f));
    EXPECT_FLOAT_EQ(toPrinterPage(letter, UnitSystem::Metric).printableWidth, 20.32f);
    const PageSetup turned = paperPage(QPageSize(QPageSize::A4), Orientation::Landscape);
    EXPECT_EQ(toPrinterPage(turned, UnitSystem::Metric).orientation, 2);
    EXPECT_FLOAT_EQ(toPrinterPage(turned, UnitSystem::Metric).printableWidth, 29.7f);
    EXPECT_EQ(paperFor(QLocale::ImperialUSSystem).id(), QPageSize::Letter);
    EXPECT_EQ(paperFor(QLocale::ImperialUKSystem).id(), QPageSize::A4);
}

// Papers by key, full name or its first words, regardless of case.
TEST(PageSetup, FindsPaperByItsUsualName) {
    const std::pair<const char*, QPageSize::PageSizeId> names[] = {
        {"a4", QPageSize::A4},         {" Letter ", QPageSize::Letter},
        {"legal", QPageSize::Legal},   {"Executive", QPageSize::Executive},
        {"Napkin", QPageSize::Custom}, {"", QPageSize::Custom}};
    for (const auto& [name, id] : names) {
        EXPECT_EQ(findPaper(QString::fromUtf8(name)).value_or(QPageSize()).id(), id) << name;
    }
}

// The values no printer takes, each at both ends of its range.
TEST(Printer, RefusesWhatNoPrinterTakes) {
    for (const int n : {0, 10000})
        EXPECT_THROW(requireCopies(n), Error) << n;
    for (const int n : {0, 9601})
        EXPECT_THROW(requireQuality(n), Error) << n;
    for (const int n : {0, 1, 3, 4, 6})
        EXPECT_THROW(requireScaleMode(n), Error) << n;
    EXPECT_NO_THROW((requireCopies(1), requireCopies(9999), requireQuality(1), requireQuality(9600),
                     requireScaleMode(Unit::Centimetre), requireScaleMode(Unit::Inch)));
    EXPECT_THROW(requirePaper(QPageSize()), Error);
    FixedPrinter printer({QSizeF(100, 100), QRectF(0, 0, 100, 100), {}});
    printer.setScaleMode(Unit::Millimetre);
    EXPECT_THROW(printer.page(), Error);
}

// The page is printed in the first of the printer's fonts whose name begins
// with "Courier", at 10 points; a failure while drawing sends nothing.
TEST(Printer, PrintSheetPicksTheCourierFont) {
    const std::pair<QStringList, QString> cases[] = {
        {{u"Arial"_s, u"Courier New"_s, u"Courier"_s}, u"Courier New"_s},
        {{u"courier"_s, u"New Courier"_s}, u"Test Sans"_s}};
    FixedPrinter printer({QSizeF(100, 100), QRectF(0, 0, 100, 100), {}});
    for (const auto& [fonts, expected] : cases) {
        printer.setFontNames(fonts);
        printSheet(printer, [](DrawTarget& page) { page.Line(0, 0, 1, 1, 0); });
        EXPECT_EQ(std::pair(printer.printedPages().back().fontName,
                            printer.printedPages().back().fontSize),
                  std::pair(expected, 10.0));
    }
    EXPECT_THROW(printSheet(printer, [](DrawTarget&) { throw Error(u"Too many grid lines"_s); }),
                 Error);
    EXPECT_EQ(std::pair(printer.printedPages().size(), printer.abandonedJobs()), std::pair(2ul, 1));
}

// The Qt printer turns its page: the default printer's, or the stand-in paper.
TEST(SystemPrinter, TurnsItsPage) {
    SystemPrinter printer;
    printer.setOrientation(2);
    EXPECT_EQ(std::pair(printer.orientation(), printer.pageSetup().orientation),
              std::pair(std::int16_t{2}, Orientation::Landscape));
}

// What the dialog is started from comes back unchanged; the flags leave out
// the selection (4) and the page numbers (8).
TEST(PrintDialog, HandsTheSettingsOverUnchanged) {
    PrintDialogStart start;
    start.current = {
        {},  3,           2, ColorMode::Monochrome, DuplexMode::ShortEdge, QPageSize(QPageSize::A5),
        600, u"out.pdf"_s};
    start.paperBin = QPrinter::Manual;
    QPrinter printer(QPrinter::HighResolution);
    setUpDialogPrinter(printer, start);
    EXPECT_EQ(printer.paperSource(), QPrinter::Manual);
    const PrinterChoice back = choiceFrom(printer);
    EXPECT_EQ(std::tuple(back.printerName, back.outputFile, back.copies, back.orientation),
              std::tuple(QString(), u"out.pdf"_s, 3, std::int16_t{2}));
    EXPECT_EQ(std::tuple(back.colorMode, back.paperSize.id(), back.printQuality),
              std::tuple(ColorMode::Monochrome, QPageSize::A5, 600));
    for (const auto& [flags, selection, range] :
         {std::tuple(0, true, true), {0x4, false, true}, {0x8, true, false}}) {
        QPrintDialog dialog(&printer);
        applyDialogFlags(dialog, flags);
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintSelection), selection) << flags;
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintPageRange), range) << flags;
    }
}
