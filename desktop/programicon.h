// The program's icon: compiled in for the windows, and shipped as a file next
// to the program for the desktop entries that start it.
#pragma once

#include <QIcon>
#include <QString>

namespace lattora {

// The icon's file name next to the program, and its name in an icon theme.
inline const QString kIconFileName = QStringLiteral("lattora.svg");
inline const QString kIconThemeName = QStringLiteral("lattora");

// The icon the windows show.
QIcon programIcon();

// What a desktop entry's Icon= should name for the program in
// `programFolder`: the icon file beside it when there is one, otherwise the
// theme name, which an installed icon answers to.
QString desktopEntryIcon(const QString& programFolder);

}  // namespace lattora
