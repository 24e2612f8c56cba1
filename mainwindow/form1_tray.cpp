// Going to the system tray and coming back from it.
#include <QScreen>

#include "mainwindow/form1.h"

namespace lattora {

namespace {

const QString kTrayNoticeMessage =
    QStringLiteral("Double-click (Single-click) to show window again");

}  // namespace

void Form1::setTrayIcon(TrayIcon& tray) {
    if (trayIcon_ != nullptr && trayIcon_ != &tray) {
        trayIcon_->onActivated = nullptr;
    }
    trayIcon_ = &tray;
    trayIcon_->onActivated = [this] { TrayIcon_Click(); };
}

void Form1::PushButton1_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton1_Click"), this);
    bool trayAvailable = false;
    scope([&] { trayAvailable = trayIcon_->available(); });
    if (!trayAvailable) {
        // No tray to come back from: the window goes to the task bar as any
        // other would, and no notice promises what cannot happen.
        scope([&] { showMinimized(); });
        return;
    }
    // Without its icon in the tray a hidden window could not be found again.
    if (!scope([&] { trayIcon_->show(); })) {
        return;
    }
    scope([&] {
        if (!notice_->loaded()) {
            notice_->Form_Load();
        }
        notice_->setMessage(kTrayNoticeMessage);
    });
    scope([&] { notice_->showOn(screen()); });
    scope([&] { hide(); });
}

void Form1::TrayIcon_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("TrayIcon_Click"), this);
    scope([&] {
        showNormal();
        raise();
        activateWindow();
    });
    // Its work is done once the window is back.
    scope([&] { notice_->Form_Unload(); });
    scope([&] { trayIcon_->hide(); });
}

}  // namespace lattora
