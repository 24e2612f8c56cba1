#include "platform/output/bitmapfile.h"

#include <png.h>

#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <unordered_map>
#include <vector>

namespace lattora {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

// Chosen by measurement on the rows of A4 sheets at 300 and 600 dpi. With
// the Up filter every row that repeats the one above (all rows between
// horizontal lines) becomes zeros; no filter doubles a file, adaptive
// filtering triples the time. zlib's level 3 is as fast as level 1 and a
// tenth smaller: a 1-bit page at 600 dpi in 8 ms, 55 KB. Pages of more
// colours take level 6, twice the time for half the size, which keeps them
// well below the 24-bit files Qt's writer made (a 4-bit page at 300 dpi:
// 39 KB in 16 ms, against 67 KB at level 3 and 78 KB in 24-bit colour).
int deflateLevel(int bits) {
    return bits == 1 ? 3 : 6;
}

QString megabytes(qint64 bytes) {
    return QStringLiteral("%1 MB").arg((bytes + (1 << 20) - 1) >> 20);
}

// The palette index of each colour, the nearest one for a colour outside
// the palette (antialiased edges, a picture's stray pixel).
class ColourIndex {
public:
    explicit ColourIndex(const QList<QRgb>& palette) : palette_(palette) {
        for (qsizetype i = 0; i < palette.size(); ++i) {
            known_.emplace(palette[i] | kOpaque, static_cast<uchar>(i));
        }
    }
    uchar operator()(QRgb colour) {
        colour |= kOpaque;
        if (colour == last_) {
            return lastIndex_;
        }
        auto found = known_.find(colour);
        if (found == known_.end()) {
            found = known_.emplace(colour, nearest(colour)).first;
        }
        last_ = colour;
        lastIndex_ = found->second;
        return lastIndex_;
    }

private:
    uchar nearest(QRgb colour) const {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (qsizetype i = 0; i < palette_.size(); ++i) {
            const int r = qRed(colour) - qRed(palette_[i]);
            const int g = qGreen(colour) - qGreen(palette_[i]);
            const int b = qBlue(colour) - qBlue(palette_[i]);
            const int distance = r * r + g * g + b * b;
            if (distance < bestDistance) {
                best = static_cast<int>(i);
                bestDistance = distance;
            }
        }
        return static_cast<uchar>(best);
    }

    QList<QRgb> palette_;
    std::unordered_map<QRgb, uchar> known_;
    QRgb last_ = 0;  // never a pixel: pixels are opaque
    uchar lastIndex_ = 0;
};

// Packs one row of RGB32 pixels as palette indices of `depth` bits, the
// first pixel in the high bits. `out` must hold the row and be zero: index 0
// (white on a sheet, most of the page) is left as it is, so a blank stretch
// costs a comparison and no store.
void packRow(const QRgb* in, int width, uchar* out, int depth, ColourIndex& index,
             QRgb firstColour) {
    const QRgb first = firstColour | kOpaque;
    // Shifts, not divisions, find a pixel's byte and bits: this runs for
    // every pixel of the page.
    const int perByteLog = depth == 1 ? 3 : depth == 2 ? 2 : depth == 4 ? 1 : 0;
    const int inByte = (1 << perByteLog) - 1;
    for (int x = 0; x < width; ++x) {
        // Two pixels at a time over the blank stretches.
        while (x + 2 <= width && in[x] == first && in[x + 1] == first) {
            x += 2;
        }
        if (x >= width) {
            break;
        }
        if ((in[x] | kOpaque) == first) {
            continue;
        }
        const int shift = 8 - depth * ((x & inByte) + 1);
        out[x >> perByteLog] |= static_cast<uchar>(index(in[x]) << shift);
    }
}

// 24-bit colour, red first (PNG) or blue first (BMP).
void colourRow(const QRgb* in, int width, uchar* out, bool blueFirst) {
    for (int x = 0; x < width; ++x, out += 3) {
        out[0] = static_cast<uchar>(blueFirst ? qBlue(in[x]) : qRed(in[x]));
        out[1] = static_cast<uchar>(qGreen(in[x]));
        out[2] = static_cast<uchar>(blueFirst ? qRed(in[x]) : qBlue(in[x]));
    }
}

// Collects what a sink writes and hands it to the device in large pieces: an
// unbuffered file would otherwise take a system call for every row or chunk.
class DeviceBuffer {
public:
    explicit DeviceBuffer(QIODevice& device) : device_(device) { bytes_.reserve(kSize); }
    void put(const void* data, qint64 size) {
        if (bytes_.size() + size > kSize) {
            flush();
        }
        if (size >= kSize) {
            writeAll(device_, static_cast<const char*>(data), size);
            return;
        }
        bytes_.append(static_cast<const char*>(data), size);
    }
    void flush() {
        writeAll(device_, bytes_.constData(), bytes_.size());
        bytes_.resize(0);  // keeps the allocation, unlike clear()
    }

private:
    static constexpr qint64 kSize = qint64(1) << 18;
    QIODevice& device_;
    QByteArray bytes_;
};

// Where the rows go, in the format's order.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void row(const uchar* bytes) = 0;
    virtual void finish() = 0;
};

