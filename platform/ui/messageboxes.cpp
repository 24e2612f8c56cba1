#include "platform/ui/messageboxes.h"

#include <QEvent>
#include <QMessageBox>
#include <QTimer>
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

void BoxesAfterFirstPaint::holdUntilPainted(QWidget& window) {
    window_ = &window;
    window.installEventFilter(this);
}

void BoxesAfterFirstPaint::showMessage(QWidget* parent, const QString& text) {
    if (window_ || releasing_) {
        held_.append({false, parent, text});
    } else {
        boxes_.showMessage(parent, text);
    }
}

void BoxesAfterFirstPaint::showError(QWidget* parent, const QString& text) {
    if (window_ || releasing_) {
        held_.append({true, parent, text});
    } else {
        boxes_.showError(parent, text);
    }
}

bool BoxesAfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Paint) {
        window_->removeEventFilter(this);
        window_ = nullptr;
        // Not inside the paint: a box runs an event loop of its own.
        QTimer::singleShot(0, this, [this] { release(); });
    }
    return false;
}

void BoxesAfterFirstPaint::release() {
    // A box raised while the held ones are shown waits its turn behind them.
    releasing_ = true;
    while (!held_.isEmpty()) {
        const Held box = held_.takeFirst();
        if (box.error) {
            boxes_.showError(box.parent, box.text);
        } else {
            boxes_.showMessage(box.parent, box.text);
        }
    }
    releasing_ = false;
}

void showSaveNotice(MessageBoxes& boxes, SettingsStore& store, QWidget* parent) {
    if (const QString notice = store.takeSaveNotice(); !notice.isEmpty()) {
        boxes.showMessage(parent, notice);
    }
}

}  // namespace lattora
