#include "tests/support/fixedprinter.h"

#include "sheet/error.h"

namespace lattora {

PageSetup FixedPrinter::pageSetup() const {
    if (orientation_ != 2)
        return portrait_;
    // Turned a quarter to the left: the top margin becomes the left one.
    const QRectF p = portrait_.printableMm;
    return {portrait_.paperMm.transposed(),
            QRectF(p.top(), portrait_.paperMm.width() - p.right(), p.height(), p.width()),
            Orientation::Landscape};
}

void FixedPrinter::setPaperSize(const QPageSize& size) {
    requirePaper(size);
    note("paper", size.key());
    // The new paper keeps the margins the printer cannot print on.
    const QSizeF paper = size.size(QPageSize::Millimeter),
                 margins = portrait_.paperMm - portrait_.printableMm.size();
    portrait_ = {paper, QRectF(portrait_.printableMm.topLeft(), paper - margins), {}};
    paperSize_ = size;
}

// The test printer's page: a recording, kept when the document ends. A job
// counts as abandoned until then.
class FixedPrinter::Job : public PrintJob, RecordingTarget {
public:
    explicit Job(FixedPrinter& printer)
        : RecordingTarget(printer.scaleMode_, printer.dpi_), printer_(printer) {
        ++printer.abandoned_, page_.scaleMode = printer.scaleMode_;
    }
    DrawTarget& target() override { return *this; }
    void setFontName(const QString& name) override { page_.fontName = name; }
    void endDocument() override {
        page_.lines = lines(), page_.labels = labels();
        printer_.pages_.push_back(page_), --printer_.abandoned_;
    }
    void FontSize(double points) override {
        page_.fontSize = page_.fontSize == 0 ? points : page_.fontSize;
        RecordingTarget::FontSize(points);
    }

private:
    FixedPrinter& printer_;
    Page page_{0, QStringLiteral("Test Sans"), 0, {}, {}};
};

std::unique_ptr<PrintJob> FixedPrinter::startJob() {
    if (!canPrint())
        throw Error(QStringLiteral("No printer is installed"));
    return std::make_unique<Job>(*this);
}

}  // namespace lattora
