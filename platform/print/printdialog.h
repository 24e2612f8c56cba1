// The printer dialog behind an interface, so that tests answer it instead of
// a person.
#pragma once

#include <QString>
#include <optional>

#include "platform/print/printer.h"

class QPrintDialog;
class QPrinter;
class QWidget;

namespace lattora {

// What the dialog is started from: the current printer's settings, where it
// is attached and its paper bin, and the dialog's flags (the sum of 0x4 "no
// selection", 0x8 "no page numbers" and 0x100 "return a device context" ...).
struct PrintDialogStart {
    PrinterChoice current;
    QString driverName;
    QString port;
    int paperBin = 0;
    int flags = 0;
};

// The flags of a sheet's printer dialog: no selection, no page numbers, and
// a device to print on.
inline constexpr int kPrintDialogFlags = 0x4 | 0x8 | 0x100;

class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // Shows the dialog over `parent`; the chosen settings, or nothing when
    // the user cancels.
    virtual std::optional<PrinterChoice> choose(QWidget* parent, const PrintDialogStart& start) = 0;
};

// The desktop's print dialog over a printer set up from `start`. Without an
// installed printer it still offers printing into a PDF file, with the paper
// size and orientation to choose.
class QtPrintDialog : public PrintDialog {
public:
    std::optional<PrinterChoice> choose(QWidget* parent, const PrintDialogStart& start) override;
};

// The Qt printer a dialog shows: the starting printer and its settings.
void setUpDialogPrinter(QPrinter& printer, const PrintDialogStart& start);
// What the user chose on `printer` after the dialog.
PrinterChoice choiceFrom(const QPrinter& printer);
// The dialog's options for the flags: what "no selection" and "no page
// numbers" leave out.
void applyDialogFlags(QPrintDialog& dialog, int flags);

}  // namespace lattora
