// lattora: the desktop program. One window, Form1, lays out a sheet of graph
// paper on the current printer's page.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <span>

#include "app/programinfo.h"
#include "app/statefile.h"
#include "app/windowarguments.h"
#include "desktop/programicon.h"
#include "mainwindow/form1.h"
#include "platform/print/printer.h"
#include "platform/print/systemprinter.h"
#include "platform/settings/qsettingsstore.h"
#include "platform/ui/colorchooser.h"
#include "platform/ui/messageboxes.h"
#include "sheet/error.h"

namespace {

// Quits once the window has painted for the first time: start-up is measured
// from the process's start to that moment.
class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(QElapsedTimer& clock) : clock_(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            std::printf("first paint after %lld ms\n", static_cast<long long>(clock_.elapsed()));
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer& clock_;
    bool seen_ = false;
};

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const lattora::WindowStart start =
        lattora::windowStart(std::span<char* const>(argv, argc).subspan(argc > 0 ? 1 : 0));
    if (start.request != lattora::WindowStart::Open) {
        const std::string text = start.request == lattora::WindowStart::Help
                                     ? lattora::helpText(lattora::windowProgram())
                                     : lattora::versionText(lattora::windowProgram());
        // A full disk or a closed pipe is said, not taken for success.
        if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
            std::perror("lattora: cannot write to standard output");
            return 2;
        }
        return 0;
    }
    if (!start.placeGiven && !hasDisplay()) {
        std::fprintf(stderr,
                     "lattora: no display to open the window on; lattora-export renders a "
                     "sheet without one\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lattora"));
    QApplication::setOrganizationName(QStringLiteral("Tarnhill"));
    QApplication::setWindowIcon(lattora::programIcon());

    // Qt has taken its own options out; the rest must be ours.
    lattora::WindowOptions options;
    try {
        options = lattora::readWindowOptions(QCoreApplication::arguments().mid(1));
    } catch (const lattora::Error& e) {
        std::fprintf(stderr, "lattora: %s\n", qPrintable(e.description()));
        return 2;
    }

    lattora::QSettingsStore store;
    lattora::SystemPrinter printer;
    lattora::QtMessageBoxes shownBoxes;
    // What start-up has to say is said over the window, once it is drawn.
    lattora::BoxesAfterFirstPaint boxes(shownBoxes);
    lattora::QtColorChooser chooser;
    lattora::Form1 window(store, printer, boxes, chooser, nullptr,
                          QCoreApplication::applicationDirPath());

    FirstPaintWatch watch(clock);
    if (options.quitAfterFirstPaint) {
        window.installEventFilter(&watch);
    }
    if (!options.stateFile.isEmpty()) {
        lattora::watchWindowState(window, options.stateFile);
    }
    boxes.holdUntilPainted(window);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
