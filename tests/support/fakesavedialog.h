// A save dialog for tests: answers with a prepared choice or cancels.
#pragma once

#include <optional>

#include "platform/ui/savedialog.h"

namespace lattora::test {

class FakeSaveDialog : public SaveDialog {
public:
    std::optional<SaveChoice> chooseFile(QWidget*, const QString&, const QStringList&,
                                         const QString&) override {
        return answer;
    }
    // Choosing `fileName` with `filter` selected.
    void choose(const QString& fileName, const QString& filter) { answer = {{fileName, filter}}; }

    std::optional<SaveChoice> answer;
};

}  // namespace lattora::test
