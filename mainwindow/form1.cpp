// Start-up, the scale lists, the field handlers and the "Lines" box.
#include "mainwindow/form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QWindow>
#include <QtEndian>
#include <algorithm>

#include "desktop/programicon.h"
#include "mainwindow/previewpane.h"
#include "platform/output/qtcolor.h"
#include "platform/print/printdialog.h"
#include "platform/ui/messageboxes.h"
#include "platform/ui/widgetfactory.h"
#include "render/scalecatalogue.h"
#include "sheet/error.h"
#include "sheet/settingkeys.h"
#include "sheet/settingsstore.h"
#include "validation/validation.h"

namespace lattora {

namespace {

// An entry that can be read as a file: never raises.
bool FileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
    }
    return file.readAll();
}

// A cursor file names the pixel that points (its hot spot) in the header of
// its first image; Qt's image reader keeps only the pixels.
std::optional<QPoint> cursorHotSpot(const QByteArray& data) {
    constexpr int kHeaderSize = 6;
    constexpr int kEntrySize = 16;
    constexpr quint16 kCursorType = 2;
    if (data.size() < kHeaderSize + kEntrySize) {
        return std::nullopt;
    }
    const auto word = [&](int offset) {
        return qFromLittleEndian<quint16>(data.constData() + offset);
    };
    if (word(0) != 0 || word(2) != kCursorType || word(4) == 0) {
        return std::nullopt;
    }
    return QPoint(word(kHeaderSize + 4), word(kHeaderSize + 6));
}

QCursor loadCursor(const QString& path) {
    const QByteArray data = readWholeFile(path);
    QImage image;
    if (!image.loadFromData(data, "cur") && !image.loadFromData(data, "ico")) {
        throw Error(QStringLiteral("Invalid picture: \"%1\"").arg(path));
    }
    const std::optional<QPoint> hotSpot = cursorHotSpot(data);
    if (!hotSpot) {
        return QCursor(QPixmap::fromImage(image));
    }
    return QCursor(QPixmap::fromImage(image), std::clamp(hotSpot->x(), 0, image.width() - 1),
                   std::clamp(hotSpot->y(), 0, image.height() - 1));
}

QString passedOverText(const QString& file, const QStringList& passedOver) {
    QString text =
        file.isEmpty()
            ? QStringLiteral("Some settings could not be read and were ignored:\n")
            : QStringLiteral("Some settings in %1 could not be read and were ignored:\n").arg(file);
    for (const QString& entry : passedOver) {
        text += QStringLiteral("\n\u2022 ") + entry;
    }
    return text + QStringLiteral("\n\nThe file stays as it is until a change is saved.");
}

QPixmap swatch(ColorValue color) {
    QPixmap pixmap(36, 14);
    pixmap.fill(qColorFromValue(color));
    return pixmap;
}

}  // namespace

Form1::Form1(SettingsStore& store, Printer& printer, MessageBoxes& boxes, ColorChooser& chooser,
             QWidget* parent, QString programFolder)
    : QWidget(parent),
      store_(store),
      printer_(printer),
      report_(boxes),
      programFolder_(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                             : std::move(programFolder)) {
    setObjectName(kWindowName);
    setWindowTitle(kApplicationTitle);
    config_ = std::make_unique<FrmConfig>(store_, report_);
    styles_ = std::make_unique<FrmStyles>(store_, report_, chooser);
    shortcuts_ = std::make_unique<FrmShortcuts>(report_);
    notice_ = std::make_unique<Form2>(report_);
    desktopTray_ = std::make_unique<QtTrayIcon>(programIcon(), kApplicationTitle);
    setTrayIcon(*desktopTray_);
    inputs_ = std::make_unique<DialogInputs>(*styles_, *config_);
    graph_ = std::make_unique<Graph>(store_, *inputs_);
    ownPrintDialog_ = std::make_unique<QtPrintDialog>();
    printDialog_ = ownPrintDialog_.get();
    connect(
        styles_.get(), &FrmStyles::linesShown, this,
        [this](const LineColors& colors, const LineWidths& widths) { showLines(colors, widths); });
    modalRunner_ = [this](QDialog& dialog) {
        // The dialogs are separate windows; keep them above this one.
        dialog.winId();
        if (QWindow* own = window()->windowHandle(); own != nullptr && dialog.windowHandle()) {
            dialog.windowHandle()->setTransientParent(own);
        }
        return dialog.exec();
    };
    buildControls();
    // Until a line set is loaded from the store the box shows the colours and
    // widths the grid is drawn with.
    showLines(styles_->currentLineColors(), {});
    connectHandlers();
    connectPreviewMouse();
}

