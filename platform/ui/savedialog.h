// Choosing the file a sheet is saved to, behind an interface tests answer.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace lattora {

// The bitmap filter as the program keeps it: description, "|", patterns,
// "|". The trailing separator belongs to the text.
inline const QString kBmpFilter = QStringLiteral("BMP File (*.bmp)|*.bmp|");
// The other file types a sheet is saved as, already in the dialog's form.
inline const QString kPdfFilter = QStringLiteral("PDF File (*.pdf)");
inline const QString kSvgFilter = QStringLiteral("SVG File (*.svg)");
inline const QString kPngFilter = QStringLiteral("PNG File (*.png)");

// The dialog's filters for a kept filter text of one or more
// "description|patterns|" pairs: "BMP File (*.bmp)|*.bmp|" gives
// "BMP File (*.bmp)". Patterns the description does not show are added in
// parentheses, and ";" between patterns becomes a space, as the dialog wants
// them. Raises Error for a description without patterns or a pair without a
// description.
QStringList dialogFilters(const QString& kept);

struct SaveChoice {
    QString fileName;  // exactly as chosen or typed
    QString filter;    // the filter selected when the choice was made
};

class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // Asks for a file to save to, offering `filters` with `defaultFilter`
    // selected. Nothing when the user cancels.
    virtual std::optional<SaveChoice> chooseFile(QWidget* parent, const QString& title,
                                                 const QStringList& filters,
                                                 const QString& defaultFilter) = 0;
};

// A modal QFileDialog for saving. The name is handed back as typed: the
// dialog is given no default suffix, so "sheet" stays "sheet".
class QtSaveDialog : public SaveDialog {
public:
    std::optional<SaveChoice> chooseFile(QWidget* parent, const QString& title,
                                         const QStringList& filters,
                                         const QString& defaultFilter) override;
};

}  // namespace lattora
