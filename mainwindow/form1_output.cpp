// Save and Copy: the sheet as a file of the user's choice, and the full-size
// page picture on the clipboard.
#include <QFileInfo>
#include <functional>
#include <new>
#include <optional>

#include "mainwindow/form1.h"
#include "mainwindow/previewpane.h"
#include "platform/output/bitmapfile.h"
#include "platform/output/sheetfile.h"
#include "platform/print/printer.h"
#include "platform/ui/messageboxes.h"
#include "sheet/error.h"
#include "sheet/settingsstore.h"

namespace lattora {

namespace {

const QString kSaveTitle = QStringLiteral("Save Graph Paper");
const QString kSavedMessage = QStringLiteral("Saved.");
const QString kCopiedMessage =
    QStringLiteral("A copy of the graph paper has been placed in the clipboard");
const QString kClipboardBusyMessage = QStringLiteral(
    "The graph paper could not be placed in the clipboard: it is in use by "
    "another program. Please try again.");

constexpr double kPngDpi = 300;

enum class SavedFormat { Bmp, Pdf, Svg, Png };

std::optional<SavedFormat> formatOfName(const QString& path) {
    static const std::pair<const char*, SavedFormat> kSuffixes[] = {
        {"bmp", SavedFormat::Bmp},
        {"pdf", SavedFormat::Pdf},
        {"svg", SavedFormat::Svg},
        {"png", SavedFormat::Png},
    };
    const QString suffix = QFileInfo(path).suffix();
    for (const auto& [text, format] : kSuffixes) {
        if (suffix.compare(QLatin1String(text), Qt::CaseInsensitive) == 0) {
            return format;
        }
    }
    return std::nullopt;
}

// The name's own extension wins, so "sheet.pdf" is a PDF whatever filter was
// left selected; a name without a known one is written as the filter says.
SavedFormat formatOfChoice(const SaveChoice& choice) {
    if (const auto byName = formatOfName(choice.fileName)) {
        return *byName;
    }
    if (choice.filter == kPdfFilter) {
        return SavedFormat::Pdf;
    }
    if (choice.filter == kSvgFilter) {
        return SavedFormat::Svg;
    }
    if (choice.filter == kPngFilter) {
        return SavedFormat::Png;
    }
    return SavedFormat::Bmp;
}

// PDF, SVG and PNG draw the sheet afresh on the whole paper, as it is
// printed. A PNG is made for printing elsewhere: at 300 dots per inch the
// finest lines still come out whole.
SheetFileFormat fileFormat(SavedFormat format) {
    switch (format) {
        case SavedFormat::Pdf: return SheetFileFormat::Pdf;
        case SavedFormat::Svg: return SheetFileFormat::Svg;
        default: return SheetFileFormat::Png;
    }
}

QString cannotSave(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot save \"%1\": %2").arg(path, reason);
}

}  // namespace

void Form1::PushButton9_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton9_Click"), this);
    std::optional<SaveChoice> choice;
    scope([&] {
        const QString bmp = dialogFilters(kBmpFilter).constFirst();
        choice = saveDialog_->chooseFile(this, kSaveTitle,
                                         {bmp, kPdfFilter, kSvgFilter, kPngFilter}, bmp);
    });
    if (!choice) {
        return;
    }
    // The pictures may lag behind the sheet (a list changed while its
    // handler was held back); the file is to show the sheet as it is now. A
    // sheet that cannot be drawn is not saved half drawn.
    if (!scope([&] { DrawPaper(); })) {
        return;
    }
    // A file that cannot be written is the user's to mend (another name, a
    // folder they may write in), not a fault of the program: it gets a plain
    // box, and the error report stays for real faults.
    std::optional<QString> unsaved;
    const bool saved = scope([&] {
        const QString& path = choice->fileName;
        try {
            const SavedFormat format = formatOfChoice(*choice);
            writeFileWhole(path, [&](QIODevice& file) {
                if (format == SavedFormat::Bmp) {
                    // The full-size page as the preview shows it, at the
                    // screen's density.
                    saveBitmap(preview_->printPicture().image(), file, BitmapFormat::Bmp);
                } else {
                    renderSheetFile(
                        fileFormat(format), printer_.pageSetup(), sheetUnit(unitSystem(store_)),
                        kPngDpi, [this](DrawTarget& target) { drawCorrectedSheet(target); }, file);
                }
            });
        } catch (const FileError& e) {
            unsaved = cannotSave(path, e.description());
        } catch (const std::bad_alloc&) {
            unsaved = cannotSave(path, QStringLiteral("Out of memory"));
        } catch (const Error& e) {
            throw Error(cannotSave(path, e.description()));
        }
    });
    if (saved) {
        scope([&] { report_.boxes().showMessage(this, unsaved.value_or(kSavedMessage)); });
    }
}

void Form1::PushButton6_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton6_Click"), this);
    if (!scope([&] { DrawPaper(); })) {
        return;
    }
    scope([&] {
        // Whatever the clipboard held is replaced in any case, so a clear
        // that never succeeds does not stop the copy.
        ClipboardClearRetry(*clipboard_);
        // The same picture Save writes, with its palette.
        if (ClipboardSetDataRetry(*clipboard_, indexedPicture(preview_->printPicture().image()),
                                  0)) {
            report_.boxes().showMessage(this, kCopiedMessage);
        } else {
            report_.boxes().showError(this, kClipboardBusyMessage);
        }
    });
}

}  // namespace lattora
