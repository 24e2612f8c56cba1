// Reading back what a raster drawing target painted.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <vector>

namespace lattora::test {

// An image at a known resolution with a painter open on it, for drawing
// targets that need an active painter.
struct Canvas {
    QImage image;
    QPainter painter;

    Canvas(int width, int height, double dpi, QColor background = Qt::white)
        : image(width, height, QImage::Format_RGB32) {
        image.setDotsPerMeterX(qRound(dpi / 0.0254)), image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(background), painter.begin(&image);
    }
};

inline QRgb rgbAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}
inline QRgb rgbOf(int red, int green, int blue) {
    return qRgb(red, green, blue) & 0xFFFFFFu;
}

// The smallest rectangle inside `area` holding every pixel that differs from
// `background`; empty when there is none.
inline QRect inkBounds(const QImage& image, QRect area, const QColor& background) {
    QRect bounds;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (rgbAt(image, x, y) != (background.rgb() & 0xFFFFFFu))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The columns of `row`, or the rows of `column`, whose pixel differs from
// `background`.
inline std::vector<int> marked(const QImage& image, QPoint step, QPoint at, const QColor& bg) {
    std::vector<int> found;
    for (int i = 0; image.valid(at + i * step); ++i)
        if (!inkBounds(image, QRect(at + i * step, QSize(1, 1)), bg).isEmpty())
            found.push_back(i);
    return found;
}
inline std::vector<int> markedColumns(const QImage& image, int row, const QColor& background) {
    return marked(image, QPoint(1, 0), QPoint(0, row), background);
}
inline std::vector<int> markedRows(const QImage& image, int column, const QColor& background) {
    return marked(image, QPoint(0, 1), QPoint(column, 0), background);
}

}  // namespace lattora::test
