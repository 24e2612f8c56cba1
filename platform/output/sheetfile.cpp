#include "platform/output/sheetfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

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

namespace {

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A pipe or a device is written into as it is: replacing it with a file
// would take it from whoever reads it (or from the whole machine, for
// /dev/null). Opened without O_CREAT, so a name that went away in between
// never becomes a file here.
void writeInto(const QByteArray& nativePath, const std::function<void(QIODevice&)>& write) {
    const int fd = ::open(nativePath.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        throw FileError(systemReason());
    }
    QFile device;
    device.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    write(device);
}

// The replacement takes the old file's permission bits and owner as they
// are: QSaveFile copies the bits as the user sees them, which for root adds
// write permission, and leaves the writer as the owner. The owner changes
// back only where the system lets it (as root, or our own file into another
// of our groups), and a file system without either keeps its own; the sheet
// is written all the same.
void keepModeAndOwner(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not ours to give away.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        // A file system without permission bits.
    }
}

}  // namespace

void writeFileWhole(const QString& path, const std::function<void(QIODevice&)>& write) {
    const QByteArray native = QFile::encodeName(path);
    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (exists && (S_ISFIFO(old.st_mode) || S_ISCHR(old.st_mode))) {
        writeInto(native, write);
        return;
    }
    if (exists && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode)) {
        throw FileError(
            S_ISBLK(old.st_mode)
                ? QStringLiteral("it is a block device, which is never written to")
                : QStringLiteral("it is neither a file, a pipe nor a character device"));
    }
    QSaveFile file(path);
    // Unbuffered: a buffered file only finds out that the disk is full when
    // the buffer is flushed at commit, and that failure does not stop the
    // rename, which would put a cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw FileError(file.errorString());
    }
    if (exists && S_ISREG(old.st_mode)) {
        keepModeAndOwner(file.handle(), old);
    }
    // A failure of `write` leaves the file uncommitted: QSaveFile then
    // removes what was written and the old file stays.
    write(file);
    if (!file.commit()) {
        throw FileError(file.errorString());
    }
}

}  // namespace lattora
