// The window program's command line. --help and --version are looked for
// before the application object exists, so that they need no display; the
// application object then takes Qt's own options out, and what is left must
// be the program's.
#pragma once

#include <QString>
#include <QStringList>
#include <span>

namespace lattora {

struct WindowStart {
    enum Request { Open, Help, Version } request = Open;
    // -platform or -display chooses where the window opens, so the program
    // need not look for a display itself.
    bool placeGiven = false;
};

// Reads the arguments after the program name as far as the first --help or
// --version, never taking the value of an option for an option.
WindowStart windowStart(std::span<char* const> arguments);

struct WindowOptions {
    QString stateFile;  // empty: none kept
    bool quitAfterFirstPaint = false;
};

// Reads what Qt left of the arguments after the program name. Raises Error
// with a one-line message for an option it does not know or an argument it
// does not take.
WindowOptions readWindowOptions(const QStringList& arguments);

}  // namespace lattora
