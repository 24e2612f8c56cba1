// A device that refuses every byte written to it, like a full disk, for
// tests of how writers report a failed write.
#pragma once

#include <QIODevice>
#include <QString>

namespace lattora::test {

class RefusingDevice : public QIODevice {
public:
    static inline const QString kReason = QStringLiteral("No space left on device");

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return setErrorString(kReason), -1; }
};

}  // namespace lattora::test
