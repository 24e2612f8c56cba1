#include "platform/printer.h"

#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "sheet/error.h"

namespace lattora {

PrinterPage Printer::page() const {
    const int mode = scaleMode();
    if (mode != Unit::Centimetre && mode != Unit::Inch) {
        throw Error(QStringLiteral("Invalid property value: scale mode %1").arg(mode));
    }
    PrinterPage result = toPrinterPage(
        pageSetup(), mode == Unit::Centimetre ? UnitSystem::Metric : UnitSystem::Imperial);
    result.orientation = orientation();
    return result;
}

QPageSize paperFor(QLocale::MeasurementSystem system) {
    return QPageSize(system == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QPageSize localeDefaultPaper() {
    return paperFor(QLocale::system().measurementSystem());
}

SystemPrinter::SystemPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        available_ = printer_->isValid();
    }
    if (!available_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageLayout(QPageLayout(localeDefaultPaper(), QPageLayout::Portrait,
                                            QMarginsF(), QPageLayout::Millimeter));
    }
}

SystemPrinter::~SystemPrinter() = default;

QString SystemPrinter::deviceName() const {
    return available_ ? printer_->printerName() : QString();
}

void SystemPrinter::setScaleMode(int unitCode) {
    if (unitCode != Unit::Centimetre && unitCode != Unit::Inch) {
        throw Error(QStringLiteral("Invalid property value: scale mode %1").arg(unitCode));
    }
    scaleMode_ = unitCode;
}

std::int16_t SystemPrinter::orientation() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

void SystemPrinter::setOrientation(std::int16_t orientation) {
    printer_->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

PageSetup SystemPrinter::pageSetup() const {
    const QPageLayout layout = printer_->pageLayout();
    return {layout.fullRect(QPageLayout::Millimeter).size(),
            layout.paintRect(QPageLayout::Millimeter),
            orientation() == 2 ? Orientation::Landscape : Orientation::Portrait};
}

PageSetup FixedPrinter::pageSetup() const {
    if (orientation_ != 2) {
        return portrait_;
    }
    // Turned a quarter to the left: the top margin becomes the left one.
    const QRectF p = portrait_.printableMm;
    const double paperWidth = portrait_.paperMm.width();
    return {portrait_.paperMm.transposed(),
            QRectF(p.top(), paperWidth - p.right(), p.height(), p.width()), Orientation::Landscape};
}

}  // namespace lattora
