#include "platform/print/printdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "platform/print/qtprintervalues.h"

namespace lattora {

void setUpDialogPrinter(QPrinter& printer, const PrintDialogStart& start) {
    const PrinterChoice& current = start.current;
    if (!current.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(current.outputFile);
    } else if (!current.printerName.isEmpty() &&
               !QPrinterInfo::printerInfo(current.printerName).isNull()) {
        printer.setPrinterName(current.printerName);
    } else {
        // Nothing installed: the dialog can still print into a file.
        printer.setOutputFormat(QPrinter::PdfFormat);
    }
    printer.setPaperSource(static_cast<QPrinter::PaperSource>(start.paperBin));
    printer.setCopyCount(current.copies);
    if (current.paperSize.isValid()) {
        printer.setPageSize(current.paperSize);
    }
    printer.setPageOrientation(qtOrientation(current.orientation));
    printer.setColorMode(qtColorMode(current.colorMode));
    printer.setDuplex(qtDuplex(current.duplex));
    if (current.printQuality > 0) {
        printer.setResolution(current.printQuality);
    }
}

PrinterChoice choiceFrom(const QPrinter& printer) {
    PrinterChoice choice;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    choice.printerName = toFile ? QString() : printer.printerName();
    choice.outputFile = toFile ? printer.outputFileName() : QString();
    choice.copies = printer.copyCount();
    choice.orientation = orientationOf(printer);
    choice.colorMode = colorModeOf(printer.colorMode());
    choice.duplex = duplexOf(printer.duplex());
    choice.paperSize = printer.pageLayout().pageSize();
    choice.printQuality = printer.resolution();
    return choice;
}

void applyDialogFlags(QPrintDialog& dialog, int flags) {
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintSelection, (flags & 0x4) == 0);
    options.setFlag(QAbstractPrintDialog::PrintPageRange, (flags & 0x8) == 0);
    options.setFlag(QAbstractPrintDialog::PrintCurrentPage, false);
    options.setFlag(QAbstractPrintDialog::PrintToFile, true);
    options.setFlag(QAbstractPrintDialog::PrintShowPageSize, true);
    dialog.setOptions(options);
}

namespace {

// Qt's print dialog fills its paper list from the queue's own default, not
// from the printer it is given, and hands that back on OK: the paper chosen
// last time would be lost each time the dialog is confirmed. The paper is
// chosen in the dialog's properties page, so when that page first shows, it
// is set to the paper the dialog started from; a dialog confirmed without it
// keeps that paper.
class KeepsStartingPaper : public QObject {
public:
    KeepsStartingPaper(QPrintDialog& dialog, QPageSize paper)
        : dialog_(dialog), paper_(std::move(paper)) {
        qApp->installEventFilter(this);
    }
    ~KeepsStartingPaper() override { qApp->removeEventFilter(this); }

    bool propertiesShown() const { return shown_; }

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && !shown_ && object->isWidgetType() &&
            object->inherits("QPrintPropertiesDialog") &&
            dialog_.isAncestorOf(static_cast<QWidget*>(object))) {
            shown_ = true;
            if (auto* sizes = object->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))) {
                const int index = sizes->findText(paper_.name());
                if (index >= 0) {
                    sizes->setCurrentIndex(index);
                }
            }
        }
        return false;
    }

private:
    QPrintDialog& dialog_;
    QPageSize paper_;
    bool shown_ = false;
};

}  // namespace

std::optional<PrinterChoice> QtPrintDialog::choose(QWidget* parent, const PrintDialogStart& start) {
    QPrinter printer(QPrinter::HighResolution);
    setUpDialogPrinter(printer, start);
    const QPageSize startingPaper = printer.pageLayout().pageSize();
    QPrintDialog dialog(&printer, parent);
    const KeepsStartingPaper keeper(dialog, startingPaper);
    applyDialogFlags(dialog, start.flags);
    // The dialog sets the printer up; printing is the window's own command,
    // so its confirming button must not promise to print now.
    for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
            ok->setText(QStringLiteral("OK"));
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (!keeper.propertiesShown()) {
        printer.setPageSize(startingPaper);
    }
    return choiceFrom(printer);
}

}  // namespace lattora
