// The manual pages and the AppStream release entry, written at build time
// from the programs' own tables (app/programinfo.h).
#pragma once

#include <string>
#include <string_view>

#include "app/programinfo.h"

namespace lattora {

// A marked-up text as a troff text line: *bold* and _italic_ as fonts, the
// characters troff would read as requests or escapes written so that it
// prints them, and the dashes of what is typed (the bold) as minus signs.
// Each "\n" in `marked` begins a new input line.
std::string troffText(std::string_view marked);

// The program's whole manual page (section 1, the man macros).
std::string manualPage(const ProgramInfo& program);

// `metainfo` with its one "@RELEASE@" replaced by the current release's
// AppStream entry. Throws std::invalid_argument when there is not exactly one.
std::string withRelease(std::string metainfo);

}  // namespace lattora