Form1::~Form1() = default;

void Form1::setModalRunner(ModalRunner runner) {
    modalRunner_ = std::move(runner);
}

int Form1::showModal(QDialog& dialog) {
    return modalRunner_ ? modalRunner_(dialog) : dialog.exec();
}

void Form1::Form_Load() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Form_Load"), this);
    // Everything the settings could not give, from the store and from both
    // dialogs' loads, is told in one box once the window is drawn.
    QStringList passedOver;
    scope([&] { passedOver = store_.passedOver(); });
    scope([&] { ApplySkin(); });
    scope([&] { LoadPointer(); });
    scope([&] { setWindowTitle(kApplicationTitle); });
    scope([&] {
        fillingLists_ = true;
        const auto done = qScopeGuard([this] { fillingLists_ = false; });
        InitControls();
    });
    scope([&] { UpdatePaper(); });
    scope([&] { config_->LoadSettings(&passedOver); });
    scope([&] { styles_->LoadSettings(&passedOver); });
    scope([&] { PushButton18_Click(); });
    scope([&] { MapPreviewToActual(); });
    scope([&] { DrawPaper(); });
    if (!passedOver.isEmpty()) {
        scope([&] {
            report_.boxes().showMessage(this, passedOverText(store_.fileName(), passedOver));
        });
    }
}

void Form1::ApplySkin() {
    const QString path = QDir(programFolder_).filePath(kSkinFile);
    if (!FileExists(path)) {
        return;
    }
    // The skin is a style sheet for this window and everything on it; the
    // dialogs keep the desktop's look.
    setStyleSheet(QString::fromUtf8(readWholeFile(path)));
}

void Form1::LoadPointer() {
    // Qt shows a widget's own pointer while the mouse is over it and puts the
    // busy pointer above every widget's, so the buttons simply carry it.
    const auto point = [this](const QCursor& pointer) {
        for (const QWidget* window : std::initializer_list<const QWidget*>{
                 this, config_.get(), styles_.get(), shortcuts_.get()}) {
            WidgetFactory::setButtonPointer(window, pointer);
        }
        cbZoom_->setCursor(pointer);
    };
    // Without a pointer file of its own (or with one that cannot be read)
    // the buttons point with the desktop's hand.
    point(QCursor(Qt::PointingHandCursor));
    const QString path = QDir(programFolder_).filePath(kPointerFile);
    if (!FileExists(path)) {
        return;
    }
    customPointer_ = loadCursor(path);
    point(*customPointer_);
}

void Form1::InitControls() {
    for (auto [family, handler] : {std::pair{cbAbsScale_, &Form1::cbAbsScale_Click},
                                   std::pair{cbOrdScale_, &Form1::cbOrdScale_Click}}) {
        {
            const QSignalBlocker blocker(family);
            family->clear();
            family->addItems(familyTexts());
            family->setCurrentIndex(0);
        }
        // Choosing the first family is a choice like the user's: its items
        // are filled as by a click.
        (this->*handler)();
    }
    sheet_.abscissa.divisions = 30;
    sheet_.ordinate.divisions = 30;
    absPlace_->setCurrentWidget(cbAbsDiv_);
    ordPlace_->setCurrentWidget(cbOrdDiv_);
}

void Form1::fillItems(QComboBox* family, QComboBox* items, QStackedWidget* place, QWidget* nPanel) {
    // Filling the list with its signals on would redraw for the clearing,
    // for the first item and for the chosen one; the click handler draws once
    // when the list is complete instead.
    const QSignalBlocker blocker(items);
    items->clear();
    place->setCurrentWidget(items);
    const int index = family->currentIndex();
    const ScaleFamily* entry = scaleFamily(index);
    if (entry == nullptr) {
        return;
    }
    if (entry->items.empty()) {
        // "N divided": the N field and its Apply take the list's place, and
        // the drawing reads item -1 from the empty list.
        place->setCurrentWidget(nPanel);
        return;
    }
    items->addItems(itemTexts(index));
    items->setCurrentIndex(entry->selectedAfterFilling);
}

