// A user's text inside a one-line message: what a refusal quotes back must
// neither break the line nor act on the terminal it is printed to.
#pragma once

#include <QString>

namespace lattora {

// `text` with control characters and line or paragraph separators written
// as \uXXXX.
QString shown(const QString& text);

// shown(text) in quotation marks.
QString quoted(const QString& text);

}  // namespace lattora
