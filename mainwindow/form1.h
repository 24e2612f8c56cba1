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
#include "linesets/frmstyles.h"
#include "mainwindow/dialoginputs.h"
#include "platform/errorreport.h"
#include "render/graph.h"
#include "sheet/sheetsettings.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace lattora {

class ColorChooser;
class MessageBoxes;
class PreviewPane;
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

    // Builds the window and its two hidden dialogs; Form_Load, called once
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

    // Start-up: skin, pointer, title, lists, page, both dialogs' settings,
    // standard margins, the layout fields and the first drawing. Each step is
    // reported on its own and the next one still runs. Kept apart from the
    // constructor so that a caller can first choose how dialogs are shown
    // and watch the window; its reports may already need a person.
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
    // Commands still to come: each says so.
    void PushButton1_Click();   // Minimize To System Tray
    void PushButton6_Click();   // Copy
    void PushButton8_Click();   // Print
    void PushButton9_Click();   // Save
    void PushButton16_Click();  // Printer Setup
    void PushButton17_Click();  // Shortcuts

    void cbZoom_Click();

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

    // Closing the window: hides the dialogs; nothing is saved.
    void Form_Unload();

    const SheetSettings& sheet() const { return sheet_; }
    PreviewPane& preview() const { return *preview_; }
    FrmConfig& configDialog() const { return *config_; }
    FrmStyles& stylesDialog() const { return *styles_; }
    // The pointer loaded from the program folder, if any.
    const std::optional<QCursor>& customPointer() const { return customPointer_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QWidget* buildAxisGroup(bool abscissa);
    QWidget* buildLinesGroup();
    QWidget* buildOutlineFrame();
    QWidget* buildPrintingPageFrame();
    QWidget* buildOutputFrame();
    QWidget* buildGeneralFrame();
    void connectHandlers();

    void ApplySkin();
    void LoadPointer();
    void fillItems(QComboBox* family, QComboBox* items, QStackedWidget* place, QWidget* nPanel);
    void scaleClicked(const char* handler, QComboBox* family, QComboBox* items,
                      QStackedWidget* place, QWidget* nPanel);
    void fieldChanged(const char* handler);
    void applyDivisions(const char* handler, QLineEdit* field, AxisScale& axis);
    void setOrientation(const char* handler, std::int16_t orientation);
    void changeOutline(const char* handler, const std::function<void(QRectF&)>& change);
    void notAvailable(const char* handler, const QString& what);
    int showModal(QDialog& dialog);
    // The "Lines" box shows the heavy, medium and light colours and widths.
    void showLines(const LineColors& colors, const LineWidths& widths);

    SettingsStore& store_;
    Printer& printer_;
    ErrorReport report_;
    QString programFolder_;
    ModalRunner modalRunner_;

    SheetSettings sheet_;
    std::optional<QCursor> customPointer_;
    // Until the printer's page is taken the pane holds a stand-in page, and
    // the printer's unit may not be the sheet's: the list handlers that fire
    // while the lists are first filled leave the drawing to the end of
    // start-up.
    // Set while InitControls fills the lists: the draws their selections
    // would start come before the page is known and are skipped.
    bool fillingLists_ = false;
    std::function<void()> quit_;

    // The dialogs are separate windows, not children of this one: the
    // window's field check walks all of its children, and must not colour
    // or count the dialogs' fields.
    std::unique_ptr<FrmConfig> config_;
    std::unique_ptr<FrmStyles> styles_;
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
    QCheckBox* cbZoom_ = nullptr;
};

}  // namespace lattora
