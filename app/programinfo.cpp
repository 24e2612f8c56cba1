#include "app/programinfo.h"

#include <algorithm>
#include <cctype>

namespace lattora {

Release currentRelease() {
    // The build passes the project's version and release date.
    return {LATTORA_VERSION, LATTORA_RELEASE_DATE};
}

namespace {

using Text = std::string_view;

// Both programs read the same settings file.
constexpr ManualEntry kSettingsFile{
    "_$XDG_CONFIG_HOME/Tarnhill/Lattora.conf_",
    "The settings: unit system, line sets and their widths, subdivision thresholds and "
    "printer corrections. Both programs read it; only the OK buttons of the window's "
    "dialogs write it. A value that cannot be used counts as absent, and its default is "
    "used. Only a regular file of at most 16 MB is read; anything else is passed over with "
    "a warning, and every setting has its default."};
constexpr ManualEntry kConfigHome{"*XDG_CONFIG_HOME*",
                                  "Where the settings file is looked for; _~/.config_ when unset."};

// lattora: the window.

constexpr Text kWindowSynopsis[] = {"*lattora* [_options_]", "*lattora* *--help* | *--version*"};

constexpr Text kWindowDescription[] = {
    "*lattora* opens the window that lays out one sheet of graph paper on the current "
    "printer's page. Each axis gets a scale from a fixed catalogue: metric and imperial "
    "pitches, a number of equal divisions, time, logarithmic, quadratic, square-root and "
    "probability scales. The grid is drawn in four classes of line, coloured from named "
    "line sets.",
    "The preview on the left shows the whole page. Drag the dotted graph area to move it, "
    "or its handles to resize it; the fields beside it take its margins and size in "
    "centimetres or inches. The sheet is printed, saved as BMP, PDF, SVG or PNG, or copied "
    "to the clipboard; *lattora-export* renders the same sheets without a window.",
    "The sheet itself is never saved: every start lays out the standard sheet on the "
    "current printer's page. What outlives a run is kept in the settings file (see "
    "*FILES*)."};

constexpr OptionInfo kWindowOptions[] = {
    {"-h, --help", "", "shows this text",
     "Show a summary of the options and exit, without opening the window."},
    {"--version", "", "shows the version", "Show the version and exit."},
};

constexpr Text kQtOptionsIntro[] = {
    "The window takes the options of every Qt program; each may also be given with two "
    "dashes. The last five work under X11 (the *xcb* platform) only, and elsewhere are "
    "refused as options the program does not know."};

constexpr OptionInfo kQtOptions[] = {
    {"-platform", "NAME[:OPTIONS]", "",
     "The windowing system to run on: *xcb* (X11), *wayland*, or *offscreen* (no screen at "
     "all); what follows a colon goes to the platform's plugin. It overrides "
     "*QT_QPA_PLATFORM*."},
    {"-platformpluginpath", "PATH", "", "One more folder to look for platform plugins in."},
    {"-platformtheme", "NAME", "",
     "The platform theme: the desktop's colours, fonts and standard dialogs."},
    {"-plugin", "NAME", "", "Loads one more generic plugin, such as an input device's."},
    {"-style", "NAME", "",
     "The widget style, e.g. *Fusion* or *Windows*; also given as *-style=*_NAME_."},
    {"-stylesheet", "FILE", "",
     "A Qt style sheet applied to every window; also given as *-stylesheet=*_FILE_."},
    {"-reverse", "", "", "Lays the windows out from right to left."},
    {"-qwindowgeometry", "GEOMETRY", "",
     "The window's size and position in X11's form, e.g. *1024x600+0+0*: width, height, "
     "and the distances from the screen's left and top edges."},
    {"-qwindowtitle", "TITLE", "", "The window's title instead of “Lattora”."},
    {"-qwindowicon", "ICON", "",
     "The windows' icon instead of the program's own: a file named by its absolute path, "
     "or an icon of the desktop's theme."},
    {"-session", "ID", "",
     "The session the desktop's session manager restarts the program in; the program "
     "keeps nothing of its own in a session."},
    {"-widgetcount", "", "",
     "At the end, prints how many widgets were left and the most that existed at once."},
    {"-display", "DISPLAY", "", "The X display to open the window on, instead of *DISPLAY*."},
    {"-geometry", "GEOMETRY", "", "As *-qwindowgeometry*."},
    {"-title", "TITLE", "", "As *-qwindowtitle*."},
    {"-name", "NAME", "", "The name window managers know the program by (its WM_CLASS)."},
    {"-nograb", "", "", "Never grabs the mouse or the keyboard, as a debugger may need."},
};

constexpr Text kScriptOptionsIntro[] = {
    "For scripts and tests that drive the window; *--help* leaves them out."};

constexpr OptionInfo kScriptOptions[] = {
    {"--state-file", "PATH", "",
     "Keeps a JSON record of the window's state in _PATH_, rewritten whenever it changes: "
     "where the page picture lies on the screen, the graph area's outline and handles, a "
     "drag under way, the four layout fields and the number of redraws. Scripts read it "
     "instead of guessing from pixels."},
    {"--quit-after-first-paint", "", "",
     "Once the window has painted for the first time, prints “first paint after "
     "_N_ ms”, counted from the start of the process, on standard output and quits."},
};

constexpr OptionGroup kWindowGroups[] = {
    {.options = kWindowOptions},
    {.title = "Qt's options", .intro = kQtOptionsIntro, .options = kQtOptions, .readByQt = true},
    {.title = "Options for scripts", .intro = kScriptOptionsIntro, .options = kScriptOptions},
};

constexpr ManualEntry kWindowStatus[] = {
    {"*0*", "The window was closed, or *--help* or *--version* was given."},
    {"*2*",
     "An option the program does not know, an argument it does not take, or no display to "
     "open the window on. One line on standard error says which, and no window opens."},
};

constexpr ManualEntry kWindowEnvironment[] = {
    {"*DISPLAY*, *WAYLAND_DISPLAY*",
     "The display the window opens on. Without either, and without *QT_QPA_PLATFORM*, "
     "*-platform* or *-display*, the program says there is no display and exits."},
    {"*QT_QPA_PLATFORM*", "The windowing system to run on, as *-platform* gives it."},
    {"*QT_SCALE_FACTOR*", "Scales the window, its text and its controls, e.g. *1.25*."},
    kConfigHome,
};

constexpr ManualEntry kWindowFiles[] = {
    kSettingsFile,
    {"_$XDG_CONFIG_HOME/Tarnhill/Lattora.conf.damaged_",
     "The settings file as it was before the first save into it that would have damaged it "
     "(lines it cannot read, text that is not UTF-8, a key given twice); the window says "
     "when it keeps one."},
};

constexpr Text kSeeExport[] = {"*lattora-export*(1)"};

constexpr ManualSection kWindowSections[] = {
    {.title = "EXIT STATUS", .entries = kWindowStatus},
    {.title = "ENVIRONMENT", .entries = kWindowEnvironment},
    {.title = "FILES", .entries = kWindowFiles},
    {.title = "SEE ALSO", .paragraphs = kSeeExport},
};

// lattora-export: the same sheets without a window.

constexpr Text kExportSynopsis[] = {
    "*lattora-export* [_options_] _OUTPUT_",
    "*lattora-export* [_options_] *--print* [*--printer* _NAME_]",
    "*lattora-export* *--calibration* [_options_] (_OUTPUT_ | *--print* [*--printer* _NAME_])",
};

constexpr Text kExportDescription[] = {
    "*lattora-export* renders one sheet of graph paper from the saved settings, or the "
    "calibration page that shows what the saved graduation corrections do. It reads the "
    "same settings as the *lattora* window: unit system, current line set (or "
    "“Black Lines”), line widths and subdivision thresholds.",
    "The extension of _OUTPUT_ picks the format: *.pdf*, *.svg*, *.png*, *.bmp* or *.txt* "
    "(a trace of every drawing call). An _OUTPUT_ of *-* writes to standard output, as a "
    "trace unless *--format* says otherwise. A file is replaced whole, keeping its "
    "permissions and owner; a pipe or a character device is written into as it is; a block "
    "device, a socket or anything else that is not a file is refused.",
};

constexpr OptionInfo kExportOptions[] = {
    {"--abscissa", "SCALE",
     "x axis scale, e.g. \"Metric:1 mm\", \"Logarithmic:3 cycles\", \"N divided:25\" "
     "(default \"Metric:1 mm\")",
     "The x axis scale: a family, optionally followed by a colon and an item, as the "
     "program's lists show them, e.g. “Metric:1 mm”, "
     "“Logarithmic:3 cycles”, “N divided:25” (N a whole "
     "number from 1). A family alone takes its list's default item. The default is “Metric:1 "
     "mm”."},
    {"--ordinate", "SCALE", "y axis scale (default \"Metric:1 mm\")",
     "The y axis scale, given as for *--abscissa*; the default is “Metric:1 "
     "mm”."},
    {"--margins", "LEFT,TOP", "graph area offsets in the sheet unit (cm or inches)",
     "The graph area's offsets from the printable area's top-left corner, in the sheet "
     "unit (cm under the metric unit system, inches otherwise), each from -10000 to 10000. "
     "The default is the standard margin, 1 cm or ½ inch."},
    {"--size", "WIDTH,HEIGHT", "graph area size in the sheet unit",
     "The graph area's size in the sheet unit, each from -10000 to 10000. The default fills the "
     "printable area less "
     "the standard margin on every side."},
    {"--paper", "NAME",
     "paper size (A4, Letter, Legal, A3, A5, ...) with no printer margins; default: the "
     "default printer's page",
     "The paper size (A4, Letter, Legal, A3, A5, ...), with no printer margins. The default "
     "is the default printer's page, or A4 when no printer is installed."},
    {"--orientation", "portrait|landscape", "the paper's orientation", "The paper's orientation."},
    {"--dpi", "N", "resolution of PNG and BMP files (default 300)",
     "The resolution of PNG and BMP files, 300 by default. The files record it, so they "
     "print at true size. They are drawn and written a band of rows at a time, so any page "
     "size fits in memory, with a palette of the sheet's colours (white, the line colours "
     "and black for the labels, drawn in whole pixels)."},
    {"--corrections", "", "apply the saved printer graduation corrections",
     "Apply the saved printer graduation corrections, as printing does."},
    {"--format", "pdf|svg|png|bmp|trace", "overrides the extension",
     "The output format, overriding the extension of _OUTPUT_."},
    {"--print", "",
     "prints the sheet instead (no OUTPUT) on the default printer's page, with the saved "
     "corrections",
     "Print the sheet instead of writing a file (no _OUTPUT_), laid out on the default "
     "printer's page and with the saved corrections, through the same printing path as the "
     "window's Print command."},
    {"--printer", "NAME", "with --print: the printer to print on",
     "With *--print*: the printer to print on."},
    {"--calibration", "",
     "the calibration page (rules of 100 mm and 4 inches, a 50 mm square) with the saved "
     "corrections, instead of a sheet; takes --paper, --orientation, --dpi, --format, "
     "--print and --printer, not the graph area options",
     "Render the calibration page instead of a sheet: rules of 100 mm and 4 inches and a "
     "50 mm square, drawn with the saved corrections, for measuring what a printer does to "
     "lengths. It takes *--paper*, *--orientation*, *--dpi*, *--format*, *--print* and "
     "*--printer*, not the graph area options."},
    {"-h, --help", "", "shows this text", "Show a summary of the options and exit."},
    {"--version", "", "shows the version", "Show the version and exit."},
};

constexpr OptionGroup kExportGroups[] = {{.options = kExportOptions}};

constexpr ManualEntry kExportStatus[] = {
    {"*0*", "The sheet was written or sent to the printer, or *--help* or *--version* was given."},
    {"*2*",
     "A bad option, an unknown scale or paper, an unwritable file, no printer to print on, "
     "a drawing failure, or too little memory for a picture at the resolution asked for. "
     "One line on standard error says which, naming the option and its value, and no output "
     "file is left behind; an earlier file is left as it was."},
};

constexpr ManualEntry kExportEnvironment[] = {
    kConfigHome,
    {"*QT_QPA_PLATFORM*",
     "Not used: *lattora-export* always runs headless (*offscreen*) and needs no display. "
     "Qt's own command-line options are refused like any other unknown option."},
    {"*LATTORA_VERBOSE*", "When set, Qt's own diagnostics are shown on standard error as well."},
};

constexpr ManualEntry kExportFiles[] = {kSettingsFile};

constexpr ManualExample kExportExamples[] = {
    {"The standard sheet, 1 mm squares on A4, as a PDF:", "lattora-export --paper A4 sheet.pdf"},
    {"Three logarithmic cycles across and 1/16 inch squares up, on landscape Letter paper, "
     "as a 600 dpi PNG:",
     "lattora-export --paper Letter --orientation landscape --dpi 600 \\\n"
     "    --abscissa \"Logarithmic:3 cycles\" --ordinate \"Imperial:1/16 inch\" log.png"},
    {"A probability scale across a graph area of 15 by 20 (cm under the metric unit "
     "system), sent to the printer named office:",
     "lattora-export --abscissa \"Probability:1% to 99%\" --margins 3,4 \\\n"
     "    --size 15,20 --print --printer office"},
    {"The calibration page, with the saved corrections, as a PDF to print and measure:",
     "lattora-export --calibration --paper A4 calibration.pdf"},
    {"The trace of every drawing call, on standard output:", "lattora-export --paper A5 - | head"},
};

constexpr Text kSeeWindow[] = {"*lattora*(1)"};

constexpr ManualSection kExportSections[] = {
    {.title = "EXIT STATUS", .entries = kExportStatus},
    {.title = "ENVIRONMENT", .entries = kExportEnvironment},
    {.title = "FILES", .entries = kExportFiles},
    {.title = "EXAMPLES", .examples = kExportExamples},
    {.title = "SEE ALSO", .paragraphs = kSeeWindow},
};

// --help's layout.
constexpr std::size_t kHelpWidth = 79;
constexpr std::size_t kSummaryColumn = 26;

// Where the word at the start of `text` ends: at a space, unless the space
// is inside quotation marks ("Logarithmic:3 cycles" is one value).
std::size_t wordEnd(std::string_view text) {
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        quoted = quoted != (text[i] == '"');
        if (text[i] == ' ' && !quoted) {
            return i;
        }
    }
    return std::string_view::npos;
}

// Appends `text` folded at spaces into lines of at most kHelpWidth columns,
// the first continuing the line already begun, the others indented by
// `indent`. A word longer than a line has one of its own.
void appendFolded(std::string& out, std::string_view text, std::size_t indent) {
    std::size_t column = out.size() - (out.rfind('\n') + 1);
    bool lineHasWord = false;
    while (!text.empty()) {
        const std::size_t end = wordEnd(text);
        const std::string_view word = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (word.empty()) {
            continue;
        }
        if (lineHasWord && column + 1 + word.size() > kHelpWidth) {
            out += '\n';
            out.append(indent, ' ');
            column = indent;
            lineHasWord = false;
        }
        if (lineHasWord) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineHasWord = true;
    }
    out += '\n';
}

}  // namespace

