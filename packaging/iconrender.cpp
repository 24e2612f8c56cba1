// lattora-iconrender SVG OUTDIR SIZE...: renders the program's icon drawing
// to OUTDIR/NxN/apps/NAME.png for each SIZE, the layout of an icon theme.
// Desktops that cannot scale an SVG icon look for these fixed sizes, and
// making them from the one drawing at build time keeps them from drifting
// apart from it.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "lattora-iconrender: %s\n", qPrintable(message));
    return 1;
}

// A drawing that the renderer accepts but that paints nothing (a broken path,
// a viewBox off the picture) would otherwise give a clear icon without a word.
bool paintsSomething(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: lattora-iconrender SVG OUTDIR SIZE...\n");
        return 2;
    }
    const QString svgPath = QString::fromLocal8Bit(argv[1]);
    const QDir outDir(QString::fromLocal8Bit(argv[2]));
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        return fail(QStringLiteral("cannot read the drawing %1").arg(svgPath));
    }
    const QString pngName = QFileInfo(svgPath).completeBaseName() + QStringLiteral(".png");

    for (int i = 3; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            return fail(
                QStringLiteral("%1 is not an icon size").arg(QString::fromLocal8Bit(argv[i])));
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        if (!paintsSomething(image)) {
            return fail(QStringLiteral("the drawing paints nothing at %1 px").arg(size));
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!outDir.mkpath(folder)) {
            return fail(QStringLiteral("cannot make %1").arg(outDir.filePath(folder)));
        }
        const QString path = outDir.filePath(folder + QLatin1Char('/') + pngName);
        // Straight alpha is what PNG stores; converting first keeps the
        // writer from guessing.
        if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            return fail(QStringLiteral("cannot write %1").arg(path));
        }
    }
    return 0;
}
