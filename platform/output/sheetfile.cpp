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
            raster->finish();
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

namespace {

// Writes all of `bytes`; a short write is repeated for the rest, so the
// system says why it stopped (a full disk, a file too large). Returns that
// reason, empty when everything was written.
QString writeAll(QFileDevice& file, const QByteArray& bytes) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0) {
            return file.errorString();
        }
        written += step;
    }
    return {};
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A pipe or a device is written into as it is: replacing it with a file
// would take it from whoever reads it (or from the whole machine, for
// /dev/null). Opened without O_CREAT, so a name that went away in between
// never becomes a file here.
void writeInto(const QByteArray& nativePath, const QByteArray& bytes) {
    const int fd = ::open(nativePath.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        throw Error(systemReason());
    }
    QFile device;
    device.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    if (const QString reason = writeAll(device, bytes); !reason.isEmpty()) {
        throw Error(reason);
    }
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

void writeFileWhole(const QString& path, const QByteArray& bytes) {
    const QByteArray native = QFile::encodeName(path);
    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (exists && (S_ISFIFO(old.st_mode) || S_ISCHR(old.st_mode))) {
        writeInto(native, bytes);
        return;
    }
    if (exists && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode)) {
        throw Error(S_ISBLK(old.st_mode)
                        ? QStringLiteral("it is a block device, which is never written to")
                        : QStringLiteral("it is neither a file, a pipe nor a character device"));
    }
    QSaveFile file(path);
    // Unbuffered: a buffered file only finds out that the disk is full when
    // the buffer is flushed at commit, and that failure does not stop the
    // rename, which would put a cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw Error(file.errorString());
    }
    if (exists && S_ISREG(old.st_mode)) {
        keepModeAndOwner(file.handle(), old);
    }
    if (const QString reason = writeAll(file, bytes); !reason.isEmpty()) {
        file.cancelWriting();
        throw Error(reason);
    }
    if (!file.commit()) {
        throw Error(file.errorString());
    }
}

}  // namespace lattora