const ProgramInfo& windowProgram() {
    static constexpr ProgramInfo kWindow{
        "lattora",
        "design sheets of graph paper and print them",
        kWindowSynopsis,
        "Opens the window that designs a sheet of graph paper on the current printer's page.",
        kWindowDescription,
        kWindowGroups,
        "It also takes Qt's own options (-platform, -style, -geometry, ...); the manual page "
        "lists them.",
        kWindowSections};
    return kWindow;
}

const ProgramInfo& exportProgram() {
    static constexpr ProgramInfo kExport{
        "lattora-export",
        "render a sheet of graph paper without a window",
        kExportSynopsis,
        "Renders one sheet of graph paper from the saved settings, or the calibration page "
        "that shows what the saved graduation corrections do. OUTPUT's extension picks the "
        "format (.pdf, .svg, .png, .bmp, .txt); - writes to standard output.",
        kExportDescription,
        kExportGroups,
        "",
        kExportSections};
    return kExport;
}

std::vector<std::string_view> spellings(const OptionInfo& option) {
    std::vector<std::string_view> out;
    std::string_view names = option.names;
    while (true) {
        const std::size_t comma = names.find(", ");
        out.push_back(names.substr(0, comma));
        if (comma == std::string_view::npos) {
            return out;
        }
        names.remove_prefix(comma + 2);
    }
}

