#include "tests/support/fixedprinter.h"

#include "sheet/error.h"

namespace lattora {

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
