// Writing a picture as a PNG or BMP file that keeps its resolution.
#pragma once

#include <QIODevice>
#include <QImage>

namespace lattora {

enum class BitmapFormat { Png, Bmp };

// Writes `image` to `device` in `format`. Both formats record the image's
// dots per metre (PNG in its pHYs chunk, BMP in the header's pixels-per-metre
// fields), so the file prints at the sheet's true size. Raises Error for a
// null image, a device not open for writing, or a failed write.
void saveBitmap(const QImage& image, QIODevice& device, BitmapFormat format);

}  // namespace lattora
