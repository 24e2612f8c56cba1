// Copies the sheet to the real clipboard of an X server and reads it back
// the way another program would, with xclip, while this program keeps
// serving the clipboard: the picture must arrive whole, at the page's size.
//
//     lattora-clipboard-check
#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "mainwindow/form1.h"
#include "mainwindow/previewpane.h"
#include "platform/print/printer.h"
#include "platform/settings/qsettingsstore.h"
#include "platform/ui/colorchooser.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/recordingboxes.h"

namespace {

using namespace lattora;

const QString kCopied =
    QStringLiteral("A copy of the graph paper has been placed in the clipboard");
// Long enough for a slow machine, short enough that a test run never hangs.
constexpr int kTimeoutMs = 30000;

int fail(const QString& why) {
    std::fprintf(stderr, "clipboard check: %s\n", qPrintable(why));
    return 1;
}

// Empty when both pictures have the same size and pixels.
QString difference(const QImage& read, const QImage& expected) {
    if (read.size() != expected.size()) {
        return QStringLiteral("the clipboard holds a %1x%2 picture, the page is %3x%4")
            .arg(read.width())
            .arg(read.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    const QImage a = read.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) {
                if (differing++ == 0) {
                    first = QPoint(x, y);
                }
            }
        }
    }
    if (differing == 0) {
        return {};
    }
    return QStringLiteral("%1 pixels differ from the page, the first at (%2, %3)")
        .arg(differing)
        .arg(first.x())
        .arg(first.y());
}

bool hasInk(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            if ((rgb.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return fail(QStringLiteral("needs an X server (QT_QPA_PLATFORM=xcb), not \"%1\"")
                        .arg(QGuiApplication::platformName()));
    }
    const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
    if (xclip.isEmpty()) {
        return fail(QStringLiteral("xclip is not installed"));
    }

    QTemporaryDir storeDir;
    QSettingsStore store(storeDir.filePath(QStringLiteral("Lattora.conf")));
    store.saveSetting(Key::Scale, kMetricWord);
    FixedPrinter printer(
        PageSetup{QSizeF(210, 297), QRectF(5, 5, 200, 287), Orientation::Portrait});
    test::RecordingBoxes boxes;
    NoColorChooser colours;
    Form1 window(store, printer, boxes, colours);
    window.Form_Load();
    window.show();

    auto* copy = window.findChild<QPushButton*>(QStringLiteral("PushButton6"));
    if (copy == nullptr) {
        return fail(QStringLiteral("the window has no Copy button"));
    }
    copy->click();
    if (boxes.errors().size() != 0 || boxes.messages() != QStringList{kCopied}) {
        QStringList shown;
        for (const auto& box : boxes.shown) {
            shown << (box.error ? QStringLiteral("error: ") : QStringLiteral("message: ")) +
                         box.text;
        }
        return fail(QStringLiteral("Copy showed %1").arg(shown.join(QStringLiteral("; "))));
    }
    const QImage page = window.preview().printPicture().image().copy();

    // xclip asks this program for the data, so the event loop must run while
    // it reads.
    QProcess reader;
    int status = 1;
    QObject::connect(&reader, &QProcess::finished, &app, [&](int exitCode) {
        if (exitCode != 0) {
            status = fail(QStringLiteral("xclip failed (%1): %2")
                              .arg(exitCode)
                              .arg(QString::fromLocal8Bit(reader.readAllStandardError())));
        } else {
            const QByteArray png = reader.readAllStandardOutput();
            QImage read;
            if (!read.loadFromData(png, "PNG")) {
                status = fail(QStringLiteral("the clipboard's image/png (%1 bytes) is no PNG")
                                  .arg(png.size()));
            } else if (const QString why = difference(read, page); !why.isEmpty()) {
                status = fail(why);
            } else if (!hasInk(read)) {
                status = fail(QStringLiteral("the picture on the clipboard is blank"));
            } else {
                std::printf("clipboard check: %dx%d page read back through xclip\n", read.width(),
                            read.height());
                status = 0;
            }
        }
        app.quit();
    });
    QObject::connect(&reader, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            status =
                fail(QStringLiteral("xclip could not be started: %1").arg(reader.errorString()));
            app.quit();
        }
    });
    QTimer::singleShot(kTimeoutMs, &app, [&] {
        status = fail(QStringLiteral("no answer from xclip within %1 s").arg(kTimeoutMs / 1000));
        reader.kill();
        app.quit();
    });
    reader.start(xclip, {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                         QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o")});
    app.exec();
    // No finished() may reach the handler once main's objects are gone.
    reader.disconnect();
    if (reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished(1000);
    }
    return status;
}
