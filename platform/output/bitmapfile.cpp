#include "platform/output/bitmapfile.h"

#include <QImageWriter>

#include "sheet/error.h"

namespace lattora {

void saveBitmap(const QImage& image, QIODevice& device, BitmapFormat format) {
    if (image.isNull()) {
        throw Error(QStringLiteral("There is no picture to save"));
    }
    if (!device.isOpen() || !device.isWritable()) {
        throw Error(QStringLiteral("The file is not open for writing"));
    }
    QImageWriter writer(&device,
                        format == BitmapFormat::Png ? QByteArray("png") : QByteArray("bmp"));
    if (!writer.write(image)) {
        // The image writer itself only knows "Unknown error" when the device
        // refuses the bytes; the device can say why.
        QString reason = device.errorString();
        if (reason.isEmpty() || reason == QStringLiteral("Unknown error")) {
            reason = writer.errorString();
        }
        throw Error(QStringLiteral("The picture could not be written: %1").arg(reason));
    }
}

}  // namespace lattora
