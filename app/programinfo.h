// What the two programs say about themselves: the release, each program's
// options and the words around them. --help and --version print from these
// tables, and the build writes both manual pages and the AppStream release
// entry from the same tables, so no page can describe another program than
// the one installed beside it.
//
// Texts meant for the manual pages use a light markup: *bold* (what is typed
// as shown) and _italic_ (what the user replaces). A mark opens at the start
// of a word and closes at its end, so the underscores inside a name such as
// XDG_CONFIG_HOME are plain text. --help prints the texts without the marks.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lattora {

struct Release {
    std::string_view version;  // the project's version, as the package has it
    std::string_view date;     // YYYY-MM-DD
};

Release currentRelease();

struct OptionInfo {
    // The option's spellings, separated by ", ": "-h, --help".
    std::string_view names;
    // What follows it: a placeholder in capitals ("SCALE", "LEFT,TOP") or the
    // words it takes ("portrait|landscape"); empty for a switch.
    std::string_view argument;
    // --help's line; empty for the options --help leaves to the manual page.
    std::string_view summary;
    std::string_view manual;  // marked up
};

// An option's spellings, one by one.
std::vector<std::string_view> spellings(const OptionInfo& option);

// The options of one kind. A program's first group is what --help lists;
// the manual page lists every group under OPTIONS, the later ones under
// their titles.
struct OptionGroup {
    std::string_view title = {};
    std::span<const std::string_view> intro = {};  // marked-up paragraphs
    std::span<const OptionInfo> options = {};
    // Qt's own options: the application object takes them out of the
    // arguments before the program reads the rest.
    bool readByQt = false;
};

// A marked-up term and its paragraph: an exit status, a variable, a file.
struct ManualEntry {
    std::string_view term;
    std::string_view text;
};

// A marked-up sentence and the command it describes, shown as typed.
struct ManualExample {
    std::string_view text;
    std::string_view command;
};

// A section of the manual page after OPTIONS: paragraphs, then entries,
// then examples, each part optional.
struct ManualSection {
    std::string_view title;
    std::span<const std::string_view> paragraphs = {};
    std::span<const ManualEntry> entries = {};
    std::span<const ManualExample> examples = {};
};

struct ProgramInfo {
    std::string_view name;
    std::string_view purpose;                       // the NAME line's words after the dash
    std::span<const std::string_view> synopsis;     // marked up, one way of calling it a line
    std::string_view about;                         // --help's words between usage and options
    std::span<const std::string_view> description;  // marked up
    std::span<const OptionGroup> options;
    std::string_view helpFooter;  // --help's last words; may be empty
    std::span<const ManualSection> sections;
};

const ProgramInfo& windowProgram();
const ProgramInfo& exportProgram();

// The text --help prints: the synopsis as usage lines, the program's words
// and its first option group, folded to 80 columns.
std::string helpText(const ProgramInfo& program);

// The line --version prints: "NAME VERSION".
std::string versionText(const ProgramInfo& program);

// A marked-up text cut into its runs of one style.
struct MarkedSpan {
    enum Style { Plain, Bold, Italic } style;
    std::string_view text;
};
std::vector<MarkedSpan> markedSpans(std::string_view marked);

// A marked-up text as --help prints it.
std::string plainText(std::string_view marked);

}  // namespace lattora
