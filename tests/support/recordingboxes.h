// Message boxes for tests: recorded, never shown, answered at once.
#pragma once

#include <QList>
#include <QString>

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

    QStringList messages() const {
        QStringList texts;
        for (const Shown& s : shown) {
            if (!s.error) {
                texts << s.text;
            }
        }
        return texts;
    }
    QStringList errors() const {
        QStringList texts;
        for (const Shown& s : shown) {
            if (s.error) {
                texts << s.text;
            }
        }
        return texts;
    }

    QList<Shown> shown;
};

}  // namespace lattora::test