void Form1::scaleClicked(const char* handler, QComboBox* family, QComboBox* items,
                         QStackedWidget* place, QWidget* nPanel) {
    ReportingScope scope(report_, kWindowName, QLatin1String(handler), this);
    scope([&] { fillItems(family, items, place, nPanel); });
    scope([&] { DrawPaper(); });
}

void Form1::cbAbsScale_Click() {
    scaleClicked("cbAbsScale_Click", cbAbsScale_, cbAbsDiv_, absPlace_, pbAbsNDiv_);
}

void Form1::cbOrdScale_Click() {
    scaleClicked("cbOrdScale_Click", cbOrdScale_, cbOrdDiv_, ordPlace_, pbOrdNDiv_);
}

void Form1::cbAbsDiv_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("cbAbsDiv_Click"), this);
    scope([&] { DrawPaper(); });
}

void Form1::cbOrdDiv_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("cbOrdDiv_Click"), this);
    scope([&] { DrawPaper(); });
}

void Form1::takeScalesFromLists() {
    const auto index = [](const QComboBox* list) {
        return static_cast<std::int16_t>(list->currentIndex());
    };
    sheet_.abscissa.family = index(cbAbsScale_);
    sheet_.abscissa.item = index(cbAbsDiv_);
    sheet_.ordinate.family = index(cbOrdScale_);
    sheet_.ordinate.item = index(cbOrdDiv_);
}

void Form1::fieldChanged(const char* handler) {
    ReportingScope scope(report_, kWindowName, QLatin1String(handler), this);
    // Live colouring only; the commands read the texts when they run.
    scope([&] { DoControlValidationColor(this); });
}

void Form1::tAbsDiv_Change() {
    fieldChanged("tAbsDiv_Change");
}

void Form1::tOrdDiv_Change() {
    fieldChanged("tOrdDiv_Change");
}

void Form1::tMarginLeft_Change() {
    fieldChanged("tMarginLeft_Change");
}

void Form1::tSizeWidth_Change() {
    fieldChanged("tSizeWidth_Change");
}

void Form1::tSizeHeight_Change() {
    fieldChanged("tSizeHeight_Change");
}

void Form1::cbZoom_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("cbZoom_Click"), this);
    scope([&] {
        sheet_.zoomed = cbZoom_->isChecked();
        // Both pictures are current; only which one shows changes.
        preview_->setZoomed(sheet_.zoomed);
    });
}

void Form1::showLines(const LineColors& colors, const LineWidths& widths) {
    const ColorValue shownColors[] = {colors.heavyColor, colors.mediumColor, colors.lightColor};
    storedWidths_ = widths;
    const QString shownWidths[] = {widths.heavy, widths.medium, widths.light};
    const QString keys[] = {Key::StyleWidthHeavy, Key::StyleWidthMedium, Key::StyleWidthLight};
    for (int i = 0; i < 3; ++i) {
        lineColor_[i]->setPixmap(swatch(shownColors[i]));
        lineColor_[i]->setProperty("colorValue", static_cast<uint>(shownColors[i]));
        // Where no width is stored the grid is drawn with the default one.
        lineWeight_[i]->setText(shownWidths[i].isEmpty()
                                    ? settingDefault(keys[i], unitSystem(store_))
                                    : shownWidths[i]);
    }
}

void Form1::Form_Unload() {
    // The other windows go with the main one and the program ends, even with
    // a notice still on screen; the sheet is never saved.
    config_->hide();
    styles_->hide();
    shortcuts_->hide();
    notice_->Form_Unload();
    trayIcon_->hide();
    if (quit_) {
        quit_();
    } else {
        QCoreApplication::quit();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Form_Unload"), this);
    scope([&] { Form_Unload(); });
    event->accept();
}

}  // namespace lattora
