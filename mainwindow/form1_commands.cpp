// The buttons that open the dialogs, the help notice and Exit.
#include "mainwindow/form1.h"
#include "platform/ui/messageboxes.h"

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

void Form1::PushButton17_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton17_Click"), this);
    // The dialog makes the shortcuts itself; nothing here depends on them.
    scope([&] { showModal(*shortcuts_); });
}

}  // namespace lattora
