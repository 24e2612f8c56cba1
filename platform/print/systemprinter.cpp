#include "platform/print/systemprinter.h"

#include <cups/cups.h>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <cmath>

#include "platform/output/paintertarget.h"
#include "platform/print/qtprintervalues.h"
#include "render/recordingtarget.h"
#include "sheet/error.h"

namespace lattora {

namespace {

// The page is first drawn on a recording and only sent once all of it could
// be drawn: a print engine cannot take back what it has begun, so a failure
// half-way must come before the printer sees anything. The recording
// measures labels exactly as the printer's painter will.
class SystemPrintJob : public PrintJob {
public:
    SystemPrintJob(QPrinter& printer, int scaleMode, QPointF printableOrigin)
        : printer_(printer),
          printableOrigin_(printableOrigin),
          dpi_(printer.resolution()),
          recording_(scaleMode, dpi_,
                     [this](const QString& text, double points) { return measure(text, points); }),
          fontFamily_(PainterTarget::kFontFamily) {
        if (!(dpi_ > 0)) {
            throw Error(QStringLiteral("The printer reports no resolution"));
        }
    }

    DrawTarget& target() override { return recording_; }
    void setFontName(const QString& name) override { fontFamily_ = name; }

    void endDocument() override {
        // Qt places its origin on the printable area as it understands it,
        // which is wrong for a turned page; we place it ourselves, from the
        // paper's corner.
        printer_.setFullPage(true);
        const auto standardPage = qScopeGuard([this] { printer_.setFullPage(false); });
        QPainter painter;
        if (!painter.begin(&printer_)) {
            throw Error(QStringLiteral("The printer %1 cannot start printing").arg(printerTitle()));
        }
        const auto dots = [this](double mm) { return std::round(mm / 25.4 * dpi_); };
        painter.translate(dots(printableOrigin_.x()), dots(printableOrigin_.y()));
        PainterTarget page(painter, recording_.ScaleMode(), dpi_, dpi_);
        // One of the printer's own dots: the finest line it can put on paper.
        page.setVectorPenWidth(1.0 / dpi_);
        page.setFontFamily(fontFamily_);
        recording_.replay(page);
        if (!painter.end() || printer_.printerState() == QPrinter::Error) {
            throw Error(QStringLiteral("The printer %1 did not take the page").arg(printerTitle()));
        }
        // Qt hands the page to the spooler and forgets its answer; the
        // spooler's own library still holds it.
        if (printer_.outputFormat() == QPrinter::NativeFormat &&
            cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
            throw Error(QStringLiteral("The printer %1 did not take the page: %2")
                            .arg(printerTitle(), QString::fromLocal8Bit(cupsLastErrorString())));
        }
    }

private:
    RecordingTarget::TextExtent measure(const QString& text, double points) const {
        QFont font(fontFamily_);
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points);
        // Measured for the printer, as its painter will measure them.
        const QFontMetricsF metrics(font, &printer_);
        const double pixelsPerPoint = dpi_ / 72.0;
        return {metrics.horizontalAdvance(text) / pixelsPerPoint,
                metrics.height() / pixelsPerPoint};
    }

    QString printerTitle() const {
        if (printer_.outputFormat() == QPrinter::PdfFormat) {
            return QLatin1Char('"') + printer_.outputFileName() + QLatin1Char('"');
        }
        return QLatin1Char('"') + printer_.printerName() + QLatin1Char('"');
    }

    QPrinter& printer_;
    QPointF printableOrigin_;  // mm from the paper's corner
    double dpi_;
    RecordingTarget recording_;
    QString fontFamily_;
};

}  // namespace

