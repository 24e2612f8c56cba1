// The desktop's printers for a program that does not link Qt PrintSupport
// (which pulls in Qt Widgets): the SystemPrinter code is built as a module
// of its own and loaded the first time a printer is opened.
#pragma once

#include "platform/print/printer.h"

namespace lattora {

// The module's one entry point: a new SystemPrinter(name), or a raised Error.
using OpenSystemPrinter = Printer* (*)(const QString& name);
inline constexpr char kOpenSystemPrinterSymbol[] = "lattora_open_system_printer";

// Opens printers through the module, loading it on first use. Raises Error
// when the module cannot be found or loaded.
PrinterOpener systemPrinterModule();

}  // namespace lattora
