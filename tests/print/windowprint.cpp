// lattora-window-print: the window, on the default printer, chooses Metric
// 1 mm by Logarithmic 2 cycles and presses Print; exit 0 when nothing but the
// print happened (no message, no error).
#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "mainwindow/form1.h"
#include "platform/print/systemprinter.h"
#include "platform/settings/qsettingsstore.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/recordingboxes.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lattora::QSettingsStore store;
    lattora::SystemPrinter printer;
    lattora::test::RecordingBoxes boxes;
    lattora::NoColorChooser chooser;
    lattora::Form1 form(store, printer, boxes, chooser);
    form.Form_Load();
    const auto choose = [&](const char* list, const char* text) {
        auto* box = form.findChild<QComboBox*>(QLatin1String(list));
        box->setCurrentIndex(box->findText(QLatin1String(text)));
        return box->currentText() == QLatin1String(text);
    };
    if (!choose("cbAbsScale", "Metric") || !choose("cbAbsDiv", "1 mm") ||
        !choose("cbOrdScale", "Logarithmic") || !choose("cbOrdDiv", "2 cycles")) {
        return 2;
    }
    form.findChild<QPushButton*>(QStringLiteral("PushButton8"))->click();
    for (const auto& shown : boxes.shown)
        std::printf("%s: %s\n", shown.error ? "error" : "message", qPrintable(shown.text));
    return boxes.shown.isEmpty() ? 0 : 1;
}
