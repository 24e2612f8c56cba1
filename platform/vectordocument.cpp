#include "platform/vectordocument.h"

#include <QPageLayout>
#include <QPageSize>
#include <cmath>

#include "sheet/error.h"
#include "sheet/numbertext.h"
#include "sheet/units.h"

namespace lattora {

namespace {

constexpr double kLargestPaperMillimetres = 10000;

void requirePaper(QSizeF paper) {
    const auto valid = [](double mm) {
        return std::isfinite(mm) && mm > 0 && mm <= kLargestPaperMillimetres;
    };
    if (!valid(paper.width()) || !valid(paper.height())) {
        throw Error(QStringLiteral("Invalid paper size: %1 x %2 mm")
                        .arg(formatNumber(paper.width()), formatNumber(paper.height())));
    }
}

QPointF millimetresToDevice(QPointF mm, int resolution) {
    if (!std::isfinite(mm.x()) || !std::isfinite(mm.y())) {
        throw Error(QStringLiteral("Invalid printable area offset"));
    }
    return mm / kMillimetresPerInch * resolution;
}

}  // namespace

namespace detail {

DocumentOutput::DocumentOutput(QIODevice& device) : device_(device) {
    if (!device.isOpen() || !device.isWritable()) {
        throw Error(QStringLiteral("The file is not open for writing"));
    }
    buffer_.open(QIODevice::WriteOnly);
}

void DocumentOutput::commit(const QString& what) {
    const QByteArray& bytes = buffer_.data();
    if (device_.write(bytes) != bytes.size()) {
        const QString reason = device_.errorString();
        throw Error(QStringLiteral("The %1 could not be written").arg(what) +
                    (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
    }
}

}  // namespace detail

PdfDocument::PdfDocument(QIODevice& device, QSizeF paperMillimetres,
                         QPointF printableOffsetMillimetres, int scaleMode)
    : output_(device), writer_(&output_.buffer()) {
    requirePaper(paperMillimetres);
    const QPointF origin = millimetresToDevice(printableOffsetMillimetres, kResolution);
    writer_.setResolution(kResolution);
    writer_.setTitle(kDocumentTitle);
    writer_.setCreator(QStringLiteral("Lattora"));
    // Exact match: a size near a standard one must not be snapped to it.
    const QPageLayout layout(
        QPageSize(paperMillimetres, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!writer_.setPageLayout(layout)) {
        throw Error(QStringLiteral("The PDF page cannot be %1 x %2 mm")
                        .arg(formatNumber(paperMillimetres.width()),
                             formatNumber(paperMillimetres.height())));
    }
    if (!painter_.begin(&writer_)) {
        throw Error(QStringLiteral("The PDF document cannot be started"));
    }
    target_.emplace(painter_, scaleMode, kResolution, kResolution, origin);
}

PdfDocument::~PdfDocument() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void PdfDocument::finish() {
    if (finished_) {
        throw Error(QStringLiteral("The PDF document is already finished"));
    }
    finished_ = true;
    if (!painter_.end()) {
        throw Error(QStringLiteral("The PDF document could not be completed"));
    }
    output_.commit(QStringLiteral("PDF document"));
}

SvgDocument::SvgDocument(QIODevice& device, QSizeF paperMillimetres,
                         QPointF printableOffsetMillimetres, int scaleMode)
    : output_(device) {
    requirePaper(paperMillimetres);
    const QPointF origin = millimetresToDevice(printableOffsetMillimetres, kResolution);
    // The generator writes width and height as size * 25.4 / resolution mm
    // and the view box as given; with the same whole-unit size for both, a
    // user unit is one device unit and the page opens at its true size.
    const QSize units(
        static_cast<int>(std::lround(paperMillimetres.width() / kMillimetresPerInch * kResolution)),
        static_cast<int>(
            std::lround(paperMillimetres.height() / kMillimetresPerInch * kResolution)));
    generator_.setOutputDevice(&output_.buffer());
    generator_.setResolution(kResolution);
    generator_.setSize(units);
    generator_.setViewBox(QRect(QPoint(0, 0), units));
    generator_.setTitle(kDocumentTitle);
    generator_.setDescription(QStringLiteral("Graph paper drawn by Lattora"));
    if (!painter_.begin(&generator_)) {
        throw Error(QStringLiteral("The SVG document cannot be started"));
    }
    target_.emplace(painter_, scaleMode, kResolution, kResolution, origin);
}

SvgDocument::~SvgDocument() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void SvgDocument::finish() {
    if (finished_) {
        throw Error(QStringLiteral("The SVG document is already finished"));
    }
    finished_ = true;
    if (!painter_.end()) {
        throw Error(QStringLiteral("The SVG document could not be completed"));
    }
    output_.commit(QStringLiteral("SVG document"));
}

}  // namespace lattora
