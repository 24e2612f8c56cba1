#include "platform/output/vectordocument.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <utility>

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

VectorDocument::VectorDocument(QIODevice& device, QString kind)
    : kind_(std::move(kind)), output_(device) {}

VectorDocument::~VectorDocument() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void VectorDocument::begin(std::unique_ptr<QPaintDevice> paintDevice, int scaleMode, int resolution,
                           QPointF origin) {
    paintDevice_ = std::move(paintDevice);
    if (!painter_.begin(paintDevice_.get())) {
        throw Error(QStringLiteral("The %1 document cannot be started").arg(kind_));
    }
    target_.emplace(painter_, scaleMode, resolution, resolution, origin);
}

void VectorDocument::finish() {
    if (finished_) {
        throw Error(QStringLiteral("The %1 document is already finished").arg(kind_));
    }
    finished_ = true;
    if (!painter_.end()) {
        throw Error(QStringLiteral("The %1 document could not be completed").arg(kind_));
    }
    output_.commit(QStringLiteral("%1 document").arg(kind_));
}

}  // namespace detail

PdfDocument::PdfDocument(QIODevice& device, QSizeF paperMillimetres,
                         QPointF printableOffsetMillimetres, int scaleMode)
    : VectorDocument(device, QStringLiteral("PDF")) {
    requirePaper(paperMillimetres);
    const QPointF origin = millimetresToDevice(printableOffsetMillimetres, kResolution);
    auto writer = std::make_unique<QPdfWriter>(&buffer());
    writer->setResolution(kResolution);
    writer->setTitle(kDocumentTitle);
    writer->setCreator(QStringLiteral("Lattora"));
    // Exact match: a size near a standard one must not be snapped to it.
    const QPageLayout layout(
        QPageSize(paperMillimetres, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (!writer->setPageLayout(layout)) {
        throw Error(QStringLiteral("The PDF page cannot be %1 x %2 mm")
                        .arg(formatNumber(paperMillimetres.width()),
                             formatNumber(paperMillimetres.height())));
    }
    begin(std::move(writer), scaleMode, kResolution, origin);
}

SvgDocument::SvgDocument(QIODevice& device, QSizeF paperMillimetres,
                         QPointF printableOffsetMillimetres, int scaleMode)
    : VectorDocument(device, QStringLiteral("SVG")) {
    requirePaper(paperMillimetres);
    const QPointF origin = millimetresToDevice(printableOffsetMillimetres, kResolution);
    // The generator writes width and height as size * 25.4 / resolution mm
    // and the view box as given; with the same whole-unit size for both, a
    // user unit is one device unit and the page opens at its true size.
    const QSize units(
        static_cast<int>(std::lround(paperMillimetres.width() / kMillimetresPerInch * kResolution)),
        static_cast<int>(
            std::lround(paperMillimetres.height() / kMillimetresPerInch * kResolution)));
    auto generator = std::make_unique<QSvgGenerator>();
    generator->setOutputDevice(&buffer());
    generator->setResolution(kResolution);
    generator->setSize(units);
    generator->setViewBox(QRect(QPoint(0, 0), units));
    generator->setTitle(kDocumentTitle);
    generator->setDescription(QStringLiteral("Graph paper drawn by Lattora"));
    begin(std::move(generator), scaleMode, kResolution, origin);
}

}  // namespace lattora
