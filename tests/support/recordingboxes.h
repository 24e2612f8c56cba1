// Message boxes for tests: recorded, never shown, answered at once.
#pragma once

#include <QStringList>

#include "platform/ui/messageboxes.h"

namespace lattora::test {

class RecordingBoxes : public MessageBoxes {
public:
    struct Shown {
        bool error;  // the error report rather than a plain message
        QString text;
    };
    void showMessage(QWidget*, const QString& text) override { shown << Shown{false, text}; }
    void showError(QWidget*, const QString& text) override { shown << Shown{true, text}; }
    QStringList messages() const { return texts(false); }
    QStringList errors() const { return texts(true); }
    QStringList texts(bool errors) const {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.error == errors)
                texts << s.text;
        return texts;
    }
    QList<Shown> shown;
};

}  // namespace lattora::test
