// A running window's state as a small JSON file, rewritten whenever it
// changes: where the page picture lies on the screen, the graph-area outline
// and handles, the drag, the four layout fields and the number of redraws.
// Scripts that drive the window from outside (desktop automation, tests)
// read it instead of guessing from pixels.
#pragma once

#include <QByteArray>
#include <QString>

namespace lattora {

class Form1;

// The state as it is now.
QByteArray windowState(const Form1& window, int draws);

// Keeps `path` up to date with the window's state until the window goes.
void watchWindowState(Form1& window, const QString& path);

}  // namespace lattora
