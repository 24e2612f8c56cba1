// What the desktop tests share: a home of their own, and desktop entries
// read back.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <array>
#include <optional>

namespace lattora::test {

// HOME, XDG_CONFIG_HOME and XDG_DATA_HOME point into a fresh temporary folder
// until the object goes, so nothing a test does reaches the user's desktop or
// menu.
class TempHome {
public:
    TempHome() {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            if (qEnvironmentVariableIsSet(kVariables[i])) {
                saved_[i] = qgetenv(kVariables[i]);
            }
        }
        QDir(root_.path()).mkpath(QStringLiteral("home"));
        QDir(root_.path()).mkpath(QStringLiteral("config"));
        qputenv("HOME", QFile::encodeName(home()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data()));
    }
    ~TempHome() {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            if (saved_[i]) {
                qputenv(kVariables[i], *saved_[i]);
            } else {
                qunsetenv(kVariables[i]);
            }
        }
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path(const QString& relative) const { return root_.filePath(relative); }
    QString home() const { return path(QStringLiteral("home")); }
    QString config() const { return path(QStringLiteral("config")); }
    QString data() const { return path(QStringLiteral("data")); }

    // Names the desktop folder in the user directories file, as the desktop's
    // own tools write it.
    void nameDesktop(const QString& underHome) const {
        QFile file(QDir(config()).filePath(QStringLiteral("user-dirs.dirs")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write("# written by a test\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
            file.write("XDG_DESKTOP_DIR=\"$HOME/" + underHome.toUtf8() + "\"\n");
        }
    }

private:
    static constexpr std::array<const char*, 3> kVariables = {"HOME", "XDG_CONFIG_HOME",
                                                              "XDG_DATA_HOME"};
    QTemporaryDir root_;
    std::array<std::optional<QByteArray>, 3> saved_;
};

// The keys of the "[Desktop Entry]" group of the entry at `path`, values as
// written; a file that does not start with that group gives nothing.
inline QMap<QString, QString> readEntry(const QString& path) {
    QFile file(path);
    QMap<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly)) {
        return keys;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (lines.value(0) != QStringLiteral("[Desktop Entry]")) {
        return keys;
    }
    for (const QString& line : lines.mid(1)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) {
            keys.insert(line.left(equals), line.mid(equals + 1));
        }
    }
    return keys;
}

}  // namespace lattora::test
