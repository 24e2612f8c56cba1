// Prints a sheet through the main window's own Print command on the default
// printer, as a user would: the scales chosen in the lists, then "Print".
//   lattora-window-print ABSCISSA_FAMILY ABSCISSA_ITEM ORDINATE_FAMILY ORDINATE_ITEM
// Exits 0 once the page is sent, 1 with the window's messages otherwise.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTextStream>

#include "mainwindow/form1.h"
#include "platform/print/printer.h"
#include "platform/print/systemprinter.h"
#include "platform/settings/qsettingsstore.h"
#include "platform/ui/colorchooser.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/recordingboxes.h"

namespace {

bool choose(lattora::Form1& form, const char* list, const QString& text, QTextStream& out) {
    auto* box = form.findChild<QComboBox*>(QLatin1String(list));
    const int index = box == nullptr ? -1 : box->findText(text);
    if (index < 0) {
        out << "no " << text << " in " << list << '\n';
        return false;
    }
    box->setCurrentIndex(index);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 5) {
        out << "usage: lattora-window-print ABSCISSA_FAMILY ABSCISSA_ITEM ORDINATE_FAMILY "
               "ORDINATE_ITEM\n";
        return 2;
    }
    lattora::QSettingsStore store;
    lattora::SystemPrinter printer;
    lattora::test::RecordingBoxes boxes;
    lattora::NoColorChooser chooser;
    lattora::Form1 form(store, printer, boxes, chooser);
    form.setModalRunner([](QDialog&) { return 0; });
    form.Form_Load();
    out << "printer: " << printer.deviceName() << '\n';
    const bool chosen = choose(form, "cbAbsScale", QString::fromLocal8Bit(argv[1]), out) &&
                        choose(form, "cbAbsDiv", QString::fromLocal8Bit(argv[2]), out) &&
                        choose(form, "cbOrdScale", QString::fromLocal8Bit(argv[3]), out) &&
                        choose(form, "cbOrdDiv", QString::fromLocal8Bit(argv[4]), out);
    if (chosen) {
        form.findChild<QPushButton*>(QStringLiteral("PushButton8"))->click();
    }
    for (const auto& shown : boxes.shown) {
        out << (shown.error ? "error: " : "message: ") << shown.text << '\n';
    }
    return chosen && boxes.shown.isEmpty() ? 0 : 1;
}
