#include "platform/ui/messageboxes.h"

#include <QMessageBox>
#include <memory>

#include "sheet/settingsstore.h"

namespace lattora {

QMessageBox* createMessageBox(QWidget* parent, const QString& text, bool error) {
    auto* box = new QMessageBox(error ? QMessageBox::Warning : QMessageBox::NoIcon,
                                error ? kErrorReportTitle : kApplicationTitle, text,
                                QMessageBox::Ok, parent);
    // Texts quote stored values; they must never be taken for markup.
    box->setTextFormat(Qt::PlainText);
    return box;
}

void QtMessageBoxes::showMessage(QWidget* parent, const QString& text) {
    std::unique_ptr<QMessageBox>(createMessageBox(parent, text, false))->exec();
}

void QtMessageBoxes::showError(QWidget* parent, const QString& text) {
    std::unique_ptr<QMessageBox>(createMessageBox(parent, text, true))->exec();
}

void showSaveNotice(MessageBoxes& boxes, SettingsStore& store, QWidget* parent) {
    if (const QString notice = store.takeSaveNotice(); !notice.isEmpty()) {
        boxes.showMessage(parent, notice);
    }
}

}  // namespace lattora
