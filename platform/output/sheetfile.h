// A sheet as a file: the whole paper drawn as a PDF or SVG page or as a PNG
// or BMP picture, and the writing of such a file so that it appears whole
// or not at all.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "platform/output/pagesetup.h"

namespace lattora {

class DrawTarget;

enum class SheetFileFormat { Pdf, Svg, Png, Bmp };

// The bytes of a file showing the whole paper of `page`, drawn by `draw` in
// `scaleMode` units from the printable area's top-left corner, as the
// printer draws. Bitmaps are made at `dpi` and carry it. Raises Error.
QByteArray renderSheetFile(SheetFileFormat format, const PageSetup& page, int scaleMode, double dpi,
                           const std::function<void(DrawTarget&)>& draw);

// Writes `bytes` to a temporary file beside `path` and renames it over
// `path` once complete, so a failure leaves an earlier file as it was.
// Raises Error with the system's reason.
void writeFileWhole(const QString& path, const QByteArray& bytes);

}  // namespace lattora
