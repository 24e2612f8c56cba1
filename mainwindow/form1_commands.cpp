// The buttons that open the dialogs, the help notice, Exit, and the commands
// still to come.
#include "mainwindow/form1.h"
#include "platform/messageboxes.h"

namespace lattora {

void Form1::PushButton5_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton5_Click"), this);
    scope([&] { styles_->LoadSettings(); });
    scope([&] { showModal(*styles_); });
    // However the dialog closed, the preview shows the current line set.
    scope([&] { DrawPaper(); });
}

void Form1::pConfig_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("pConfig_Click"), this);
    scope([&] { config_->LoadSettings(); });
    scope([&] { showModal(*config_); });
    // The unit system may have changed: the page is read in the new unit and
    // the lengths are taken afresh from the outline, which did not move.
    scope([&] { UpdatePaper(); });
    scope([&] { MapPreviewToActual(); });
    scope([&] { DrawPaper(); });
}

void Form1::PushButton15_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton15_Click"), this);
    scope([&] {
        report_.boxes().showMessage(
            this, QStringLiteral("Lattora designs sheets of graph paper and prints them.\n\n"
                                 "Questions and suggestions are welcome: please write to us "
                                 "through our contact page,\n%1")
                      .arg(kContactAddress));
    });
}

void Form1::PushButton13_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton13_Click"), this);
    // Closing the main window ends the program; nothing is saved.
    scope([&] { close(); });
}

void Form1::notAvailable(const char* handler, const QString& what) {
    ReportingScope scope(report_, kWindowName, QLatin1String(handler), this);
    scope([&] {
        report_.boxes().showMessage(this, what + QStringLiteral(" is not available yet."));
    });
}

void Form1::PushButton1_Click() {
    notAvailable("PushButton1_Click", QStringLiteral("Minimizing to the system tray"));
}

void Form1::PushButton6_Click() {
    notAvailable("PushButton6_Click", QStringLiteral("Copying to the clipboard"));
}

void Form1::PushButton8_Click() {
    notAvailable("PushButton8_Click", QStringLiteral("Printing"));
}

void Form1::PushButton9_Click() {
    notAvailable("PushButton9_Click", QStringLiteral("Saving to a file"));
}

void Form1::PushButton16_Click() {
    notAvailable("PushButton16_Click", QStringLiteral("Printer setup"));
}

void Form1::PushButton17_Click() {
    notAvailable("PushButton17_Click", QStringLiteral("Creating shortcuts"));
}

}  // namespace lattora
