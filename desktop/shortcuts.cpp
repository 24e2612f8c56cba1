#include "desktop/shortcuts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "desktop/programicon.h"
#include "platform/ui/messageboxes.h"
#include "sheet/error.h"

namespace lattora {

namespace {

const QString kEntrySuffix = QStringLiteral(".desktop");

// Characters that make an Exec= argument need quotes.
const QString kReservedInExec = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
// Characters that must be escaped inside a quoted Exec= argument.
const QString kEscapedInQuotes = QStringLiteral("\"`$\\");

// The escapes every string value of a desktop entry uses.
QString escapeValue(const QString& value) {
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
            case '\\': escaped += QStringLiteral("\\\\"); break;
            case '\n': escaped += QStringLiteral("\\n"); break;
            case '\t': escaped += QStringLiteral("\\t"); break;
            case '\r': escaped += QStringLiteral("\\r"); break;
            default: escaped += c;
        }
    }
    return escaped;
}

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void makeFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isDir()) {
        return;
    }
    if (info.exists() || info.isSymLink()) {
        throw Error(QStringLiteral("Cannot create the folder \"%1\": a file of that name is in "
                                   "the way")
                        .arg(nativePath(folder)));
    }
    // QDir::mkpath says only that it failed; the user needs to know why.
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error) {
        throw Error(QStringLiteral("Cannot create the folder \"%1\": %2")
                        .arg(nativePath(folder), QString::fromLocal8Bit(error.message())));
    }
}

void writeEntry(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw Error(
            QStringLiteral("Cannot write \"%1\": %2").arg(nativePath(path), file.errorString()));
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        throw Error(
            QStringLiteral("Cannot write \"%1\": %2").arg(nativePath(path), file.errorString()));
    }
    // Desktops start an entry on the desktop only when it is executable: an
    // entry anyone could drop there must not run on a click.
    QFileDevice::Permissions permissions =
        QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (permissions.testFlag(QFileDevice::ReadGroup)) {
        permissions |= QFileDevice::ExeGroup;
    }
    if (permissions.testFlag(QFileDevice::ReadOther)) {
        permissions |= QFileDevice::ExeOther;
    }
    if (!QFile::setPermissions(path, permissions)) {
        throw Error(QStringLiteral("Cannot make \"%1\" executable").arg(nativePath(path)));
    }
}

}  // namespace

QString XdgShortcutFolders::desktop() const {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString XdgShortcutFolders::startMenu() const {
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

QString shortcutFolder(const QString& folderKey, const ShortcutFolders& folders) {
    if (folderKey == kDesktopFolderKey) {
        return folders.desktop();
    }
    if (folderKey == kStartMenuFolderKey) {
        return folders.startMenu();
    }
    throw Error(QStringLiteral("Unknown shortcut folder \"%1\"").arg(folderKey));
}

QString execValue(const QString& program) {
    QString argument;
    const bool quoted = std::any_of(program.begin(), program.end(),
                                    [](QChar c) { return kReservedInExec.contains(c); });
    for (const QChar c : program) {
        if (c == QLatin1Char('%')) {
            // A lone % would start a field code.
            argument += QStringLiteral("%%");
        } else {
            if (quoted && kEscapedInQuotes.contains(c)) {
                argument += QLatin1Char('\\');
            }
            argument += c;
        }
    }
    if (quoted) {
        argument = QLatin1Char('"') + argument + QLatin1Char('"');
    }
    // The quoting rules apply to the value after its string escapes are
    // undone, so those are added last.
    return escapeValue(argument);
}

QString desktopEntryText(const QString& target, const QString& name, const QString& icon) {
    const QString folder = QFileInfo(target).absolutePath();
    QString text;
    const auto line = [&](const char* key, const QString& value) {
        text += QLatin1String(key) + QLatin1Char('=') + value + QLatin1Char('\n');
    };
    text += QStringLiteral("[Desktop Entry]\n");
    line("Type", QStringLiteral("Application"));
    // Every key below is in the first version of the entry rules, which
    // every desktop's validator knows.
    line("Version", QStringLiteral("1.0"));
    line("Name", escapeValue(name));
    line("Comment", QStringLiteral("Design sheets of graph paper and print them"));
    line("Exec", execValue(target));
    line("Icon", escapeValue(icon));
    line("Path", escapeValue(folder));
    line("Terminal", QStringLiteral("false"));
    // One main category, as the packaged entry has: with two the menu may list
    // the program twice.
    line("Categories", QStringLiteral("Graphics;"));
    return text;
}

void CreateProgramShortcut(const QString& folderKey, const QString& target,
                           const QString& shortcutName, const ShortcutFolders& folders,
                           MessageBoxes& boxes, QWidget* parent) {
    const QString folder = shortcutFolder(folderKey, folders);
    if (folder.isEmpty()) {
        throw Error(QStringLiteral("The desktop names no folder for \"%1\"").arg(folderKey));
    }
    const QString path = QDir(folder).filePath(shortcutName + kEntrySuffix);
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        boxes.showMessage(parent, kAlreadyExistMessage);
        return;
    }
    makeFolder(folder);
    const QString icon = desktopEntryIcon(QFileInfo(target).absolutePath());
    writeEntry(path, desktopEntryText(target, shortcutName, icon));
}

}  // namespace lattora
