// The bodies of the fuzz targets. Each runs one input through its part of the
// program and checks what came out; the fuzzer executables and the corpus
// regression test call the same functions, so an input that once failed keeps
// being checked in the ordinary test run.
#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <utility>

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
// One axis drawn on a recording target from the case the input decodes to
// (its binary form is described beside the check).
QString checkAxisGrid(Bytes input);

// The targets under the names of their corpus folders.
inline constexpr std::pair<const char*, Check> kTargets[] = {
    {"fuzz_templates", checkTemplates}, {"fuzz_draw_axis_grid", checkAxisGrid}};

// How the checks quote the input in what they report: short, one line, every
// control character visible, whatever the fuzzer made up.
inline QString describe(const QString& text) {
    return QString::fromLatin1(
        text.left(80).toUtf8().toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[]^`{|}~"));
}

}  // namespace lattora::fuzz
