// lattora-window-print STEP...: the window on the spooler's printers, driven
// step by step; after each step it prints the printable-extent captions, the
// no-printer label and every message the step raised, one per line.
//   landscape | portrait   the orientation buttons
//   setup NAME[/PAPER]     Printer Setup, answered with printer NAME (and PAPER)
//   dialog NAME            Printer Setup through Qt's own dialog: printer NAME
//                          chosen in it ("-" keeps its choice), then confirmed
//   print                  Metric 1 mm by Logarithmic 2 cycles, then Print
//   full                   Full Paper
//   plain                  Metric 1 mm on both axes (no labels), then Print
// Exit 0 when no step raised an error report.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>

#include "mainwindow/form1.h"
#include "platform/print/printdialog.h"
#include "platform/print/systemprinter.h"
#include "platform/settings/qsettingsstore.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/recordingboxes.h"

namespace {

// Answers Printer Setup with the current settings on another printer.
struct ChoosingDialog : lattora::PrintDialog {
    std::optional<lattora::PrinterChoice> choose(QWidget*,
                                                 const lattora::PrintDialogStart& s) override {
        lattora::PrinterChoice choice = s.current;
        choice.printerName = name.section(u'/', 0, 0);
        if (const auto paper = lattora::findPaper(name.section(u'/', 1)))
            choice.paperSize = *paper;
        return choice;
    }
    QString name;
};

// Qt's dialog, confirmed as soon as it shows.
struct ConfirmedQtDialog : lattora::QtPrintDialog {
    std::optional<lattora::PrinterChoice> choose(QWidget* parent,
                                                 const lattora::PrintDialogStart& s) override {
        QTimer::singleShot(0, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            auto* printers =
                dialog ? dialog->findChild<QComboBox*>(QStringLiteral("printers")) : nullptr;
            if (printers && name != u"-")
                printers->setCurrentIndex(printers->findText(name));
            if (dialog)
                QMetaObject::invokeMethod(dialog, "accept");
        });
        return QtPrintDialog::choose(parent, s);
    }
    QString name;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lattora::QSettingsStore store;
    lattora::SystemPrinter printer;
    lattora::test::RecordingBoxes boxes;
    lattora::NoColorChooser chooser;
    ChoosingDialog choosing;
    ConfirmedQtDialog qtDialog;
    lattora::Form1 form(store, printer, boxes, chooser);
    form.Form_Load();
    const auto find = [&](const char* name) {
        return form.findChild<QWidget*>(QLatin1String(name));
    };
    const auto choose = [&](const char* list, const char* text) {
        auto* box = static_cast<QComboBox*>(find(list));
        box->setCurrentIndex(box->findText(QLatin1String(text)));
    };
    const auto click = [&](const char* name) {
        static_cast<QAbstractButton*>(find(name))->click();
    };
    bool failed = false;
    for (int i = 1; i < argc; ++i) {
        const QString step = QString::fromLocal8Bit(argv[i]);
        if (step == u"landscape" || step == u"portrait") {
            click(step == u"landscape" ? "rbLandscape" : "rbPortrait");
        } else if (step == u"setup" && i + 1 < argc) {
            choosing.name = QString::fromLocal8Bit(argv[++i]);
            form.setPrintDialog(choosing);
            click("PushButton16");
        } else if (step == u"dialog" && i + 1 < argc) {
            qtDialog.name = QString::fromLocal8Bit(argv[++i]);
            form.setPrintDialog(qtDialog);
            click("PushButton16");
        } else if (step == u"print" || step == u"plain") {
            choose("cbAbsScale", "Metric");
            choose("cbAbsDiv", "1 mm");
            choose("cbOrdScale", step == u"plain" ? "Metric" : "Logarithmic");
            choose("cbOrdDiv", step == u"plain" ? "1 mm" : "2 cycles");
            click("PushButton8");
        } else if (step == u"full") {
            click("PushButton14");
        } else {
            std::fprintf(stderr, "unknown step %s\n", argv[i]);
            return 2;
        }
        std::printf("%s: %s | %s | %s\n", argv[i],
                    qPrintable(static_cast<QLabel*>(find("pagewidth"))->text()),
                    qPrintable(static_cast<QLabel*>(find("pageheight"))->text()),
                    find("lblNoPrinter")->isHidden()
                        ? ""
                        : qPrintable(static_cast<QLabel*>(find("lblNoPrinter"))->text()));
        for (const auto& shown : boxes.shown) {
            std::printf("%s: %s\n", shown.error ? "error" : "message", qPrintable(shown.text));
            failed |= shown.error;
        }
        boxes.shown.clear();
    }
    return failed ? 1 : 0;
}