QPageSize paperFor(QLocale::MeasurementSystem system) {
    return QPageSize(system == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QPageSize localeDefaultPaper() {
    return paperFor(QLocale::system().measurementSystem());
}

SystemPrinter::SystemPrinter(const QString& name) {
    const QPrinterInfo info =
        name.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
    if (!name.isEmpty() && info.isNull()) {
        throw Error(QStringLiteral("There is no printer named \"%1\"").arg(name));
    }
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
    requireScaleMode(unitCode);
    scaleMode_ = unitCode;
}

std::int16_t SystemPrinter::orientation() const {
    return orientationOf(*printer_);
}

void SystemPrinter::setOrientation(std::int16_t orientation) {
    printer_->setPageOrientation(qtOrientation(orientation));
}

PageSetup SystemPrinter::pageSetup() const {
    const QPageLayout layout = printer_->pageLayout();
    const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
    QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    if (layout.orientation() == QPageLayout::Landscape) {
        // Qt keeps a printer's margins as they are on the upright paper. The
        // spooler turns a landscape page a quarter turn anticlockwise onto
        // that paper, so the page's left edge lies along the paper's bottom
        // and its top along the paper's left.
        margins = QMarginsF(margins.bottom(), margins.left(), margins.top(), margins.right());
    }
    return {paper,
            QRectF(QPointF(margins.left(), margins.top()),
                   QPointF(paper.width() - margins.right(), paper.height() - margins.bottom())),
            orientation() == 2 ? Orientation::Landscape : Orientation::Portrait};
}

QString SystemPrinter::driverName() const {
    return available_ ? QPrinterInfo::printerInfo(printer_->printerName()).makeAndModel()
                      : QString();
}

QString SystemPrinter::port() const {
    // The print system hides where a printer is attached; a file is the one
    // place we know.
    return outputFile();
}

int SystemPrinter::paperBin() const {
    return static_cast<int>(printer_->paperSource());
}

int SystemPrinter::copies() const {
    return printer_->copyCount();
}

void SystemPrinter::setCopies(int copies) {
    requireCopies(copies);
    printer_->setCopyCount(copies);
}

ColorMode SystemPrinter::colorMode() const {
    return colorModeOf(printer_->colorMode());
}

void SystemPrinter::setColorMode(ColorMode mode) {
    printer_->setColorMode(qtColorMode(mode));
}

DuplexMode SystemPrinter::duplex() const {
    return duplexOf(printer_->duplex());
}

void SystemPrinter::setDuplex(DuplexMode mode) {
    printer_->setDuplex(qtDuplex(mode));
}

QPageSize SystemPrinter::paperSize() const {
    return printer_->pageLayout().pageSize();
}

void SystemPrinter::setPaperSize(const QPageSize& size) {
    requirePaper(size);
    if (!printer_->setPageSize(size)) {
        throw Error(QStringLiteral("The printer cannot take %1 paper").arg(size.name()));
    }
}

int SystemPrinter::printQuality() const {
    return printer_->resolution();
}

void SystemPrinter::setPrintQuality(int dotsPerInch) {
    requireQuality(dotsPerInch);
    printer_->setResolution(dotsPerInch);
}

QString SystemPrinter::outputFile() const {
    return printer_->outputFormat() == QPrinter::PdfFormat ? printer_->outputFileName() : QString();
}

void SystemPrinter::setOutputFile(const QString& path) {
    if (!path.isEmpty()) {
        // A PDF whatever the name ends in: the user chose a file to print into.
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(path);
        return;
    }
    if (!outputFile().isEmpty()) {
        // Back from a file to the printer itself.
        printer_->setOutputFileName(QString());
        if (available_) {
            printer_->setOutputFormat(QPrinter::NativeFormat);
        }
    }
}

QStringList SystemPrinter::installedPrinters() const {
    return QPrinterInfo::availablePrinterNames();
}

void SystemPrinter::selectPrinter(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        throw Error(QStringLiteral("There is no printer named \"%1\"").arg(name));
    }
    // A printer of its own, with its own paper and margins: renaming the
    // current one would keep the page of the printer before, or of the
    // stand-in paper when there was none. The page keeps its orientation.
    const QPageLayout::Orientation orientation = printer_->pageLayout().orientation();
    auto chosen = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    chosen->setPageOrientation(orientation);
    printer_ = std::move(chosen);
    available_ = printer_->isValid();
}

QStringList SystemPrinter::fontNames() const {
    return QFontDatabase::families();
}

std::unique_ptr<PrintJob> SystemPrinter::startJob() {
    if (!canPrint()) {
        throw Error(QStringLiteral("No printer is installed"));
    }
    return std::make_unique<SystemPrintJob>(*printer_, scaleMode_,
                                            pageSetup().printableMm.topLeft());
}

}  // namespace lattora
