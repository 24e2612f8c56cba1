#include "platform/ui/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <functional>

namespace lattora {

namespace {

// On X11 the clipboard is a selection some window owns: placing data on it
// only worked when this program owns it afterwards. Elsewhere Qt's clipboard
// keeps the data itself, and ownership says nothing.
bool ownershipShowsSuccess() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool retry(const std::function<bool()>& attempt) {
    int attempts = 0;
    bool done = false;
    // Another program holds the clipboard only for a moment; waiting between
    // attempts would only slow the common case of a free clipboard.
    do {
        done = attempt();
        ++attempts;
    } while (!done && attempts < kClipboardAttempts);
    return done;
}

}  // namespace

bool QtClipboard::clear() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->clear();
    return true;
}

bool QtClipboard::setImage(const QImage& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || picture.isNull()) {
        return false;
    }
    clipboard->setImage(picture);
    return !ownershipShowsSuccess() || clipboard->ownsClipboard();
}

bool ClipboardClearRetry(Clipboard& clipboard) {
    return retry([&] { return clipboard.clear(); });
}

bool ClipboardSetDataRetry(Clipboard& clipboard, const QImage& picture, int format) {
    // Qt offers a picture in every image format the desktop asks for, so a
    // particular format number changes nothing: each is the picture itself.
    static_cast<void>(format);
    return retry([&] { return clipboard.setImage(picture); });
}

}  // namespace lattora
