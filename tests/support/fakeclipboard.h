// A clipboard for tests that another program holds for a while: the first
// `busyAttempts` attempts of each kind fail. Counts every attempt and keeps
// the last picture that arrived.
#pragma once

#include <QImage>

#include "platform/ui/clipboard.h"

namespace lattora::test {

class FakeClipboard : public Clipboard {
public:
    // Busy for this many clears and this many sets; -1: busy for ever.
    explicit FakeClipboard(int busyClears = 0, int busySets = 0)
        : busyClears_(busyClears), busySets_(busySets) {}

    bool clear() override {
        ++clears;
        if (busyClears_ < 0 || clears <= busyClears_) {
            return false;
        }
        picture = QImage();
        return true;
    }
    bool setImage(const QImage& image) override {
        ++sets;
        if (busySets_ < 0 || sets <= busySets_) {
            return false;
        }
        picture = image;
        return true;
    }

    int clears = 0;
    int sets = 0;
    QImage picture;

private:
    int busyClears_;
    int busySets_;
};

}  // namespace lattora::test
