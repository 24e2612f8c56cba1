#include "desktop/programicon.h"

#include <QDir>
#include <QFileInfo>

namespace lattora {

QIcon programIcon() {
    return QIcon(QStringLiteral(":/lattora/") + kIconFileName);
}

QString desktopEntryIcon(const QString& programFolder) {
    const QFileInfo file(QDir(programFolder).filePath(kIconFileName));
    return file.isFile() ? file.absoluteFilePath() : kIconThemeName;
}

}  // namespace lattora
