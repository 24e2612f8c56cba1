#include "platform/printer.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "platform/paintertarget.h"
#include "render/recordingtarget.h"
#include "sheet/error.h"

namespace lattora {

namespace {

void requireUnit(int unitCode) {
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

// The page is first drawn on a recording and only sent once all of it could
// be drawn: a print engine cannot take back what it has begun, so a failure
// half-way must come before the printer sees anything. The recording
// measures labels exactly as the printer's painter will.
class SystemPrintJob : public PrintJob {
public:
    SystemPrintJob(QPrinter& printer, int scaleMode)
        : printer_(printer),
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
        QPainter painter;
        if (!painter.begin(&printer_)) {
            throw Error(QStringLiteral("The printer %1 cannot start printing").arg(printerTitle()));
        }
        PainterTarget page(painter, recording_.ScaleMode(), dpi_, dpi_);
        // One of the printer's own dots: the finest line it can put on paper.
        page.setVectorPenWidth(1.0 / dpi_);
        page.setFontFamily(fontFamily_);
        recording_.replay(page);
        if (!painter.end() || printer_.printerState() == QPrinter::Error) {
            throw Error(QStringLiteral("The printer %1 did not take the page").arg(printerTitle()));
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
    double dpi_;
    RecordingTarget recording_;
    QString fontFamily_;
};

}  // namespace

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
    requireUnit(mode);
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
    requireUnit(unitCode);
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
    return printer_->colorMode() == QPrinter::Color ? ColorMode::Color : ColorMode::Monochrome;
}

void SystemPrinter::setColorMode(ColorMode mode) {
    printer_->setColorMode(mode == ColorMode::Color ? QPrinter::Color : QPrinter::GrayScale);
}

DuplexMode SystemPrinter::duplex() const {
    switch (printer_->duplex()) {
        case QPrinter::DuplexLongSide: return DuplexMode::LongEdge;
        case QPrinter::DuplexShortSide: return DuplexMode::ShortEdge;
        default: return DuplexMode::Simplex;
    }
}

void SystemPrinter::setDuplex(DuplexMode mode) {
    switch (mode) {
        case DuplexMode::LongEdge: printer_->setDuplex(QPrinter::DuplexLongSide); break;
        case DuplexMode::ShortEdge: printer_->setDuplex(QPrinter::DuplexShortSide); break;
        default: printer_->setDuplex(QPrinter::DuplexNone); break;
    }
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
    printer_->setOutputFileName(QString());
    printer_->setPrinterName(info.printerName());
    available_ = printer_->isValid();
}

QStringList SystemPrinter::fontNames() const {
    return QFontDatabase::families();
}

std::unique_ptr<PrintJob> SystemPrinter::startJob() {
    if (!canPrint()) {
        throw Error(QStringLiteral("No printer is installed"));
    }
    return std::make_unique<SystemPrintJob>(*printer_, scaleMode_);
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

// The test printer's page: a recording, kept when the document ends.
class FixedPrinter::Job : public PrintJob {
public:
    explicit Job(FixedPrinter& printer) : printer_(printer), recording_(printer, *this) {}
    ~Job() override {
        if (!ended_) {
            ++printer_.abandoned_;
        }
    }

    DrawTarget& target() override { return recording_; }
    void setFontName(const QString& name) override { fontName_ = name; }
    void endDocument() override {
        printer_.pages_.push_back({recording_.ScaleMode(), fontName_, firstFontSize_,
                                   recording_.lines(), recording_.labels()});
        ended_ = true;
    }

private:
    class Recording : public RecordingTarget {
    public:
        Recording(FixedPrinter& printer, Job& job)
            : RecordingTarget(printer.scaleMode_, printer.printQuality_),
              printer_(printer),
              job_(job) {}
        void Line(double x1, double y1, double x2, double y2, ColorValue colour) override {
            if (printer_.failAfterLines_ >= 0 && lines_++ >= printer_.failAfterLines_) {
                throw Error(QStringLiteral("Printer out of paper"));
            }
            RecordingTarget::Line(x1, y1, x2, y2, colour);
        }
        void FontSize(double points) override {
            // The size the page was started with, before any label.
            if (job_.firstFontSize_ == 0) {
                job_.firstFontSize_ = points;
            }
            RecordingTarget::FontSize(points);
        }

    private:
        FixedPrinter& printer_;
        Job& job_;
        int lines_ = 0;
    };

    FixedPrinter& printer_;
    Recording recording_;
    QString fontName_ = QStringLiteral("Test Sans");
    double firstFontSize_ = 0;
    bool ended_ = false;
};

void FixedPrinter::setOrientation(std::int16_t orientation) {
    calls_ << QStringLiteral("orientation %1").arg(orientation);
    orientation_ = orientation;
}

void FixedPrinter::setCopies(int copies) {
    requireCopies(copies);
    calls_ << QStringLiteral("copies %1").arg(copies);
    copies_ = copies;
}

void FixedPrinter::setColorMode(ColorMode mode) {
    calls_ << QStringLiteral("color %1").arg(static_cast<int>(mode));
    colorMode_ = mode;
}

void FixedPrinter::setDuplex(DuplexMode mode) {
    calls_ << QStringLiteral("duplex %1").arg(static_cast<int>(mode));
    duplex_ = mode;
}

void FixedPrinter::setPaperSize(const QPageSize& size) {
    requirePaper(size);
    calls_ << QStringLiteral("paper ") + size.key();
    // The new paper keeps the margins the printer cannot print on.
    const QSizeF paper = size.size(QPageSize::Millimeter);
    const QRectF p = portrait_.printableMm;
    const double right = portrait_.paperMm.width() - p.right();
    const double bottom = portrait_.paperMm.height() - p.bottom();
    portrait_ = {paper,
                 QRectF(p.left(), p.top(), paper.width() - p.left() - right,
                        paper.height() - p.top() - bottom),
                 Orientation::Portrait};
    paperSize_ = size;
}

void FixedPrinter::setPrintQuality(int dotsPerInch) {
    requireQuality(dotsPerInch);
    calls_ << QStringLiteral("quality %1").arg(dotsPerInch);
    printQuality_ = dotsPerInch;
}

void FixedPrinter::setOutputFile(const QString& path) {
    calls_ << QStringLiteral("file ") + path;
    outputFile_ = path;
}

void FixedPrinter::selectPrinter(const QString& name) {
    calls_ << QStringLiteral("select ") + name;
    deviceName_ = name;
    available_ = true;
}

std::unique_ptr<PrintJob> FixedPrinter::startJob() {
    if (!canPrint()) {
        throw Error(QStringLiteral("No printer is installed"));
    }
    return std::make_unique<Job>(*this);
}

}  // namespace lattora
