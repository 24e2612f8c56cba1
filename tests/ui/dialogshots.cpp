// Shows each dialog, the tray notice and the main window (with a Logarithmic ×
// Probability sheet) on a real X server, saves a screenshot of each and checks
// that no caption is cut: every label and button must be at least as large as
// it asks to be and lie inside its window, the main window must fit the
// screen and the notice must sit at the screen's bottom right.
//
//     lattora-dialog-shots OUTPUT_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "config/frmconfig.h"
#include "desktop/frmshortcuts.h"
#include "desktop/programicon.h"
#include "linesets/frmstyles.h"
#include "mainwindow/form1.h"
#include "mainwindow/form2.h"
#include "platform/print/printer.h"
#include "platform/settings/qsettingsstore.h"
#include "platform/ui/colorchooser.h"
#include "platform/ui/errorreport.h"
#include "platform/ui/messageboxes.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fixedprinter.h"

namespace {

using namespace lattora;

class PrintedBoxes : public MessageBoxes {
public:
    void showMessage(QWidget*, const QString& text) override { report(text); }
    void showError(QWidget*, const QString& text) override { report(text); }

private:
    static void report(const QString& text) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
};

// Names every caption that is cut or lies outside the dialog.
QStringList clippedCaptions(const QWidget& dialog) {
    QStringList clipped;
    const auto check = [&](QWidget* widget, const QString& caption) {
        if (!widget->isVisible()) {
            return;
        }
        QSize hint = widget->sizeHint();
        // A wrapping text asks for a height that depends on the width it got.
        if (widget->hasHeightForWidth()) {
            hint = QSize(0, widget->heightForWidth(widget->width()));
        }
        const QRect inDialog(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        if (widget->width() < hint.width() || widget->height() < hint.height() ||
            !dialog.rect().contains(inDialog)) {
            clipped << QStringLiteral("\"%1\" (%2x%3, wants %4x%5)")
                           .arg(caption)
                           .arg(widget->width())
                           .arg(widget->height())
                           .arg(hint.width())
                           .arg(hint.height());
        }
    };
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        check(label, label->text());
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        check(button, button->text());
    }
    return clipped;
}

bool shoot(QWidget& dialog, const QString& path) {
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog, 5000)) {
        std::fprintf(stderr, "%s was never shown\n", qPrintable(dialog.objectName()));
        return false;
    }
    QTest::qWait(200);
    const QRect frame = dialog.frameGeometry();
    const QPixmap shot =
        dialog.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    bool ok = !shot.isNull() && shot.save(path);
    if (!ok) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
    }
    const QStringList clipped = clippedCaptions(dialog);
    for (const QString& caption : clipped) {
        std::fprintf(stderr, "%s: cut: %s\n", qPrintable(dialog.objectName()), qPrintable(caption));
    }
    std::printf("%s: %dx%d -> %s\n", qPrintable(dialog.objectName()), frame.width(), frame.height(),
                qPrintable(path));
    dialog.hide();
    return ok && clipped.isEmpty();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(programIcon());
    if (argc != 2) {
        std::fprintf(stderr, "usage: lattora-dialog-shots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir storeDir;
    QSettingsStore store(storeDir.filePath(QStringLiteral("Lattora.conf")));
    store.saveSetting(Key::Scale, kMetricWord);
    PrintedBoxes boxes;
    ErrorReport report(boxes);
    NoColorChooser colours;

    FrmConfig config(store, report);
    config.LoadSettings();
    FrmStyles styles(store, report, colours);
    styles.LoadSettings();

    FrmShortcuts shortcuts(report);

    bool ok = shoot(config, out.filePath(QStringLiteral("frmConfig.png"))) &
              shoot(styles, out.filePath(QStringLiteral("frmStyles.png"))) &
              shoot(shortcuts, out.filePath(QStringLiteral("frmShortcuts.png")));

    // The notice as the tray command shows it, kept up for the whole shot.
    Form2 notice(report);
    notice.setTickInterval(std::chrono::minutes(1));
    notice.Form_Load();
    notice.setMessage(QStringLiteral("Double-click (Single-click) to show window again"));
    notice.showOn(QGuiApplication::primaryScreen());
    const QRect free = notice.screen()->availableGeometry();
    if (notice.geometry().right() != free.right() || notice.geometry().bottom() >= free.bottom()) {
        std::fprintf(stderr, "Form2 (%d,%d %dx%d) is not at the bottom right of %dx%d\n",
                     notice.x(), notice.y(), notice.width(), notice.height(), free.width(),
                     free.height());
        ok = false;
    }
    ok = shoot(notice, out.filePath(QStringLiteral("Form2.png"))) && ok;

    FixedPrinter printer(
        PageSetup{QSizeF(210, 297), QRectF(5, 5, 200, 287), Orientation::Portrait});
    Form1 window(store, printer, boxes, colours);
    window.Form_Load();
    const auto choose = [&](const char* name, int index) {
        window.findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(index);
    };
    choose("cbAbsScale", 4);  // Logarithmic, 2 cycles
    choose("cbOrdScale", 7);  // Probability, 0.1% to 99.9%
    window.show();
    const QSize screen = window.screen()->size();
    if (window.frameGeometry().width() > screen.width() ||
        window.frameGeometry().height() > screen.height()) {
        std::fprintf(stderr, "Form1 (%dx%d) does not fit the %dx%d screen\n",
                     window.frameGeometry().width(), window.frameGeometry().height(),
                     screen.width(), screen.height());
        ok = false;
    }
    ok = shoot(window, out.filePath(QStringLiteral("Form1.png"))) && ok;
    return ok ? 0 : 1;
}
