#include "sheet/messagetext.h"

namespace lattora {

QString shown(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + shown(text) + QLatin1Char('"');
}

}  // namespace lattora
