// Shortcuts that start the program: desktop entries on the user's desktop
// and in the applications menu (the "start menu").
#pragma once

#include <QString>

class QWidget;

namespace lattora {

class MessageBoxes;

// The two places a shortcut can go.
inline const QString kDesktopFolderKey = QStringLiteral("Desktop");
inline const QString kStartMenuFolderKey = QStringLiteral("StartMenu");
// What the user is told when a shortcut of that name is already there.
inline const QString kAlreadyExistMessage = QStringLiteral("Already Exist");

class ShortcutFolders {
public:
    virtual ~ShortcutFolders() = default;
    // The folder shown as the user's desktop.
    virtual QString desktop() const = 0;
    // The folder the applications menu reads the user's own entries from.
    virtual QString startMenu() const = 0;
};

// The desktop's own folders: the desktop as the user directories name it
// ($XDG_CONFIG_HOME/user-dirs.dirs, otherwise ~/Desktop) and the menu's
// entries in $XDG_DATA_HOME/applications (otherwise
// ~/.local/share/applications). Read anew on every call.
class XdgShortcutFolders : public ShortcutFolders {
public:
    QString desktop() const override;
    QString startMenu() const override;
};

// The folder `folderKey` ("Desktop" or "StartMenu") names; any other key
// raises Error.
QString shortcutFolder(const QString& folderKey, const ShortcutFolders& folders);

// `program` as the Exec= line of a desktop entry needs it: quoted when it
// holds a space or another character the line reserves, and escaped as
// every string value is.
QString execValue(const QString& program);

// A desktop entry that starts `target` in its own folder, named `name`,
// with the icon `icon` (a file path or a theme name).
QString desktopEntryText(const QString& target, const QString& name, const QString& icon);

// Writes "<shortcutName>.desktop", which starts `target`, into the folder
// `folderKey` names, making the folder if it is missing. An entry of that
// name already there is left as it is and the user is told so over `parent`.
// A folder that cannot be made or written to raises Error naming the path
// and the reason.
void CreateProgramShortcut(const QString& folderKey, const QString& target,
                           const QString& shortcutName, const ShortcutFolders& folders,
                           MessageBoxes& boxes, QWidget* parent = nullptr);

}  // namespace lattora
