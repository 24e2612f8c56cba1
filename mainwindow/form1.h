// The main window: the scale lists of both axes, the layout fields and
// commands, the printer page, the "Lines" box, the buttons that open the
// dialogs, and the preview of the sheet.
//
// Every handler runs its statements through the common error report, so a
// failing statement is reported and the handler goes on with the next one;
// nothing a user does here can end the program.
#pragma once

#include <QCursor>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "config/frmconfig.h"
#include "desktop/frmshortcuts.h"
#include "linesets/frmstyles.h"
#include "mainwindow/dialoginputs.h"
#include "mainwindow/form2.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/errorreport.h"
#include "platform/ui/savedialog.h"
#include "platform/ui/trayicon.h"
#include "render/graph.h"
#include "sheet/sheetsettings.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;
class QStackedWidget;

namespace lattora {

class ColorChooser;
class MessageBoxes;
class PreviewPane;
class PrintDialog;
class Printer;
class SettingsStore;

// A printable extent as the page labels show it: rounded to hundredths, half
// to even, with no trailing zeros ("21", "20.3").
QString extentText(float extent);

class Form1 : public QWidget {
    Q_OBJECT

public:
    // The name the error report gives this window.
    static inline const QString kWindowName = QStringLiteral("Form1");
    // Files the program looks for in its own folder at start-up.
    static inline const QString kSkinFile = QStringLiteral("x/o.cjs");
    static inline const QString kPointerFile = QStringLiteral("HAND-M.CUR");
    // Where the help notice sends the user's questions.
    static inline const QString kContactAddress =
        QStringLiteral("https://tarnhill.example/contact");

    // Shows a dialog modally and returns its result.
    using ModalRunner = std::function<int(QDialog&)>;

    // Builds the window and its hidden dialogs; Form_Load, called once
    // before the window is shown, lays out and draws the sheet. Every
    // service must outlive the window. `programFolder` is where the skin and
    // the pointer file are looked for; empty means the folder of the
    // executable.
    Form1(SettingsStore& store, Printer& printer, MessageBoxes& boxes, ColorChooser& chooser,
          QWidget* parent = nullptr, QString programFolder = {});
    ~Form1() override;

    // Replaces how the two dialogs are shown (QDialog::exec by default), so
    // that a caller can answer them instead of a person.
    void setModalRunner(ModalRunner runner);
    // What ends the program once the window is unloaded; by default the
    // application quits, whatever other windows are still open.
    void setQuitter(std::function<void()> quit) { quit_ = std::move(quit); }
    // Replaces the desktop's printer dialog.
    void setPrintDialog(PrintDialog& dialog) { printDialog_ = &dialog; }
    // Replace the file dialog of Save and the clipboard of Copy; each must
    // outlive the window.
    void setSaveDialog(SaveDialog& dialog) { saveDialog_ = &dialog; }
    void setClipboard(Clipboard& clipboard) { clipboard_ = &clipboard; }
    // Replaces the desktop's system tray; it must outlive the window.
    void setTrayIcon(TrayIcon& tray);

    // Start-up: skin, pointer, title, lists, page, both dialogs' settings,
    // standard margins, the layout fields and the first drawing. Each step is
    // reported on its own and the next one still runs. The settings that
    // could not be read (see SettingsStore::passedOver) and the problems of
    // both dialogs' loads are told last, together in one message box. Kept
    // apart from the constructor so that a caller can first choose how
    // dialogs are shown and watch the window; its reports may already need a
    // person.
    void Form_Load();
    // Fills both family lists (items follow), N = 30 on both axes, N panels
    // hidden.
    void InitControls();

    // The scale lists.
    void cbAbsScale_Click();
    void cbOrdScale_Click();
    void cbAbsDiv_Click();
    void cbOrdDiv_Click();

    // Typing in a checked field recolours the window's fields. The top margin
    // has no such handler: it is recoloured with the others.
    void tAbsDiv_Change();
    void tOrdDiv_Change();
    void tMarginLeft_Change();
    void tSizeWidth_Change();
    void tSizeHeight_Change();

