// The bodies of the fuzz targets. Each runs one input through its part of the
// program and checks what came out; the fuzzer executables and the corpus
// regression test call the same functions, so an input that once failed keeps
// being checked in the ordinary test run.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "render/graph.h"
#include "render/liveinputs.h"

namespace lattora::fuzz {

using Bytes = std::span<const std::uint8_t>;

// Every check returns the first property the input broke, empty when all held.
// lattora::Error is an expected outcome for malformed input and is caught
// inside; any other exception leaves the function, because nothing else may
// come out of these parts of the program.
using Check = QString (*)(Bytes input);

// The input as UTF-8 text: the template-list reader on it, the colour-string
// decoder on it and on every colour string the reader produced, and the
// store-and-read-back of the list it read.
QString checkTemplates(Bytes input);
// One axis drawn from the decoded AxisGridCase onto a recording target.
QString checkAxisGrid(Bytes input);

// The binary form the axis-grid target reads, native byte order, each field
// read only when all its bytes are there and left at its default otherwise:
//   0       flags: bit 0 abscissa, bit 1 metric
//   1       scale mode: the low three bits are the unit code (0 to 7)
//   2, 4    family, item: int16
//   6..61   left, top, width, height, divisions, hCorrection, vCorrection:
//           doubles, the raw bytes taken as they are
//   62..73  subdivision limits ten, five, two: floats
//   74..97  line widths heavy, medium, light: doubles, stored as their text
//   98      pixels per inch: uint16, folded into the export's dpi range
struct AxisGridCase {
    bool isAbscissa = true, metric = true;
    int scaleMode = 7;
    std::int16_t family = 0, item = 0;
    double left = 1, top = 1, width = 10, height = 10, divisions = 30;
    double hCorrection = 0, vCorrection = 0;
    SubdivisionLimits limits{0.99f, 0.51f, 0.2f};
    std::optional<double> widthHeavy, widthMedium, widthLight;
    int pixelsPerInch = 96;
};
AxisGridCase decodeAxisGridCase(Bytes input);

// The most lines one DrawAxisGrid call may record: the axis's own lines, which
// the renderer caps, and the two borders.
inline constexpr std::size_t kMaxRecordedLines = std::size_t{kMaxLinesPerAxis} + 2;

// The targets under the names of their corpus folders.
struct Target {
    const char* name;
    Check check;
};
inline std::span<const Target> targets() {
    static constexpr std::array kTargets{Target{"fuzz_templates", checkTemplates},
                                         Target{"fuzz_draw_axis_grid", checkAxisGrid}};
    return kTargets;
}

// How the checks quote the input in what they report: short, one line, every
// control character visible, whatever the fuzzer made up.
inline QString describe(const QString& text) {
    return QString::fromLatin1(
        text.left(80).toUtf8().toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[]^`{|}~"));
}

}  // namespace lattora::fuzz
