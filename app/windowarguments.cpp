#include "app/windowarguments.h"

#include <QCommandLineParser>
#include <string_view>

#include "app/programinfo.h"
#include "sheet/error.h"
#include "sheet/settingsstore.h"

namespace lattora {

namespace {

// Qt and QCommandLineParser (with single-dash words as long options) both
// take "--name" and "-name" alike.
std::string_view oneDash(std::string_view spelling) {
    return spelling.starts_with("--") ? spelling.substr(1) : spelling;
}

// Whether the option that `argument` spells, if the window knows it, is
// followed by its value.
bool takesValue(std::string_view argument) {
    for (const OptionGroup& group : windowProgram().options) {
        for (const OptionInfo& option : group.options) {
            for (const std::string_view spelling : spellings(option)) {
                if (oneDash(spelling) == oneDash(argument)) {
                    return !option.argument.empty();
                }
            }
        }
    }
    return false;
}

}  // namespace

WindowStart windowStart(std::span<char* const> arguments) {
    WindowStart start;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = oneDash(arguments[i]);
        if (argument == "-help" || argument == "-h") {
            start.request = WindowStart::Help;
            return start;
        }
        if (argument == "-version") {
            start.request = WindowStart::Version;
            return start;
        }
        start.placeGiven = start.placeGiven || argument == "-platform" || argument == "-display";
        if (takesValue(argument)) {
            ++i;
        }
    }
    return start;
}

WindowOptions readWindowOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption stateFile(QStringLiteral("state-file"), QString(),
                                       QStringLiteral("PATH"));
    const QCommandLineOption quitAfterFirstPaint(QStringLiteral("quit-after-first-paint"));
    parser.addOptions({stateFile, quitAfterFirstPaint});
    // QCommandLineParser expects the program name first.
    if (!parser.parse(QStringList{QStringLiteral("lattora")} + arguments)) {
        throw Error(escapedControls(parser.errorText()));
    }
    if (!parser.positionalArguments().isEmpty()) {
        throw Error(QStringLiteral("the window takes options only, not %1")
                        .arg(quotedExcerpt(parser.positionalArguments().first())));
    }
    return {parser.value(stateFile), parser.isSet(quitAfterFirstPaint)};
}

}  // namespace lattora
