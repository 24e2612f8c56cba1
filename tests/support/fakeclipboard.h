// A clipboard for tests that another program holds for a while: the first
// `busyClears` clears and `busySets` sets fail (-1: busy for ever). Keeps the
// last picture that arrived.
#pragma once

#include <QImage>
#include <climits>

#include "platform/ui/clipboard.h"

namespace lattora::test {

class FakeClipboard : public Clipboard {
public:
    explicit FakeClipboard(int busyClears = 0, int busySets = 0)
        : busy_{busyClears < 0 ? INT_MAX : busyClears, busySets < 0 ? INT_MAX : busySets} {}
    bool clear() override { return attempt(0, QImage()); }
    bool setImage(const QImage& image) override { return attempt(1, image); }
    QImage picture;

private:
    bool attempt(int k, const QImage& image) { return busy_[k]-- <= 0 && (picture = image, true); }
    int busy_[2];
};

}  // namespace lattora::test
