// The line-set dialog: pick the current line set, edit its colours, style and
// name, add, rename and delete sets, and set the three line widths. It lives,
// hidden, for the whole run; its editor is the program's current line set.
#pragma once

#include <QDialog>
#include <QList>

#include "linesets/templates.h"
#include "sheet/linevalues.h"

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lattora {

class ColorChooser;
class ErrorReport;
class SettingsStore;

class FrmStyles : public QDialog {
    Q_OBJECT

public:
    FrmStyles(SettingsStore& store, ErrorReport& report, ColorChooser& chooser,
              QWidget* parent = nullptr);

    // The rule texts of the checked fields.
    static const QString kNameRules;
    static const QString kWidthRules;

    // Fills the style list.
    void InitializeControls();
    // The full load from the settings store, then the controls show it.
    // Problems of the load (a malformed colour part) are reported, or, given
    // `passedOver`, added to it so that a caller can tell them together with
    // others.
    void LoadSettings(QStringList* passedOver = nullptr);

    // Handlers, named after their controls and events.
    void lbSetofLines_Click();
    void cpHeavy_Click();
    void cpMedium_Click();
    void cpLight_Click();
    void cpSubdiv_Click();
    void cbSubDivStyle_Click();
    void tLinesetName_Change();
    void twHeavy_Change();
    void twMedium_Change();
    void twLight_Change();
    void PushButton3_Click();  // OK
    void PushButton1_Click();  // Cancel
    void PushButton2_Click();  // Delete
    void PushButton4_Click();  // Rename

    // The live values: the colours the grid is drawn with, and the widths as
    // the fields hold them.
    LineColors currentLineColors() const { return editor_.colors; }
    LineWidths lineWidths() const { return editor_.widths; }
    // The sets, the selection and the fields as the dialog holds them.
    const LineSetEditor& editor() const { return editor_; }

    // The close box and Escape cancel; accepting is OK with its checks.
    void accept() override;
    void reject() override;

Q_SIGNALS:
    // A load that found stored sets, or an OK whose save failed, has set the
    // current colours and widths: the main window's "Lines" box shows the
    // heavy, medium and light ones.
    void linesShown(lattora::LineColors colors, lattora::LineWidths widths);

private:
    enum class LineClass { Heavy, Medium, Light, Subdiv };

    void buildControls();
    QLayout* buildSetColumn();
    QLayout* buildEditorColumn();
    QLayout* buildLineRows();
    void makeColorPickers();
    void makeWidthFields();
    QLayout* buildCloseButtons();
    void orderTabs();
    void connectHandlers();
    void pickColor(LineClass lineClass, const char* handler);
    // The selected set takes the editor's colours and style at once.
    void rewriteSelectedColorString();
    void fieldChanged(const char* handler, QString LineWidths::*width);
    // Every control shows the editor again, then the fields are re-checked.
    void showEditor();
    void showSetList();
    void showSelection();
    void showColors();

    SettingsStore& store_;
    ErrorReport& report_;
    ColorChooser& chooser_;
    LineSetEditor editor_;
    // Set while the controls are being filled from the editor, so that their
    // change signals do not write back what they are being told.
    bool showing_ = false;

    QListWidget* lbSetofLines_ = nullptr;
    QLineEdit* tLinesetName_ = nullptr;
    QPushButton* cpHeavy_ = nullptr;
    QPushButton* cpMedium_ = nullptr;
    QPushButton* cpLight_ = nullptr;
    QPushButton* cpSubdiv_ = nullptr;
    QComboBox* cbSubDivStyle_ = nullptr;
    QLineEdit* twHeavy_ = nullptr;
    QLineEdit* twMedium_ = nullptr;
    QLineEdit* twLight_ = nullptr;
    QList<QLabel*> lblScale_;
    QPushButton* PushButton3_ = nullptr;  // OK
    QPushButton* PushButton1_ = nullptr;  // Cancel
    QPushButton* PushButton2_ = nullptr;  // Delete
    QPushButton* PushButton4_ = nullptr;  // Rename
};

}  // namespace lattora
