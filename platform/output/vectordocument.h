// Single-page PDF and SVG documents of a sheet, drawn through a
// PainterTarget. The document is kept in memory until finish() hands it to
// the caller's device in one piece, so an export that fails half-way writes
// nothing there.
#pragma once

#include <QBuffer>
#include <QIODevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

#include "platform/output/paintertarget.h"

namespace lattora {

inline const QString kDocumentTitle = QStringLiteral("Lattora graph paper");

namespace detail {

// The document's bytes on their way to the caller's device.
class DocumentOutput {
public:
    // Raises Error unless `device` is open for writing.
    explicit DocumentOutput(QIODevice& device);
    QBuffer& buffer() { return buffer_; }
    // Writes everything kept so far to the device; raises Error when the
    // device takes less than all of it.
    void commit(const QString& what);

private:
    QIODevice& device_;
    QBuffer buffer_;
};

// What a PDF and an SVG document share: the bytes kept in memory, the paint
// device that writes them, the painter on it and the target over that.
class VectorDocument {
public:
    ~VectorDocument();
    VectorDocument(const VectorDocument&) = delete;
    VectorDocument& operator=(const VectorDocument&) = delete;

    PainterTarget& target() { return *target_; }

    // Ends the document and writes it to the device. Raises Error when the
    // document cannot be completed or written, or was finished before; the
    // target draws no more.
    void finish();

protected:
    // `kind` names the document in messages ("PDF", "SVG"). Raises Error
    // unless `device` is open for writing.
    VectorDocument(QIODevice& device, QString kind);

    // Where the paint device is to write the document.
    QBuffer& buffer() { return output_.buffer(); }
    // Starts drawing on `paintDevice`, set up to write into buffer(), with a
    // target at `resolution` device units per inch whose origin lies at
    // `origin`. Raises Error when the painter cannot start or the target
    // refuses the unit code.
    void begin(std::unique_ptr<QPaintDevice> paintDevice, int scaleMode, int resolution,
               QPointF origin);

private:
    QString kind_;
    // Declared in this order so that the painter ends, and the paint device
    // is gone, before the bytes they write into are.
    DocumentOutput output_;
    std::unique_ptr<QPaintDevice> paintDevice_;
    QPainter painter_;
    std::optional<PainterTarget> target_;
    bool finished_ = false;
};

}  // namespace detail

// A PDF page exactly as large as the paper, without margins.
class PdfDocument : public detail::VectorDocument {
public:
    // Device units per inch; also the resolution of the target's pixel unit.
    static constexpr int kResolution = 1200;

    // `paperMillimetres` is the full page; `printableOffsetMillimetres` the
    // top-left of the printable area on it, where the target's origin lies.
    // Raises Error for a device not open for writing or a page size that is
    // not positive.
    PdfDocument(QIODevice& device, QSizeF paperMillimetres, QPointF printableOffsetMillimetres,
                int scaleMode);
};

// An SVG picture that opens at the paper's true size: width and height in
// millimetres and a view box of the same extent in device units.
class SvgDocument : public detail::VectorDocument {
public:
    // Device units per inch: 100 per millimetre, so paper sizes to the
    // hundredth of a millimetre are whole numbers of units.
    static constexpr int kResolution = 2540;

    // As PdfDocument. Raises Error for a device not open for writing or a
    // paper size that is not positive or is beyond 10 metres.
    SvgDocument(QIODevice& device, QSizeF paperMillimetres, QPointF printableOffsetMillimetres,
                int scaleMode);
};

}  // namespace lattora
