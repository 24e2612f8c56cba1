#include "platform/ui/trayicon.h"

#include <QSystemTrayIcon>

namespace lattora {

namespace {

// The context menu and the middle button are left to the desktop.
bool isClickOrDoubleClick(QSystemTrayIcon::ActivationReason reason) {
    return reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick;
}

}  // namespace

QtTrayIcon::QtTrayIcon(QIcon icon, QString toolTip)
    : icon_(std::move(icon)), toolTip_(std::move(toolTip)) {}

QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::show() {
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>(icon_);
        tray_->setToolTip(toolTip_);
        QObject::connect(tray_.get(), &QSystemTrayIcon::activated, tray_.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (isClickOrDoubleClick(reason) && onActivated) {
                                 onActivated();
                             }
                         });
    }
    tray_->show();
}

void QtTrayIcon::hide() {
    if (tray_) {
        tray_->hide();
    }
}

}  // namespace lattora
