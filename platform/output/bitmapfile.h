// Writing pictures as PNG or BMP files that keep their resolution, a band of
// rows at a time, so a page of any size is written in memory bounded by its
// width: the one writer of the export command, Save and Copy.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QList>
#include <QSize>

#include "sheet/error.h"

namespace lattora {

enum class BitmapFormat { Png, Bmp };

// Raised when the device refuses bytes (a full disk, a closed pipe), as
// opposed to a picture that cannot be made.
class FileError : public Error {
public:
    using Error::Error;
};

// Writes all of `bytes` to `device`, repeating a short write for the rest so
// the system says why it stopped. Raises FileError with the device's reason.
void writeAll(QIODevice& device, const char* bytes, qint64 size);

// A picture handed to the writer in bands of whole rows.
class BandSource {
public:
    virtual ~BandSource() = default;
    virtual QSize size() const = 0;
    virtual int dotsPerMetre() const = 0;
    // Paints the picture's rows from `top` on into `band` (RGB32, the
    // picture's width); rows below the picture may hold anything.
    virtual void paintBand(QImage& band, int top) = 0;
    // What the picture is, for a refusal: "the 210 x 297 mm sheet at 300 dpi".
    virtual QString description() const = 0;
    // Every colour the picture holds, white first when it has white; known
    // once one band has been painted. Empty for more than 256 colours. A
    // pixel of another colour is written as the nearest one of them.
    virtual QList<QRgb> colours() const = 0;
};

// Bands of this many bytes of RGB32 rows keep the painting within the
// processor's caches; a band never has fewer than kMinBandRows rows.
constexpr qint64 kBandBytes = qint64(4) << 20;
constexpr int kMinBandRows = 16;

// Writes `source` to `device` in `format`, `bandRows` rows at a time (0: as
// many as fit kBandBytes), in the order the format stores them: PNG from the
// top, BMP from the bottom. Up to 256 colours are written with a palette of
// 1, 2 (PNG only), 4 or 8 bits a pixel, more as 24-bit colour. Both formats
// carry the resolution (PNG in pHYs, BMP in its pixels per metre). Raises
// FileError when the device refuses bytes; Error naming the picture when a
// BMP would pass the format's 32-bit sizes or not fit in the space left
// beside the file; std::bad_alloc when a band cannot be allocated.
void writeBitmap(BandSource& source, QIODevice& device, BitmapFormat format, int bandRows = 0);

// Writes the whole of `image` to `device` in `format`, its colours kept
// exactly. Raises Error for a null image, a device not open for writing, or
// a failed write (FileError).
void saveBitmap(const QImage& image, QIODevice& device, BitmapFormat format);

// The same pixels as `image`, with a palette when it has at most 256 colours:
// what Copy places on the clipboard, the same picture Save writes.
QImage indexedPicture(const QImage& image);

}  // namespace lattora
