#include "platform/messageboxes.h"

#include <QMessageBox>

namespace lattora {

void QtMessageBoxes::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtMessageBoxes::showError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, kErrorReportTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace lattora