    // Layout commands.
    void PushButton2_Click();   // Apply margins
    void PushButton3_Click();   // Apply size
    void PushButton4_Click();   // Apply abscissa N
    void PushButton7_Click();   // Apply ordinate N
    void PushButton10_Click();  // Center Horizontally: the same space above and below
    void PushButton11_Click();  // Center Verically: the same space left and right
    void PushButton14_Click();  // Full Paper
    void PushButton18_Click();  // Standard Margins
    void rbPortrait_Click();
    void rbLandscape_Click();

    // Dialog and program commands.
    void PushButton5_Click();   // Change (line sets)
    void pConfig_Click();       // Configuration (PushButton12)
    void PushButton15_Click();  // Help
    void PushButton13_Click();  // Exit
    // Output.
    void PushButton8_Click();   // Print
    void PushButton16_Click();  // Printer Setup
    void PushButton6_Click();   // Copy
    void PushButton9_Click();   // Save
    // The system tray and the desktop shortcuts.
    void PushButton1_Click();   // Minimize To System Tray
    void PushButton17_Click();  // Shortcuts
    // A click on the program's tray icon brings the window back.
    void TrayIcon_Click();

    void cbZoom_Click();

    // Dragging on the preview, positions in twips relative to the surface
    // that raised the event: a press anywhere on the page picture moves the
    // graph area, the handles resize it, the full-size page is panned. The
    // grid is redrawn only at a release on the page picture or a handle.
    void pPaper_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    void pPaper_MouseMove(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    void pPaper_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    void pSize_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, float x,
                         float y);
    void pSize_MouseMove(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, float x,
                         float y);
    void pSize_MouseUp(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, float x,
                       float y);
    void pPrint_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    void pPrint_MouseMove(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    void pPrint_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    // The pointer over a frame or the window's background: the graph area
    // shows its plain outline and no handles.
    void Frame_MouseMove();
    bool dragActive() const { return dragActive_; }

    // The procedures below have no report of their own: a failure leaves them
    // at once (as Error) and reaches the handler that called them.

    // The page picture after the printer's paper, the printer's unit after
    // the unit system, the extent labels, unit captions and orientation.
    void UpdatePaper();
    // Sheet lengths to the outline on the page picture.
    void MapActualToPreview();
    // Outline to sheet lengths and the four layout fields.
    void MapPreviewToActual();
    // Redraws both previews from the sheet.
    void DrawPaper();
    // Prints one page on the current printer; a failure abandons the job, so
    // nothing half drawn reaches the paper.
    void PrintPaper();

    // Closing the window: hides the dialogs; nothing is saved.
    void Form_Unload();

    const SheetSettings& sheet() const { return sheet_; }
    PreviewPane& preview() const { return *preview_; }
    FrmConfig& configDialog() const { return *config_; }
    FrmStyles& stylesDialog() const { return *styles_; }
    // The pointer loaded from the program folder, if any.
    const std::optional<QCursor>& customPointer() const { return customPointer_; }
    FrmShortcuts& shortcutsDialog() const { return *shortcuts_; }
    Form2& trayNotice() const { return *notice_; }

Q_SIGNALS:
    // Both previews were drawn anew (also after a failure part-way).
    void paperDrawn();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first time, the window takes the size it asks for, as far as the
    // screen allows.
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildAxisGroup(bool abscissa);
    QWidget* buildLinesGroup();
    QWidget* buildOutlineFrame();
    QWidget* buildPrintingPageFrame();
    QWidget* buildOutputFrame();
    QWidget* buildGeneralFrame();
    void connectHandlers();
    void connectPreviewMouse();

    void ApplySkin();
    void LoadPointer();
    void fillItems(QComboBox* family, QComboBox* items, QStackedWidget* place, QWidget* nPanel);
    void scaleClicked(const char* handler, QComboBox* family, QComboBox* items,
                      QStackedWidget* place, QWidget* nPanel);
    void fieldChanged(const char* handler);
    void applyDivisions(const char* handler, QLineEdit* field, AxisScale& axis);
    void setOrientation(const char* handler, std::int16_t orientation);
    void changeOutline(const char* handler, const std::function<void(QRectF&)>& change);
    int showModal(QDialog& dialog);
    // The sheet on `target` with the configuration's graduation corrections:
    // the printed page and the saved documents.
    void drawCorrectedSheet(DrawTarget& target);
    // The four lists choose the scales; drawing and printing take them into
    // the sheet first and then read the sheet alone.
    void takeScalesFromLists();
    // The "Lines" box shows the heavy, medium and light colours and widths.
    void showLines(const LineColors& colors, const LineWidths& widths);
    // A length in a layout field, and the length a field's text stands for.
    static void showLength(QLineEdit* field, double length);
    static double typedLength(const QLineEdit* field);

    SettingsStore& store_;
    Printer& printer_;
    ErrorReport report_;
    QString programFolder_;
    ModalRunner modalRunner_;
    std::unique_ptr<PrintDialog> ownPrintDialog_;
    PrintDialog* printDialog_ = nullptr;

    // Where Save asks for a file and Copy puts the picture: the desktop's
    // own unless replaced.
    QtSaveDialog desktopSaveDialog_;
    QtClipboard desktopClipboard_;
    SaveDialog* saveDialog_ = &desktopSaveDialog_;
    Clipboard* clipboard_ = &desktopClipboard_;

    SheetSettings sheet_;
    std::optional<QCursor> customPointer_;
    // Until the printer's page is taken the pane holds a stand-in page, and
    // the printer's unit may not be the sheet's: the list handlers that fire
    // while the lists are first filled leave the drawing to the end of
    // start-up.
    // Set while InitControls fills the lists: the draws their selections
    // would start come before the page is known and are skipped.
    bool fillingLists_ = false;
    bool sizedForScreen_ = false;
    QScrollArea* controlColumns_ = nullptr;
    // One drag at a time on the page picture, a handle or the full-size
    // page: where it was grabbed.
    bool dragActive_ = false;
    float grabX_ = 0;
    float grabY_ = 0;
    std::function<void()> quit_;

    // The dialogs are separate windows, not children of this one: the
    // window's field check walks all of its children, and must not colour
    // or count the dialogs' fields.
    std::unique_ptr<FrmConfig> config_;
    std::unique_ptr<FrmStyles> styles_;
    std::unique_ptr<FrmShortcuts> shortcuts_;
    std::unique_ptr<Form2> notice_;
    // The tray the window goes to: the desktop's own unless replaced.
    std::unique_ptr<QtTrayIcon> desktopTray_;
    TrayIcon* trayIcon_ = nullptr;
    // Read the dialogs, so they are declared after them and go first.
    std::unique_ptr<DialogInputs> inputs_;
    std::unique_ptr<Graph> graph_;

    PreviewPane* preview_ = nullptr;
    QComboBox* cbAbsScale_ = nullptr;
    QComboBox* cbAbsDiv_ = nullptr;
    QStackedWidget* absPlace_ = nullptr;
    QWidget* pbAbsNDiv_ = nullptr;
    QLineEdit* tAbsDiv_ = nullptr;
    QComboBox* cbOrdScale_ = nullptr;
    QComboBox* cbOrdDiv_ = nullptr;
    QStackedWidget* ordPlace_ = nullptr;
    QWidget* pbOrdNDiv_ = nullptr;
    QLineEdit* tOrdDiv_ = nullptr;
    QLineEdit* tMarginLeft_ = nullptr;
    QLineEdit* tMarginTop_ = nullptr;
    QLineEdit* tSizeWidth_ = nullptr;
    QLineEdit* tSizeHeight_ = nullptr;
    QGroupBox* gbMargins_ = nullptr;
    QGroupBox* gbSize_ = nullptr;
    QLabel* pagewidth_ = nullptr;
    QLabel* pageheight_ = nullptr;
    QLabel* lblNoPrinter_ = nullptr;
    QRadioButton* rbPortrait_ = nullptr;
    QRadioButton* rbLandscape_ = nullptr;
    QLabel* lblLineWeight_ = nullptr;
    QLabel* lineColor_[3] = {};
    QLabel* lineWeight_[3] = {};
    LineWidths storedWidths_;  // as the line set gave them, empty where none is stored
    QCheckBox* cbZoom_ = nullptr;
};

}  // namespace lattora
