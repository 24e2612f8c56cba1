// A sheet as a file: the whole paper drawn as a PDF or SVG page or as a PNG
// or BMP picture, and the writing of such a file so that it appears whole
// or not at all.
#pragma once

#include <QIODevice>
#include <QString>
#include <functional>

#include "platform/output/pagesetup.h"

namespace lattora {

class DrawTarget;

enum class SheetFileFormat { Pdf, Svg, Png, Bmp };

// Writes to `device` a file showing the whole paper of `page`, drawn by
// `draw` in `scaleMode` units from the printable area's top-left corner, as
// the printer draws. Bitmaps are made at `dpi` and carry it; they are drawn
// and written a band at a time (see writeBitmap). Raises Error, FileError
// when the device refuses bytes.
void renderSheetFile(SheetFileFormat format, const PageSetup& page, int scaleMode, double dpi,
                     const std::function<void(DrawTarget&)>& draw, QIODevice& device);

// Lets `write` write to a temporary file beside `path` and renames it over
// `path` once complete, so a failure (of the file or of `write`) leaves an
// earlier file as it was. Raises FileError with the system's reason; what
// `write` raises passes through.
void writeFileWhole(const QString& path, const std::function<void(QIODevice&)>& write);

}  // namespace lattora