class PngSink : public RowSink {
public:
    PngSink(QIODevice& device, QSize size, int depth, const QList<QRgb>& palette, int dotsPerMetre)
        : out_(device) {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
        if (png_ == nullptr) {
            throw std::bad_alloc();
        }
        info_ = png_create_info_struct(png_);
        if (info_ == nullptr) {
            png_destroy_write_struct(&png_, nullptr);
            throw std::bad_alloc();
        }
        // A constructor that throws runs no destructor: the structures go here.
        try {
            start(size, depth, palette, dotsPerMetre);
        } catch (...) {
            png_destroy_write_struct(&png_, &info_);
            throw;
        }
    }
    ~PngSink() override { png_destroy_write_struct(&png_, &info_); }

    void row(const uchar* bytes) override {
        guarded([&] { png_write_row(png_, bytes); });
    }
    void finish() override {
        guarded([&] { png_write_end(png_, nullptr); });
        out_.flush();
    }

private:
    void start(QSize size, int depth, const QList<QRgb>& palette, int dotsPerMetre) {
        std::vector<png_color> colours;
        for (const QRgb colour : palette) {
            colours.push_back({static_cast<png_byte>(qRed(colour)),
                               static_cast<png_byte>(qGreen(colour)),
                               static_cast<png_byte>(qBlue(colour))});
        }
        guarded([&] {
            png_set_write_fn(png_, this, onWrite, onFlush);
            png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
            png_set_IHDR(png_, info_, static_cast<png_uint_32>(size.width()),
                         static_cast<png_uint_32>(size.height()), depth,
                         palette.isEmpty() ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_PALETTE,
                         PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
            if (!palette.isEmpty()) {
                png_set_PLTE(png_, info_, colours.data(), static_cast<int>(colours.size()));
            }
            png_set_pHYs(png_, info_, static_cast<png_uint_32>(dotsPerMetre),
                         static_cast<png_uint_32>(dotsPerMetre), PNG_RESOLUTION_METER);
            png_set_compression_level(png_, deflateLevel(depth));
            png_set_filter(png_, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
            png_write_info(png_, info_);
        });
    }

    // libpng reports failures by a long jump back here; nothing between here
    // and the library call owns anything that would need destroying.
    template <class Call>
    void guarded(const Call& call) {
        if (setjmp(png_jmpbuf(png_)) != 0) {
            if (failure_) {
                std::rethrow_exception(failure_);
            }
            throw Error(QStringLiteral("The picture could not be written: %1").arg(message_));
        }
        call();
    }
    static void onError(png_structp png, png_const_charp message) {
        static_cast<PngSink*>(png_get_error_ptr(png))->message_ = QString::fromLatin1(message);
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) {}
    static void onWrite(png_structp png, png_bytep data, size_t size) {
        if (!static_cast<PngSink*>(png_get_io_ptr(png))->put(data, size)) {
            png_error(png, "write failed");
        }
    }
    static void onFlush(png_structp) {}
    // What the device raised is kept and raised again once back out of
    // libpng, which cannot be unwound through.
    bool put(const void* data, size_t size) noexcept {
        try {
            out_.put(data, static_cast<qint64>(size));
            return true;
        } catch (...) {
            failure_ = std::current_exception();
        }
        return false;
    }

    DeviceBuffer out_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    QString message_;
    std::exception_ptr failure_;
};

// Little-endian fields of the BMP headers.
void putLe(QByteArray& bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

class BmpSink : public RowSink {
public:
    static constexpr qint64 kHeaderBytes = 14 + 40;

    static qint64 stride(int width, int bits) { return (qint64(width) * bits + 31) / 32 * 4; }
    static qint64 fileBytes(QSize size, int bits, qsizetype colours) {
        return kHeaderBytes + 4 * colours + stride(size.width(), bits) * size.height();
    }

    BmpSink(QIODevice& device, QSize size, int bits, const QList<QRgb>& palette, int dotsPerMetre)
        : out_(device), stride_(stride(size.width(), bits)) {
        const qint64 pixelsAt = kHeaderBytes + 4 * palette.size();
        QByteArray header("BM");
        putLe(header, static_cast<quint32>(fileBytes(size, bits, palette.size())), 4);
        putLe(header, 0, 4);
        putLe(header, static_cast<quint32>(pixelsAt), 4);
        putLe(header, 40, 4);  // BITMAPINFOHEADER; rows from the bottom up
        putLe(header, static_cast<quint32>(size.width()), 4);
        putLe(header, static_cast<quint32>(size.height()), 4);
        putLe(header, 1, 2);
        putLe(header, static_cast<quint32>(bits), 2);
        putLe(header, 0, 4);  // uncompressed
        putLe(header, static_cast<quint32>(stride_ * size.height()), 4);
        putLe(header, static_cast<quint32>(dotsPerMetre), 4);
        putLe(header, static_cast<quint32>(dotsPerMetre), 4);
        putLe(header, static_cast<quint32>(palette.size()), 4);
        putLe(header, 0, 4);
        for (const QRgb colour : palette) {
            putLe(header, colour & 0xFFFFFFu, 4);  // blue, green, red, 0
        }
        out_.put(header.constData(), header.size());
    }
    void row(const uchar* bytes) override { out_.put(bytes, stride_); }
    void finish() override { out_.flush(); }

private:
    DeviceBuffer out_;
    qint64 stride_;
};

int paletteBits(qsizetype colours, BitmapFormat format) {
    if (colours == 0) {
        return 24;
    }
    if (colours <= 2) {
        return 1;
    }
    if (colours <= 4 && format == BitmapFormat::Png) {
        return 2;
    }
    return colours <= 16 ? 4 : 8;
}

// The format's limits and, for a BMP, whose size is known beforehand, the
// space left beside the file.
void requireFits(const BandSource& source, QIODevice& device, BitmapFormat format, int bits,
                 qsizetype colours) {
    const QSize size = source.size();
    const auto refuse = [&](const QString& why) {
        throw Error(QStringLiteral("Cannot write %1 (%2 x %3 pixels): %4")
                        .arg(source.description())
                        .arg(size.width())
                        .arg(size.height())
                        .arg(why));
    };
    if (format == BitmapFormat::Png) {
        // QSize holds ints: every side fits a PNG's 2^31 - 1 pixels, and the
        // compressed size is not known before it is written.
        return;
    }
    const qint64 bytes = BmpSink::fileBytes(size, bits, colours);
    if (bytes > std::numeric_limits<quint32>::max()) {
        refuse(QStringLiteral("the BMP would be %1, more than the format's 4096 MB")
                   .arg(megabytes(bytes)));
    }
    if (const auto* file = qobject_cast<const QFileDevice*>(&device)) {
        const QStorageInfo storage(QFileInfo(file->fileName()).absolutePath());
        if (storage.isValid() && storage.bytesAvailable() >= 0 &&
            storage.bytesAvailable() < bytes) {
            refuse(QStringLiteral("the BMP would be %1, and only %2 are free on %3")
                       .arg(megabytes(bytes), megabytes(storage.bytesAvailable()),
                            storage.rootPath()));
        }
    }
}

// A finished picture in bands: the window's page picture for Save and Copy.
class PictureBands : public BandSource {
public:
    explicit PictureBands(const QImage& image)
        : image_(image.format() == QImage::Format_RGB32
                     ? image
                     : image.convertToFormat(QImage::Format_RGB32)) {
        if (image_.isNull()) {
            throw std::bad_alloc();
        }
    }
    QSize size() const override { return image_.size(); }
    int dotsPerMetre() const override { return image_.dotsPerMeterX(); }
    QString description() const override { return QStringLiteral("the picture"); }
    void paintBand(QImage& band, int top) override {
        const int rows = std::min(band.height(), image_.height() - top);
        for (int y = 0; y < rows; ++y) {
            std::memcpy(band.scanLine(y), image_.constScanLine(top + y),
                        static_cast<size_t>(image_.width()) * 4);
        }
    }
    QList<QRgb> colours() const override {
        // Every change of colour along a row is looked up: a grid changes
        // colour at every line, so the set is a small open table rather
        // than a node per colour. Pixels are opaque, so 0 marks a free slot.
        constexpr quint32 kSlots = 1024;  // four times the 257 it needs
        std::vector<QRgb> seen(kSlots, 0);
        QList<QRgb> found;
        const auto note = [&](QRgb colour) {
            colour |= kOpaque;
            quint32 slot = (colour * 2654435761u) >> 22;
            while (seen[slot] != 0 && seen[slot] != colour) {
                slot = (slot + 1) % kSlots;
            }
            if (seen[slot] == 0) {
                seen[slot] = colour;
                found << colour;
            }
        };
        const int width = image_.width();
        for (int y = 0; y < image_.height() && found.size() <= 256; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
            // A grid goes back and forth between two colours along a row.
            QRgb last = 0;
            QRgb before = 0;
            for (int x = 0; x < width; ++x) {
                if (row[x] != last) {
                    if (row[x] != before) {
                        note(row[x]);
                    }
                    before = last;
                    last = row[x];
                }
            }
        }
        if (found.size() > 256) {
            return {};
        }
        // White, most of a page, as index 0: the writer skips over it.
        const qsizetype white = found.indexOf(qRgb(255, 255, 255));
        if (white > 0) {
            found.swapItemsAt(0, white);
        }
        return found;
    }

private:
    QImage image_;
};

void requireWritable(const QImage& image, const QIODevice& device) {
    if (image.isNull()) {
        throw Error(QStringLiteral("There is no picture to save"));
    }
    if (!device.isOpen() || !device.isWritable()) {
        throw Error(QStringLiteral("The file is not open for writing"));
    }
}

}  // namespace

void writeAll(QIODevice& device, const char* bytes, qint64 size) {
    qint64 written = 0;
    while (written < size) {
        const qint64 step = device.write(bytes + written, size - written);
        if (step <= 0) {
            throw FileError(device.errorString());
        }
        written += step;
    }
}

void writeBitmap(BandSource& source, QIODevice& device, BitmapFormat format, int bandRows) {
    const QSize size = source.size();
    const int width = size.width();
    if (bandRows <= 0) {
        bandRows = static_cast<int>(std::min<qint64>(
            std::max<qint64>(kBandBytes / (qint64(width) * 4), kMinBandRows), size.height()));
    }
    bandRows = std::min(bandRows, size.height());
    QImage band(width, bandRows, QImage::Format_RGB32);
    if (band.isNull()) {
        throw std::bad_alloc();
    }
    band.setDotsPerMeterX(source.dotsPerMetre());
    band.setDotsPerMeterY(source.dotsPerMetre());

    // BMP keeps its rows from the bottom up: the bands are painted in that
    // order, so every row goes out as soon as its band is done.
    const bool upward = format == BitmapFormat::Bmp;
    const auto bandTop = [&](int index) {
        const qint64 fromTop = qint64(index) * bandRows;
        return upward ? std::max<qint64>(0, size.height() - fromTop - bandRows) : fromTop;
    };
    const int bands = (size.height() + bandRows - 1) / bandRows;

    std::unique_ptr<RowSink> sink;
    std::optional<ColourIndex> index;
    QList<QRgb> palette;
    int bits = 0;
    std::vector<uchar> packed;
    for (int b = 0; b < bands; ++b) {
        const int top = static_cast<int>(bandTop(b));
        const int rows = upward ? static_cast<int>(size.height() - qint64(b) * bandRows - top)
                                : std::min(bandRows, size.height() - top);
        source.paintBand(band, top);
        if (!sink) {
            // Every colour is known once the first band is painted.
            palette = source.colours();
            bits = paletteBits(palette.size(), format);
            requireFits(source, device, format, bits, palette.size());
            if (format == BitmapFormat::Png) {
                sink = std::make_unique<PngSink>(device, size, bits == 24 ? 8 : bits, palette,
                                                 source.dotsPerMetre());
            } else {
                sink =
                    std::make_unique<BmpSink>(device, size, bits, palette, source.dotsPerMetre());
            }
            if (!palette.isEmpty()) {
                index.emplace(palette);
            }
            packed.resize(static_cast<size_t>(BmpSink::stride(width, bits)));
        }
        for (int i = 0; i < rows; ++i) {
            const int y = upward ? rows - 1 - i : i;
            const auto* pixels = reinterpret_cast<const QRgb*>(band.constScanLine(y));
            if (index) {
                std::fill(packed.begin(), packed.end(), uchar(0));
                packRow(pixels, width, packed.data(), bits, *index, palette.front());
            } else {
                colourRow(pixels, width, packed.data(), upward);
            }
            sink->row(packed.data());
        }
    }
    sink->finish();
}

void saveBitmap(const QImage& image, QIODevice& device, BitmapFormat format) {
    requireWritable(image, device);
    PictureBands source(image);
    writeBitmap(source, device, format);
}

QImage indexedPicture(const QImage& image) {
    PictureBands source(image);
    const QList<QRgb> palette = source.colours();
    if (palette.isEmpty()) {
        return image;
    }
    QImage indexed(image.size(), QImage::Format_Indexed8);
    if (indexed.isNull()) {
        throw std::bad_alloc();
    }
    indexed.setColorTable(palette);
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    indexed.fill(0);
    ColourIndex index(palette);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        packRow(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), image.width(),
                indexed.scanLine(y), 8, index, palette.front());
    }
    return indexed;
}

}  // namespace lattora
