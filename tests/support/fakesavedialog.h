// A save dialog for tests: answers with a prepared choice or cancels, and
// keeps what it was asked.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/ui/savedialog.h"

namespace lattora::test {

class FakeSaveDialog : public SaveDialog {
public:
    std::optional<SaveChoice> chooseFile(QWidget*, const QString& title, const QStringList& filters,
                                         const QString& defaultFilter) override {
        ++shown;
        this->title = title;
        this->filters = filters;
        this->defaultFilter = defaultFilter;
        return answer;
    }

    // Choosing `fileName` with `filter` selected, or cancelling.
    void choose(const QString& fileName, const QString& filter) {
        answer = SaveChoice{fileName, filter};
    }
    void cancel() { answer.reset(); }

    std::optional<SaveChoice> answer;
    int shown = 0;
    QString title;
    QStringList filters;
    QString defaultFilter;
};

}  // namespace lattora::test
