// lattora-export: the program's batch interface. See exportUsage().
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "app/exportcommand.h"
#include "platform/print/printmodule.h"
#include "platform/settings/qsettingsstore.h"

namespace {

// Failures are reported as one line of our own; Qt's notes about the desktop
// session (no runtime folder, no screen) would only bury it.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg || qEnvironmentVariableIsSet("LATTORA_VERBOSE")) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    // Rendering needs fonts but never a screen: run headless unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("lattora-export"));

    QFile standardOutput;
    if (!standardOutput.open(stdout, QIODevice::WriteOnly)) {
        return 2;
    }
    QFile standardError;
    if (!standardError.open(stderr, QIODevice::WriteOnly)) {
        return 2;
    }
    QTextStream err(&standardError);

    const lattora::QSettingsStore store;
    return lattora::runExportCommand(app.arguments().mid(1), store, standardOutput, err,
                                     lattora::systemPrinterModule());
}
