// Shows each dialog on a real X server, saves a screenshot of it and checks
// that no caption is cut: every label and button must be at least as large
// as it asks to be, and lie inside its dialog.
//
//     lattora-dialog-shots OUTPUT_FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "config/frmconfig.h"
#include "linesets/frmstyles.h"
#include "platform/colorchooser.h"
#include "platform/errorreport.h"
#include "platform/messageboxes.h"
#include "platform/qsettingsstore.h"

namespace {

using namespace lattora;

class NoColours : public ColorChooser {
public:
    std::optional<ColorValue> chooseColor(QWidget*, ColorValue) override { return std::nullopt; }
};

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
    NoColours colours;

    FrmConfig config(store, report);
    config.LoadSettings();
    FrmStyles styles(store, report, colours);
    styles.LoadSettings();

    const bool ok = shoot(config, out.filePath(QStringLiteral("frmConfig.png"))) &
                    shoot(styles, out.filePath(QStringLiteral("frmStyles.png")));
    return ok ? 0 : 1;
}
