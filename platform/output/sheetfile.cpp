#include "platform/output/sheetfile.h"

#include <QBuffer>
#include <QSaveFile>

#include "platform/output/bitmapfile.h"
#include "platform/output/rastertarget.h"
#include "platform/output/vectordocument.h"
#include "sheet/error.h"
#include "sheet/units.h"

namespace lattora {

QByteArray renderSheetFile(SheetFileFormat format, const PageSetup& page, int scaleMode, double dpi,
                           const std::function<void(DrawTarget&)>& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QPointF originMm = page.printableMm.topLeft();
    switch (format) {
        case SheetFileFormat::Png:
        case SheetFileFormat::Bmp: {
            const double twipsPerMm = kTwipsPerInch / kMillimetresPerInch;
            const auto raster = RasterTarget::forPage(page.paperMm * twipsPerMm, dpi, scaleMode,
                                                      originMm * twipsPerMm);
            draw(raster->target());
            saveBitmap(raster->image(), buffer,
                       format == SheetFileFormat::Png ? BitmapFormat::Png : BitmapFormat::Bmp);
            break;
        }
        case SheetFileFormat::Pdf: {
            PdfDocument document(buffer, page.paperMm, originMm, scaleMode);
            draw(document.target());
            document.finish();
            break;
        }
        case SheetFileFormat::Svg: {
            SvgDocument document(buffer, page.paperMm, originMm, scaleMode);
            draw(document.target());
            document.finish();
            break;
        }
    }
    return bytes;
}

void writeFileWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered: a buffered file only finds out that the disk is full when
    // the buffer is flushed at commit, and that failure does not stop the
    // rename, which would put a cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw Error(file.errorString());
    }
    // A short write is repeated for the rest, so the system says why it
    // stopped (a full disk, a file too large).
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw Error(reason);
        }
        written += step;
    }
    if (!file.commit()) {
        throw Error(file.errorString());
    }
}

}  // namespace lattora
