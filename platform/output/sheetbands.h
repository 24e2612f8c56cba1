// A sheet's page as a bitmap drawn band by band: each band is the whole
// drawing through a PainterTarget, translated so that only the band's rows
// land on it. Memory grows with the page's width, not its area.
#pragma once

#include <QPointF>
#include <QSizeF>
#include <functional>

#include "platform/output/bitmapfile.h"

namespace lattora {

class DrawTarget;

class SheetBands : public BandSource {
public:
    // The page of `pageTwips` at `dpi`, rounded as a RasterTarget's, drawn by
    // `draw` in `scaleMode` units from `originTwips`.
    // Raises Error for a size or resolution that is not a positive finite
    // number, or a side beyond what a bitmap file holds.
    SheetBands(QSizeF pageTwips, double dpi, int scaleMode, QPointF originTwips,
               std::function<void(DrawTarget&)> draw);

    QSize size() const override { return pixels_; }
    int dotsPerMetre() const override;
    QString description() const override;
    // Draws the whole sheet; the first band also learns every colour the
    // drawing uses. A failure of the drawing passes through.
    void paintBand(QImage& band, int top) override;
    // White, the line colours in the order drawn, then black for the labels.
    QList<QRgb> colours() const override { return colours_; }

private:
    QSizeF pageTwips_;
    double dpi_;
    int scaleMode_;
    QSize pixels_;
    QPointF originPixels_;
    std::function<void(DrawTarget&)> draw_;
    QList<QRgb> colours_;
};

}  // namespace lattora
