// The programs' command lines as described once: the window's arguments
// before and after Qt takes its own, --help's layout, and the troff the
// manual pages are written in.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "app/programinfo.h"
#include "app/windowarguments.h"
#include "packaging/manualpage.h"
#include "sheet/error.h"

using namespace lattora;
using namespace Qt::StringLiterals;

// A command line written as one text, the arguments separated by "|".
static QStringList args(const char* line) {
    return *line ? QString::fromUtf8(line).split(u'|') : QStringList();
}

// --help and --version need no display, so they are found before Qt reads
// the arguments; the value of an option is never one of them.
TEST(WindowArguments, HelpAndVersionAreFoundBeforeQtReadsTheArguments) {
    const std::pair<const char*, const char*> rows[] = {
        {"", "open"},
        {"-h", "help"},
        {"-style|Fusion|--version|--help", "version"},
        {"-reverse|-help", "help"},
        {"-qwindowtitle|--help", "open"},
        {"--qwindowtitle|--version", "open"},
        {"--state-file|--help", "open"},
        {"-style=--help", "open"},
        {"-platform|offscreen", "open, placed"},
        {"--display|:1", "open, placed"},
        {"-qwindowtitle|-platform", "open"},
    };
    for (const auto& [line, expected] : rows) {
        std::vector<QByteArray> bytes;
        std::vector<char*> argv;
        for (const QString& a : args(line))
            bytes.push_back(a.toUtf8());
        for (QByteArray& b : bytes)
            argv.push_back(b.data());
        const WindowStart start = windowStart(argv);
        const char* names[] = {"open", "help", "version"};
        EXPECT_EQ(std::string(names[start.request]) + (start.placeGiven ? ", placed" : ""),
                  expected)
            << line;
    }
}

// What Qt leaves must be the window's own options; anything else is refused
// with a message naming it.
TEST(WindowArguments, ReadsItsOwnOptionsAndRefusesTheRest) {
    const std::pair<const char*, const char*> rows[] = {
        {"", " 0"},
        {"--state-file|s.json|--quit-after-first-paint", "s.json 1"},
        {"-state-file=s.json", "s.json 0"},
        {"--bogus", "'bogus'"},
        {"--state-file", "'--state-file'"},
        {"--quit-after-first-paint=1", "'--quit-after-first-paint'"},
        {"sheet.pdf", "\"sheet.pdf\""},
        {"--state-file|s|\x1b[2J", "\"\\u001b[2J\""},
    };
    for (const auto& [line, expected] : rows) {
        try {
            const WindowOptions o = readWindowOptions(args(line));
            EXPECT_EQ(u"%1 %2"_s.arg(o.stateFile).arg(o.quitAfterFirstPaint),
                      QLatin1String(expected))
                << line;
        } catch (const Error& e) {
            EXPECT_TRUE(e.description().contains(QLatin1String(expected)) &&
                        !e.description().contains(u'\n'))
                << line << ": " << e.what();
        }
    }
}

// Every line fits 80 columns, and a quoted value is never split.
TEST(ProgramInfo, HelpFitsEightyColumns) {
    for (const ProgramInfo* program : {&windowProgram(), &exportProgram()}) {
        std::istringstream text(helpText(*program));
        for (std::string line; std::getline(text, line);) {
            EXPECT_TRUE(line.size() <= 79 && std::count(line.begin(), line.end(), '"') % 2 == 0)
                << line;
        }
    }
}

TEST(ManualPage, TroffPrintsTheMarkedUpTextAsWritten) {
    const std::pair<const char*, const char*> rows[] = {
        {"--print, top-left", "\\-\\-print, top-left"},
        {"*lattora-export*(1), _NAME_.", "\\fBlattora\\-export\\fR(1), \\fINAME\\fR."},
        {"_$XDG_CONFIG_HOME/a_ and QT_QPA_PLATFORM",
         "\\fI$XDG_CONFIG_HOME/a\\fR and QT_QPA_PLATFORM"},
        {"2 * 3, *open, snake_case_", "2 * 3, *open, snake_case_"},
        {".pdf\n'a' b.c", "\\&.pdf\n\\&'a' b.c"},
        {"a\\fB", "a\\efB"},
        {"“½×”, é", "\\(lq\\(12\\(mu\\(rq, \\[u00E9]"},
    };
    for (const auto& [marked, troff] : rows)
        EXPECT_EQ(troffText(marked), troff) << marked;
}

TEST(ManualPage, TheMetainfoHasExactlyOnePlaceForTheRelease) {
    EXPECT_TRUE(withRelease("<r>@RELEASE@</r>").starts_with("<r><release version=\""));
    EXPECT_THROW(withRelease("<releases/>"), std::invalid_argument);
    EXPECT_THROW(withRelease("@RELEASE@@RELEASE@"), std::invalid_argument);
}
