// The surfaces the preview pane is built from (the two page pictures, the
// graph-area outline and the sizing handles), and the rounding that places
// lengths in twips on the screen's pixels.
#pragma once

#include <QWidget>

namespace lattora {

class RasterTarget;

namespace preview {

// A length in twips as whole pixels at `dpi`, held to a range no screen
// reaches.
int twipsToPixels(double twips, double dpi);
// A side in pixels: never empty, so a picture or outline of a few twips still
// shows as one pixel.
int sideToPixels(double twips, double dpi);

// A picture surface: shows its raster and nothing else, so a repaint costs one
// image copy of the exposed part.
class PictureWidget : public QWidget {
public:
    explicit PictureWidget(QWidget* parent);

    // `ratio` is how many image pixels the raster has per logical pixel.
    void setRaster(const RasterTarget* raster, double ratio);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const RasterTarget* raster_ = nullptr;
    double ratio_ = 1;
};

// The graph-area outline: a one-pixel rectangle border, transparent inside,
// deaf to the mouse so that presses reach the page picture under it.
class OutlineShape : public QWidget {
public:
    explicit OutlineShape(QWidget* parent);

    void setBorderStyle(Qt::PenStyle style);
    Qt::PenStyle borderStyle() const { return style_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Qt::PenStyle style_ = Qt::SolidLine;
};

// A sizing handle: a small white square with a black border.
class SizeHandle : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace preview
}  // namespace lattora
