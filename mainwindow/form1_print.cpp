// Printing and the printer set-up.
#include <QComboBox>

#include "mainwindow/form1.h"
#include "platform/messageboxes.h"
#include "platform/printdialog.h"
#include "platform/printer.h"

namespace lattora {

void Form1::drawSheet(DrawTarget& target) {
    for (const bool isAbscissa : {true, false}) {
        const QComboBox* family = isAbscissa ? cbAbsScale_ : cbOrdScale_;
        const QComboBox* item = isAbscissa ? cbAbsDiv_ : cbOrdDiv_;
        const AxisScale& axis = isAbscissa ? sheet_.abscissa : sheet_.ordinate;
        const GraduationCorrections corrections = config_->corrections();
        graph_->DrawAxisGrid(target, isAbscissa, static_cast<std::int16_t>(family->currentIndex()),
                             static_cast<std::int16_t>(item->currentIndex()), sheet_.marginLeft,
                             sheet_.marginTop, sheet_.areaWidth, sheet_.areaHeight, axis.divisions,
                             corrections.horizontal, corrections.vertical);
    }
}

void Form1::PrintPaper() {
    MapActualToPreview();
    printSheet(printer_, [this](DrawTarget& page) { drawSheet(page); });
}

void Form1::PushButton8_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton8_Click"), this);
    if (!printer_.canPrint()) {
        scope([&] {
            report_.boxes().showMessage(
                this, QStringLiteral("No printer is installed, so the sheet cannot be printed.\n\n"
                                     "Printer Setup can print it into a PDF file instead, and "
                                     "Save writes it as a picture or a PDF document."));
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
