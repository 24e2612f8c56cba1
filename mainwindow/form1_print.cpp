// Printing and the printer set-up.
#include "mainwindow/form1.h"
#include "platform/print/printdialog.h"
#include "platform/print/printer.h"
#include "platform/ui/messageboxes.h"
#include "render/sheetdrawing.h"

namespace lattora {

void Form1::drawCorrectedSheet(DrawTarget& target) {
    const GraduationCorrections corrections = config_->corrections();
    drawSheet(*graph_, target, sheet_, corrections.horizontal, corrections.vertical);
}

void Form1::PrintPaper() {
    MapActualToPreview();
    takeScalesFromLists();
    printSheet(printer_, [this](DrawTarget& page) { drawCorrectedSheet(page); });
}

void Form1::PushButton8_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton8_Click"), this);
    if (!printer_.canPrint()) {
        scope([&] {
            report_.boxes().showMessage(
                this, printer_.installedPrinters().isEmpty()
                          ? QStringLiteral("No printer is installed, so the sheet cannot be "
                                           "printed.\n\nPrinter Setup can print it into a PDF "
                                           "file instead, and Save writes it as a picture or a "
                                           "PDF document.")
                          : QStringLiteral("No default printer is set, so the sheet cannot be "
                                           "printed yet.\n\nChoose a printer in Printer Setup."));
        });
        return;
    }
    scope([&] { PrintPaper(); });
}

void Form1::PushButton16_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton16_Click"), this);
    PrintDialogStart start;
    scope([&] {
        start.current = {printer_.deviceName(),   printer_.copies(),    printer_.orientation(),
                         printer_.colorMode(),    printer_.duplex(),    printer_.paperSize(),
                         printer_.printQuality(), printer_.outputFile()};
        start.driverName = printer_.driverName();
        start.port = printer_.port();
        start.paperBin = printer_.paperBin();
        start.flags = kPrintDialogFlags;
    });
    scope([&] { printer_.setTracksDefault(false); });
    std::optional<PrinterChoice> choice;
    if (!scope([&] { choice = printDialog_->choose(this, start); }) || !choice) {
        return;
    }

    // Only the dialog's name is upper-cased before the first comparison, so a
    // printer whose name has small letters is selected anew; when names differ
    // only in case, the last one listed wins.
    const QString chosen = choice->printerName.toUpper();
    scope([&] {
        if (printer_.deviceName() != chosen) {
            for (const QString& name : printer_.installedPrinters()) {
                if (name.toUpper() == chosen) {
                    printer_.selectPrinter(name);
                }
            }
        }
    });
    // Printing into a file is the dialog's own choice of printer.
    scope([&] { printer_.setOutputFile(choice->outputFile); });
    scope([&] { printer_.setCopies(choice->copies); });
    scope([&] { printer_.setOrientation(choice->orientation); });
    scope([&] { printer_.setColorMode(choice->colorMode); });
    scope([&] { printer_.setDuplex(choice->duplex); });
    scope([&] { printer_.setPaperSize(choice->paperSize); });
    scope([&] { printer_.setPrintQuality(choice->printQuality); });

    scope([&] { UpdatePaper(); });
    scope([&] { MapPreviewToActual(); });
    scope([&] { PushButton18_Click(); });
    scope([&] { DrawPaper(); });
}

}  // namespace lattora
