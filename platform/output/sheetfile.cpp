#include "platform/output/sheetfile.h"

#include <QBuffer>
#include <QSaveFile>

#include "platform/output/bitmapfile.h"
#include "platform/output/sheetbands.h"
#include "platform/output/vectordocument.h"
#include "sheet/error.h"
#include "sheet/units.h"

namespace lattora {

void renderSheetFile(SheetFileFormat format, const PageSetup& page, int scaleMode, double dpi,
                     const std::function<void(DrawTarget&)>& draw, QIODevice& device) {
    const QPointF originMm = page.printableMm.topLeft();
    if (format == SheetFileFormat::Png || format == SheetFileFormat::Bmp) {
        const double twipsPerMm = kTwipsPerInch / kMillimetresPerInch;
        SheetBands bands(page.paperMm * twipsPerMm, dpi, scaleMode, originMm * twipsPerMm, draw);
        writeBitmap(bands, device,
                    format == SheetFileFormat::Png ? BitmapFormat::Png : BitmapFormat::Bmp);
        return;
    }
    // A document is whole only at its end: it is made in memory first.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
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
        default: break;
    }
    writeAll(device, bytes.constData(), bytes.size());
}

void writeFileWhole(const QString& path, const std::function<void(QIODevice&)>& write) {
    QSaveFile file(path);
    // Unbuffered: a buffered file only finds out that the disk is full when
    // the buffer is flushed at commit, and that failure does not stop the
    // rename, which would put a cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw FileError(file.errorString());
    }
    // A failure of `write` leaves the file uncommitted: QSaveFile then
    // removes what was written and the old file stays.
    write(file);
    if (!file.commit()) {
        throw FileError(file.errorString());
    }
}

void writeFileWhole(const QString& path, const QByteArray& bytes) {
    writeFileWhole(path, [&](QIODevice& file) { writeAll(file, bytes.constData(), bytes.size()); });
}

}  // namespace lattora
