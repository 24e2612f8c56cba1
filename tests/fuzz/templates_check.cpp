// The template-list reader against a model written from its documented
// behaviour, the stored text read back, and every colour string decoded,
// written and decoded again.
#include <QStringList>

#include "linesets/templates.h"
#include "tests/fuzz/entries.h"

namespace lattora::fuzz {

QString checkTemplates(Bytes input) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(input.data()), std::ssize(input));
    // A line ends at CR LF only (a lone CR or LF is part of it); an empty line
    // is no set; a line without "~" carries the colours of the set before it.
    LineSetList model, storable;
    QString carried;
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(QLatin1Char('~'));
        carried = parts.value(1, carried);
        model.append({parts[0], carried});
        storable.append({storableLineSetName(parts[0]), carried});
    }
    const LineSetList sets = LoadTemplatesFromString(text);
    // Stored and read again, each name comes back made storable and every
    // colour string as it was; storing again changes nothing.
    const QString stored = TemplatesToString(sets);
    const LineSetList reread = LoadTemplatesFromString(stored);
    if (sets != model || reread != storable || TemplatesToString(reread) != stored) {
        return QStringLiteral("%1 read, or stored as %2, is not its lines")
            .arg(describe(text), describe(stored));
    }
    // Whatever a colour string decodes to is written out and read back
    // unchanged and without complaint; each of the four colours complains
    // at most once.
    QStringList strings{text};
    for (const LineSet& set : sets)
        strings << set.colorString;
    strings.removeDuplicates();
    for (const QString& colours : strings) {
        LineColors decoded, again;
        const qsizetype problems = DecodeColorString(colours, decoded).size();
        const QString written = GetCurrentColorString(decoded);
        if (problems > 4 || !DecodeColorString(written, again).isEmpty() || again != decoded) {
            return QStringLiteral("colour string %1 written as %2 does not read back")
                .arg(describe(colours), describe(written));
        }
    }
    return {};
}

}  // namespace lattora::fuzz
