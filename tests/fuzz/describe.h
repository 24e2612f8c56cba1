// How the checks quote the input in what they report: short, one line, every
// control character visible, so a report stays readable whatever the fuzzer
// made up.
#pragma once

#include <QString>

namespace lattora::fuzz {

inline QString describe(const QString& text) {
    constexpr qsizetype kShown = 60;
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size() && i < kShown; ++i) {
        const QChar c = text.at(i);
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            out += c;
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
    if (text.size() > kShown) {
        out += QStringLiteral("... (%1 characters)").arg(text.size());
    }
    return out;
}

}  // namespace lattora::fuzz
