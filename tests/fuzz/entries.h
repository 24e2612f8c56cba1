// The bodies of the fuzz targets. Each runs one input through its part of the
// program and checks what came out; the fuzzer executables and the corpus
// regression test call the same functions, so an input that once failed keeps
// being checked in the ordinary test run.
#pragma once

#include <QString>
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

// Rule text up to the first NUL or line feed, the field's text after it.
QString checkRuleTexts(Bytes input);

// Arguments separated by NUL bytes: each one as a scale text, and all of them
// as the export command's argument list.
QString checkScaleArguments(Bytes input);

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
    bool isAbscissa = true;
    bool metric = true;
    int scaleMode = 7;
    std::int16_t family = 0;
    std::int16_t item = 0;
    double left = 1;
    double top = 1;
    double width = 10;
    double height = 10;
    double divisions = 30;
    double hCorrection = 0;
    double vCorrection = 0;
    SubdivisionLimits limits{0.99f, 0.51f, 0.2f};
    std::optional<double> widthHeavy;
    std::optional<double> widthMedium;
    std::optional<double> widthLight;
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
std::span<const Target> targets();

// For the fuzzer executables: runs the check and aborts with the broken
// property on standard error, so that the fuzzer keeps the input.
int runOrAbort(Check check, const std::uint8_t* data, std::size_t size);

}  // namespace lattora::fuzz
