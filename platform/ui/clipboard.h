// The desktop's clipboard, behind an interface tests answer, and the two
// procedures that keep trying while another program holds it.
#pragma once

#include <QImage>

namespace lattora {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Empties the clipboard; false when it could not be done.
    virtual bool clear() = 0;
    // Places `picture` on the clipboard; false when it did not arrive there.
    virtual bool setImage(const QImage& picture) = 0;
};

// The application's QClipboard.
class QtClipboard : public Clipboard {
public:
    bool clear() override;
    bool setImage(const QImage& picture) override;
};

// How often each procedure below tries before it gives up.
inline constexpr int kClipboardAttempts = 1000;

// Tries to empty the clipboard until it works, at most kClipboardAttempts
// times, one attempt straight after the other. Returns whether it worked.
bool ClipboardClearRetry(Clipboard& clipboard);

// Tries to place `picture` on the clipboard in the same way. `format` names
// the clipboard format; 0 is the picture's own bitmap format.
bool ClipboardSetDataRetry(Clipboard& clipboard, const QImage& picture, int format);

}  // namespace lattora
