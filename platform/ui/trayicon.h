// The program's icon in the desktop's notification area (the system tray),
// behind an interface so that tests stand in for the desktop.
#pragma once

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

class QSystemTrayIcon;

namespace lattora {

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Whether the desktop has a tray to put the icon in at all.
    virtual bool available() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;

    // Called when the user clicks or double-clicks the icon.
    std::function<void()> onActivated;
};

class QtTrayIcon : public TrayIcon {
public:
    QtTrayIcon(QIcon icon, QString toolTip);
    ~QtTrayIcon() override;

    bool available() const override;
    void show() override;
    void hide() override;

private:
    QIcon icon_;
    QString toolTip_;
    // Made on first show: until then the desktop is not asked for anything.
    std::unique_ptr<QSystemTrayIcon> tray_;
};

}  // namespace lattora