std::vector<MarkedSpan> markedSpans(std::string_view marked) {
    std::vector<MarkedSpan> spans;
    const auto isWordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)); };
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)); };
    std::size_t plainStart = 0;
    std::size_t i = 0;
    while (i < marked.size()) {
        const char mark = marked[i];
        const bool opens = (mark == '*' || mark == '_') && (i == 0 || !isWordChar(marked[i - 1])) &&
                           i + 1 < marked.size() && !isSpace(marked[i + 1]);
        std::size_t close = std::string_view::npos;
        for (std::size_t j = i + 2; opens && j < marked.size(); ++j) {
            if (marked[j] == mark && !isSpace(marked[j - 1]) &&
                (j + 1 == marked.size() || !isWordChar(marked[j + 1]))) {
                close = j;
                break;
            }
        }
        if (close == std::string_view::npos) {
            ++i;
            continue;
        }
        if (i > plainStart) {
            spans.push_back({MarkedSpan::Plain, marked.substr(plainStart, i - plainStart)});
        }
        spans.push_back({mark == '*' ? MarkedSpan::Bold : MarkedSpan::Italic,
                         marked.substr(i + 1, close - i - 1)});
        i = plainStart = close + 1;
    }
    if (plainStart < marked.size()) {
        spans.push_back({MarkedSpan::Plain, marked.substr(plainStart)});
    }
    return spans;
}

