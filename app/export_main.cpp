// lattora-export: the program's batch interface. See exportUsage().
#include <unistd.h>
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
    // Rendering needs fonts but never a screen: headless whatever the session
    // says, so a desktop's setting inherited by a job without a display
    // cannot abort the export.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt takes options of its own (-platform, -style, -reverse...) out of the
    // arguments it is given; the command lists none of them, so Qt sees only
    // the program's name and every argument is read as the command's.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("lattora-export"));

    // Unbuffered, on the descriptor itself: a full disk or a closed pipe
    // fails the write that meets it, so the export cannot end as a success.
    QFile standardOutput;
    if (!standardOutput.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return 2;
    }
    QFile standardError;
    if (!standardError.open(stderr, QIODevice::WriteOnly)) {
        return 2;
    }
    QTextStream err(&standardError);

    const lattora::QSettingsStore store;
    return lattora::runExportCommand(arguments, store, standardOutput, err,
                                     lattora::systemPrinterModule());
}
