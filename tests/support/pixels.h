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
        const int dotsPerMetre = qRound(dpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        image.fill(background);
        painter.begin(&image);
    }
};

inline QRgb rgbAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

inline QRgb rgbOf(int red, int green, int blue) {
    return qRgb(red, green, blue) & 0xFFFFFFu;
}

// The columns of `row` whose pixel differs from `background`.
inline std::vector<int> markedColumns(const QImage& image, int row, const QColor& background) {
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (rgbAt(image, x, row) != (background.rgb() & 0xFFFFFFu)) {
            columns.push_back(x);
        }
    }
    return columns;
}

// The rows of `column` whose pixel differs from `background`.
inline std::vector<int> markedRows(const QImage& image, int column, const QColor& background) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (rgbAt(image, column, y) != (background.rgb() & 0xFFFFFFu)) {
            rows.push_back(y);
        }
    }
    return rows;
}

// The smallest rectangle inside `area` holding every pixel that differs from
// `background`; empty when there is none.
inline QRect inkBounds(const QImage& image, QRect area, const QColor& background) {
    QRect bounds;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (rgbAt(image, x, y) != (background.rgb() & 0xFFFFFFu)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

}  // namespace lattora::test
