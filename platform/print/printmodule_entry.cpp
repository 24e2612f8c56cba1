// The entry point of the lattora-print module (see printmodule.h).
#include "platform/print/printmodule.h"
#include "platform/print/systemprinter.h"

extern "C" __attribute__((visibility("default"))) lattora::Printer* lattora_open_system_printer(
    const QString& name) {
    return new lattora::SystemPrinter(name);
}
