// The printing path on a real Qt printer writing a PDF file, the printer
// dialog's hand-over, and replaying a recorded page.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/print/printdialog.h"
#include "platform/print/printer.h"
#include "platform/print/systemprinter.h"
#include "render/recordingtarget.h"
#include "sheet/error.h"

namespace lattora {
namespace {

using namespace Qt::StringLiterals;

// A sheet's worth of drawing: a few lines and a label.
void drawSome(DrawTarget& target) {
    for (int i = 0; i <= 10; ++i) {
        target.Line(1 + i * 0.5, 1, 1 + i * 0.5, 6, 0);
    }
    target.FontSize(6);
    target.CurrentX(1);
    target.CurrentY(6);
    target.Print(5);
}

TEST(SystemPrinting, APdfFileChosenAsPrinterReceivesTheWholePage) {
    QTemporaryDir dir;
    SystemPrinter printer;
    const QString path = dir.filePath(u"sheet.pdf"_s);
    printer.setOutputFile(path);
    printer.setPaperSize(QPageSize(QPageSize::A5));
    printer.setScaleMode(Unit::Centimetre);
    ASSERT_TRUE(printer.canPrint());
    printSheet(printer, drawSome);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    QProcess info;
    info.start(u"pdfinfo"_s, {path});
    if (!info.waitForFinished() || info.exitCode() != 0) {
        GTEST_SKIP() << "pdfinfo is not installed";
    }
    // A5: 148 x 210 mm, 419.5 x 595.3 points.
    EXPECT_TRUE(info.readAllStandardOutput().contains("Page size:       420 x 595 pts (A5)"));
}

TEST(SystemPrinting, AFailureWhileDrawingLeavesNoFileBehind) {
    QTemporaryDir dir;
    SystemPrinter printer;
    const QString path = dir.filePath(u"sheet.pdf"_s);
    printer.setOutputFile(path);
    printer.setScaleMode(Unit::Centimetre);
    EXPECT_THROW(printSheet(printer,
                            [](DrawTarget& target) {
                                drawSome(target);
                                throw Error(u"Too many grid lines"_s);
                            }),
                 Error);
    EXPECT_FALSE(QFile::exists(path));
    // The printer prints again afterwards.
    printSheet(printer, drawSome);
    EXPECT_TRUE(QFile::exists(path));
}

TEST(SystemPrinting, ChoosingAFileAndGoingBackToNoFile) {
    SystemPrinter printer;
    const bool installed = printer.available();
    printer.setOutputFile(u"/tmp/x.pdf"_s);
    EXPECT_EQ(printer.outputFile(), u"/tmp/x.pdf");
    EXPECT_TRUE(printer.canPrint());
    printer.setOutputFile(QString());
    EXPECT_TRUE(printer.outputFile().isEmpty());
    EXPECT_EQ(printer.canPrint(), installed);
}

TEST(SystemPrinting, RefusesSettingsNoPrinterTakes) {
    SystemPrinter printer;
    EXPECT_THROW(printer.setCopies(0), Error);
    EXPECT_THROW(printer.setPrintQuality(-300), Error);
    EXPECT_THROW(printer.setPaperSize(QPageSize()), Error);
    EXPECT_THROW(SystemPrinter(u"No Such Printer 4711"_s), Error);
}

TEST(PrintDialogHandOver, WhatTheDialogShowsComesBackUnchanged) {
    QTemporaryDir dir;
    PrintDialogStart start;
    start.current = {QString(),
                     3,
                     2,
                     ColorMode::Monochrome,
                     DuplexMode::ShortEdge,
                     QPageSize(QPageSize::A5),
                     600,
                     dir.filePath(u"out.pdf"_s)};
    start.paperBin = QPrinter::Manual;
    QPrinter printer(QPrinter::HighResolution);
    setUpDialogPrinter(printer, start);
    EXPECT_EQ(printer.paperSource(), QPrinter::Manual);
    const PrinterChoice back = choiceFrom(printer);
    EXPECT_EQ(back.printerName, QString());
    EXPECT_EQ(back.outputFile, start.current.outputFile);
    EXPECT_EQ(back.copies, 3);
    EXPECT_EQ(back.orientation, 2);
    EXPECT_EQ(back.colorMode, ColorMode::Monochrome);
    EXPECT_EQ(back.paperSize.id(), QPageSize::A5);
    EXPECT_EQ(back.printQuality, 600);
}

TEST(PrintDialogHandOver, FlagsLeaveOutSelectionAndPageNumbers) {
    const struct {
        int flags;
        bool selection;
        bool pageRange;
    } cases[] = {
        {kPrintDialogFlags, false, false}, {0, true, true}, {0x4, false, true}, {0x8, true, false}};
    EXPECT_EQ(kPrintDialogFlags, 268);
    QPrinter printer(QPrinter::HighResolution);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        QPrintDialog dialog(&printer);
        applyDialogFlags(dialog, c.flags);
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintSelection), c.selection);
        EXPECT_EQ(dialog.testOption(QAbstractPrintDialog::PrintPageRange), c.pageRange);
        EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    }
}

TEST(RecordedPage, ReplaysEveryCallInOrder) {
    RecordingTarget page(Unit::Centimetre, 600);
    drawSome(page);
    page.FontSize(12);
    page.CurrentX(2.5);
    page.CurrentY(3);
    page.Print(-0.25);
    RecordingTarget copy(Unit::Centimetre, 600);
    page.replay(copy);
    EXPECT_EQ(copy.trace(), page.trace());
    ASSERT_EQ(copy.labels().size(), 2u);
    EXPECT_EQ(copy.labels()[1].fontSize, 12);
    EXPECT_EQ(copy.labels()[1].number, -0.25);
}

}  // namespace
}  // namespace lattora
