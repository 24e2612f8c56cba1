#include "platform/print/printmodule.h"

#include <QCoreApplication>
#include <QLibrary>

#include "sheet/error.h"

namespace lattora {

namespace {

OpenSystemPrinter loadModule() {
    // Beside the program in a build tree; under the library folder once
    // installed. LATTORA_PRINT_MODULE_DIR is that folder relative to bin/.
    const QString dir = QCoreApplication::applicationDirPath();
    const QString candidates[] = {
        dir + QStringLiteral("/lattora-print"),
        dir + QStringLiteral("/" LATTORA_PRINT_MODULE_DIR "/lattora-print"),
    };
    QString why;
    for (const QString& path : candidates) {
        QLibrary module(path);
        if (auto open =
                reinterpret_cast<OpenSystemPrinter>(module.resolve(kOpenSystemPrinterSymbol))) {
            // Stays loaded for the rest of the run: the printers it made
            // live in its code.
            return open;
        }
        if (why.isEmpty()) {
            why = module.errorString();
        }
    }
    throw Error(QStringLiteral("printing is not available: %1").arg(why));
}

}  // namespace

PrinterOpener systemPrinterModule() {
    return [](const QString& name) {
        static const OpenSystemPrinter open = loadModule();
        return std::unique_ptr<Printer>(open(name));
    };
}

}  // namespace lattora
