// An in-memory picture that the renderer draws on: the full-size page behind
// the preview, saving to a bitmap file and copying to the clipboard.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <memory>
#include <optional>

#include "platform/output/paintertarget.h"

namespace lattora {

class RasterTarget {
public:
    // Pictures above this many bytes are refused before any memory is taken:
    // a page at a resolution far beyond what a screen or file needs would
    // otherwise exhaust memory while being cleared.
    static constexpr qint64 kMaxBytes = qint64(1) << 30;

    // A white RGB32 picture of `pixels` at `dpi` dots per inch (kept in the
    // image, so saved files carry it), drawn on in `scaleMode` units from
    // `originPixels`. Raises Error for an empty or oversized picture or a
    // resolution that is not a positive finite number, std::bad_alloc for an
    // image that cannot be allocated.
    RasterTarget(QSize pixels, double dpi, int scaleMode, QPointF originPixels = {});
    ~RasterTarget();
    RasterTarget(const RasterTarget&) = delete;
    RasterTarget& operator=(const RasterTarget&) = delete;

    // The whole page `pageTwips` at `dpi`, its target's origin at
    // `originTwips` on the page (the printable area's top-left).
    static std::unique_ptr<RasterTarget> forPage(QSizeF pageTwips, double dpi, int scaleMode,
                                                 QPointF originTwips = {});
    // The pixel size of a page of `pageTwips` at `dpi`, each side rounded to
    // the nearest pixel. Raises Error for a size or resolution that is not
    // a positive finite number.
    static QSize pixelSizeForPage(QSizeF pageTwips, double dpi);
    // The resolution as a picture or file carries it, in whole dots a metre.
    static int dotsPerMetre(double dpi);

    // Paints the whole picture white.
    void clear();

    // The picture as drawn so far. Copies of it (QImage is shared) keep their
    // content when drawing goes on.
    const QImage& image() const { return image_; }
    PainterTarget& target() { return *target_; }
    const PainterTarget& target() const { return *target_; }
    double dpi() const { return dpi_; }

private:
    double dpi_;
    QImage image_;
    QPainter painter_;
    std::optional<PainterTarget> target_;
};

}  // namespace lattora