std::string plainText(std::string_view marked) {
    std::string out;
    for (const MarkedSpan& span : markedSpans(marked)) {
        out += span.text;
    }
    return out;
}

std::string helpText(const ProgramInfo& program) {
    std::string out;
    for (std::size_t i = 0; i < program.synopsis.size(); ++i) {
        out += i == 0 ? "Usage: " : "       ";
        appendFolded(out, plainText(program.synopsis[i]), 8 + program.name.size());
    }
    appendFolded(out, program.about, 0);
    out += '\n';
    for (const OptionInfo& option : program.options.front().options) {
        std::string line = "  ";
        line += option.names;
        if (!option.argument.empty()) {
            (line += ' ') += option.argument;
        }
        line.resize(std::max(line.size() + 1, kSummaryColumn), ' ');
        if (line.size() > kSummaryColumn) {
            line.back() = '\n';
            line.append(kSummaryColumn, ' ');
        }
        out += line;
        appendFolded(out, option.summary, kSummaryColumn);
    }
    if (!program.helpFooter.empty()) {
        out += '\n';
        appendFolded(out, program.helpFooter, 0);
    }
    return out;
}

std::string versionText(const ProgramInfo& program) {
    return std::string(program.name) + ' ' + std::string(currentRelease().version) + '\n';
}

}  // namespace lattora
