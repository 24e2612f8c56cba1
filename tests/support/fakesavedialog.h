// A save dialog for tests: answers with a prepared choice or cancels, and
// keeps the filter it offered first.
#pragma once

#include <optional>

#include "platform/ui/savedialog.h"

namespace lattora::test {

class FakeSaveDialog : public SaveDialog {
public:
    std::optional<SaveChoice> chooseFile(QWidget*, const QString&, const QStringList&,
                                         const QString& defaultFilter) override {
        return this->defaultFilter = defaultFilter, answer;
    }
    // Choosing `fileName` with `filter` selected.
    void choose(const QString& fileName, const QString& filter) { answer = {{fileName, filter}}; }

    std::optional<SaveChoice> answer;
    QString defaultFilter;
};

}  // namespace lattora::test
