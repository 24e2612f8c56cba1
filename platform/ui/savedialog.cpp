#include "platform/ui/savedialog.h"

#include <QFileDialog>

#include "sheet/error.h"

namespace lattora {

QStringList dialogFilters(const QString& kept) {
    QStringList parts = kept.split(QLatin1Char('|'));
    // The separator after the last pattern leaves one empty part behind.
    if (!parts.isEmpty() && parts.last().isEmpty()) {
        parts.removeLast();
    }
    if (parts.size() % 2 != 0) {
        throw Error(QStringLiteral("The file filter \"%1\" names no file pattern for \"%2\"")
                        .arg(kept, parts.last()));
    }
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        if (description.isEmpty() || patterns.trimmed().isEmpty()) {
            throw Error(QStringLiteral("The file filter \"%1\" has an empty part").arg(kept));
        }
        // The dialog reads the patterns from the parentheses at the end of
        // the description; most descriptions already show them.
        if (description.endsWith(QStringLiteral("(%1)").arg(patterns))) {
            filters << description;
        } else {
            filters << QStringLiteral("%1 (%2)").arg(description, patterns);
        }
    }
    return filters;
}

std::optional<SaveChoice> QtSaveDialog::chooseFile(QWidget* parent, const QString& title,
                                                   const QStringList& filters,
                                                   const QString& defaultFilter) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(defaultFilter);
    // An empty default suffix: a name typed without an extension is kept as
    // it is, and the chosen filter tells what to write.
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return SaveChoice{dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

}  // namespace lattora
