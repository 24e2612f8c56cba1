// Readable values in failure messages.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '[' << texts.join(QStringLiteral(", ")).toStdString() << ']';
}

#include "sheet/colorvalue.h"

namespace lattora {
inline void PrintTo(const Rgb& rgb, std::ostream* os) {
    *os << '(' << rgb.red << ", " << rgb.green << ", " << rgb.blue << ')';
}
}  // namespace lattora
