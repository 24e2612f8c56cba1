#include "platform/print/printer.h"

#include "render/drawtarget.h"
#include "sheet/error.h"

namespace lattora {

void requireScaleMode(int unitCode) {
    if (unitCode != Unit::Centimetre && unitCode != Unit::Inch) {
        throw Error(QStringLiteral("Invalid property value: scale mode %1").arg(unitCode));
    }
}

void requireCopies(int copies) {
    if (copies < 1 || copies > 9999) {
        throw Error(QStringLiteral("Invalid property value: %1 copies").arg(copies));
    }
}

void requireQuality(int dotsPerInch) {
    if (dotsPerInch < 1 || dotsPerInch > 9600) {
        throw Error(QStringLiteral("Invalid property value: print quality %1").arg(dotsPerInch));
    }
}

void requirePaper(const QPageSize& size) {
    if (!size.isValid() || size.size(QPageSize::Millimeter).isEmpty()) {
        throw Error(QStringLiteral("Invalid property value: paper size"));
    }
}

void printSheet(Printer& printer, const std::function<void(DrawTarget&)>& draw) {
    const std::unique_ptr<PrintJob> job = printer.startJob();
    for (const QString& name : printer.fontNames()) {
        if (name.startsWith(QLatin1String("Courier"), Qt::CaseSensitive)) {
            job->setFontName(name);
            break;
        }
    }
    job->target().FontSize(10);
    draw(job->target());
    job->endDocument();
}

PrinterPage Printer::page() const {
    const int mode = scaleMode();
    requireScaleMode(mode);
    PrinterPage result = toPrinterPage(
        pageSetup(), mode == Unit::Centimetre ? UnitSystem::Metric : UnitSystem::Imperial);
    result.orientation = orientation();
    return result;
}

}  // namespace lattora
