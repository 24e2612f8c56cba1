#include "linesets/frmstyles.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <source_location>

#include "platform/output/qtcolor.h"
#include "platform/ui/colorchooser.h"
#include "platform/ui/errorreport.h"
#include "platform/ui/messageboxes.h"
#include "platform/ui/widgetfactory.h"
#include "sheet/error.h"
#include "sheet/settingsstore.h"
#include "validation/rules.h"
#include "validation/validation.h"

namespace lattora {

const QString FrmStyles::kNameRules = QStringLiteral("validate_required;validate_name");
const QString FrmStyles::kWidthRules =
    QStringLiteral("validate_required;validate_single;validate_number");

namespace {

const QString kWindow = QStringLiteral("frmStyles");
const QSize kSwatchSize(36, 14);

// This dialog's labels take Qt's automatic text format; none of their texts
// looks like markup.
const WidgetFactory make({.labelFormat = Qt::AutoText});

// While alive, the dialog is filling its controls from the editor.
class ShowingGuard {
public:
    explicit ShowingGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~ShowingGuard() { flag_ = previous_; }
    ShowingGuard(const ShowingGuard&) = delete;
    ShowingGuard& operator=(const ShowingGuard&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

FrmStyles::FrmStyles(SettingsStore& store, ErrorReport& report, ColorChooser& chooser,
                     QWidget* parent)
    : QDialog(parent), store_(store), report_(report), chooser_(chooser) {
    ReportingScope scope(report_, kWindow, QStringLiteral("Form_Load"), this);
    setObjectName(kWindow);
    setWindowTitle(QStringLiteral("Select and edit the sets of lines"));
    buildControls();
    scope([&] { InitializeControls(); });
    // Until the first load the width fields show their initial texts; the unit
    // they are labelled in is already known.
    scope([&] { editor_.unitLabel = lineWidthUnitLabel(unitSystem(store_)); });
    scope([&] { showEditor(); });
}

void FrmStyles::buildControls() {
    auto* columns = new QHBoxLayout;
    columns->addLayout(buildSetColumn(), 1);
    columns->addSpacing(12);
    columns->addLayout(buildEditorColumn(), 1);
    QLayout* closeButtons = buildCloseButtons();

    auto* dialogLayout = new QVBoxLayout(this);
    dialogLayout->addLayout(columns, 1);
    dialogLayout->addLayout(closeButtons);
    orderTabs();
    connectHandlers();
}

// The registered sets and the commands on the selected one.
QLayout* FrmStyles::buildSetColumn() {
    lbSetofLines_ = new QListWidget;
    lbSetofLines_->setObjectName(QStringLiteral("lbSetofLines"));
    lbSetofLines_->setSelectionMode(QAbstractItemView::SingleSelection);
    PushButton2_ = make.button("PushButton2", QStringLiteral("Delete"));
    PushButton4_ = make.button("PushButton4", QStringLiteral("Rename"));

    auto* setsColumn = new QVBoxLayout;
    setsColumn->addWidget(make.labelFor(QStringLiteral("Registered set of lines:"), lbSetofLines_));
    setsColumn->addWidget(lbSetofLines_, 1);
    auto* setCommands = new QHBoxLayout;
    setCommands->addWidget(PushButton2_);
    setCommands->addWidget(PushButton4_);
    setCommands->addStretch(1);
    setsColumn->addLayout(setCommands);
    return setsColumn;
}

// The set being edited: its name, then a row for each class of line.
QLayout* FrmStyles::buildEditorColumn() {
    tLinesetName_ = make.field("tLinesetName", QString(), kNameRules);

    auto* editorColumn = new QVBoxLayout;
    editorColumn->addWidget(make.heading(QStringLiteral("Current set of lines:")));
    auto* nameRow = new QFormLayout;
    nameRow->addRow(make.labelFor(QStringLiteral("Name:"), tLinesetName_), tLinesetName_);
    editorColumn->addLayout(nameRow);
    editorColumn->addLayout(buildLineRows());
    editorColumn->addStretch(1);
    return editorColumn;
}

QLayout* FrmStyles::buildLineRows() {
    makeColorPickers();
    makeWidthFields();
    cbSubDivStyle_ = new QComboBox;
    cbSubDivStyle_->setObjectName(QStringLiteral("cbSubDivStyle"));

    auto* lines = new QGridLayout;
    lines->addWidget(make.label(QStringLiteral("Color")), 0, 1);
    lines->addWidget(make.label(QStringLiteral("Width")), 0, 2);
    struct Row {
        QString caption;
        QPushButton* picker;
        QWidget* width;
    };
    const Row rows[] = {
        {QStringLiteral("Heavy"), cpHeavy_, twHeavy_},
        {QStringLiteral("Medium"), cpMedium_, twMedium_},
        {QStringLiteral("Light"), cpLight_, twLight_},
        {QStringLiteral("Subdiv"), cpSubdiv_, cbSubDivStyle_},
    };
    for (int i = 0; i < 4; ++i) {
        const Row& row = rows[i];
        auto* caption = make.label(row.caption);
        caption->setBuddy(row.picker);
        row.picker->setAccessibleName(row.caption + QStringLiteral(" Color"));
        // The style list stands in the subdivision row's width column: the
        // subdivision lines have a style instead of a width.
        row.width->setAccessibleName(row.caption +
                                     (i < 3 ? QStringLiteral(" Width") : QStringLiteral(" Style")));
        lines->addWidget(caption, i + 1, 0);
        lines->addWidget(row.picker, i + 1, 1);
        if (i < 3) {
            lines->addWidget(row.width, i + 1, 2);
            lines->addWidget(lblScale_.at(i), i + 1, 3);
        } else {
            lines->addWidget(row.width, i + 1, 2, 1, 2);
        }
    }
    lines->setColumnStretch(3, 1);
    return lines;
}

// Buttons that show their colour as a swatch. Even with the focus on one,
// Enter stays with OK.
void FrmStyles::makeColorPickers() {
    const std::pair<QPushButton**, const char*> pickers[] = {
        {&cpHeavy_, "cpHeavy"},
        {&cpMedium_, "cpMedium"},
        {&cpLight_, "cpLight"},
        {&cpSubdiv_, "cpSubdiv"},
    };
    for (const auto& [picker, name] : pickers) {
        *picker = make.button(name, QString());
        (*picker)->setIconSize(kSwatchSize);
        (*picker)->setAutoDefault(false);
    }
}

// The three width fields, each with the label of the unit it is read in.
void FrmStyles::makeWidthFields() {
    twHeavy_ = make.field("twHeavy", QStringLiteral("5"), kWidthRules);
    twMedium_ = make.field("twMedium", QStringLiteral("3"), kWidthRules);
    twLight_ = make.field("twLight", QStringLiteral("2"), kWidthRules);
    for (QLineEdit* field : {twHeavy_, twMedium_, twLight_}) {
        // Room for a few digits; the fields need not stretch with the dialog.
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 10 +
                               12);
    }
    for (int i = 0; i < 3; ++i) {
        lblScale_ << make.label(QString(), QStringLiteral("lblScale%1").arg(i));
    }
}

QLayout* FrmStyles::buildCloseButtons() {
    PushButton3_ = make.button("PushButton3", QStringLiteral("OK"));
    PushButton1_ = make.button("PushButton1", QStringLiteral("Cancel"));
    PushButton3_->setDefault(true);

    auto* closeButtons = new QHBoxLayout;
    closeButtons->addStretch(1);
    closeButtons->addWidget(PushButton3_);
    closeButtons->addWidget(PushButton1_);
    return closeButtons;
}

// Tab goes through the sets, then row by row through the editor.
void FrmStyles::orderTabs() {
    const QList<QWidget*> tabOrder{lbSetofLines_, PushButton2_, PushButton4_, tLinesetName_,
                                   cpHeavy_,      twHeavy_,     cpMedium_,    twMedium_,
                                   cpLight_,      twLight_,     cpSubdiv_,    cbSubDivStyle_,
                                   PushButton3_,  PushButton1_};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    }
}

void FrmStyles::connectHandlers() {
    // Signals fired while the controls are being filled from the editor carry
    // nothing new, so only the user's own changes reach the handlers.
    const auto whenUser = [this](void (FrmStyles::*handler)()) {
        return [this, handler] {
            if (!showing_) {
                (this->*handler)();
            }
        };
    };
    connect(lbSetofLines_, &QListWidget::currentRowChanged, this,
            whenUser(&FrmStyles::lbSetofLines_Click));
    // The highlighted row is the selected set; a Ctrl+click that clears the
    // highlight would otherwise hide which set Delete and Rename act on.
    connect(lbSetofLines_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!showing_ && lbSetofLines_->selectedItems().isEmpty() && editor_.currentIndex >= 0) {
            showSelection();
        }
    });
    connect(tLinesetName_, &QLineEdit::textChanged, this,
            whenUser(&FrmStyles::tLinesetName_Change));
    connect(twHeavy_, &QLineEdit::textChanged, this, whenUser(&FrmStyles::twHeavy_Change));
    connect(twMedium_, &QLineEdit::textChanged, this, whenUser(&FrmStyles::twMedium_Change));
    connect(twLight_, &QLineEdit::textChanged, this, whenUser(&FrmStyles::twLight_Change));
    connect(cbSubDivStyle_, &QComboBox::currentIndexChanged, this,
            whenUser(&FrmStyles::cbSubDivStyle_Click));
    connect(cpHeavy_, &QPushButton::clicked, this, &FrmStyles::cpHeavy_Click);
    connect(cpMedium_, &QPushButton::clicked, this, &FrmStyles::cpMedium_Click);
    connect(cpLight_, &QPushButton::clicked, this, &FrmStyles::cpLight_Click);
    connect(cpSubdiv_, &QPushButton::clicked, this, &FrmStyles::cpSubdiv_Click);
    connect(PushButton3_, &QPushButton::clicked, this, &FrmStyles::PushButton3_Click);
    connect(PushButton1_, &QPushButton::clicked, this, &FrmStyles::PushButton1_Click);
    connect(PushButton2_, &QPushButton::clicked, this, &FrmStyles::PushButton2_Click);
    connect(PushButton4_, &QPushButton::clicked, this, &FrmStyles::PushButton4_Click);
}

void FrmStyles::InitializeControls() {
    const ShowingGuard guard(showing_);
    cbSubDivStyle_->clear();
    cbSubDivStyle_->addItems(
        {QStringLiteral("Dot"), QStringLiteral("Dash"), QStringLiteral("Solid")});
    // Filling the list selects its first entry; no style is chosen until a set
    // is loaded.
    cbSubDivStyle_->setCurrentIndex(-1);
}

void FrmStyles::LoadSettings(QStringList* passedOver) {
    ReportingScope scope(report_, kWindow, QStringLiteral("LoadSettings"), this);
    // A load without stored sets leaves the widths as they are, and before
    // the first OK they have only ever held their initial texts or unsaved
    // edits; starting from the initial texts lets Cancel discard those too.
    scope([&] { editor_.widths = LineSetEditor{}.widths; });
    if (passedOver != nullptr) {
        scope([&] { *passedOver << lattora::LoadSettings(editor_, store_); });
    } else {
        scope.collect([&] { return lattora::LoadSettings(editor_, store_); });
    }
    // The labels follow the unit system even when no set is stored yet, so
    // they never name a unit the program is not using.
    scope([&] { editor_.unitLabel = lineWidthUnitLabel(unitSystem(store_)); });
    scope([&] { showSetList(); });
    scope([&] { showEditor(); });
    if (editor_.storedSetsLoaded) {
        scope([&] { Q_EMIT linesShown(editor_.colors, editor_.widths); });
    }
}

void FrmStyles::lbSetofLines_Click() {
    ReportingScope scope(report_, kWindow, QStringLiteral("lbSetofLines_Click"), this);
    const int row = lbSetofLines_->currentRow();
    if (row < 0) {
        return;
    }
    scope.collect([&] { return SelectLineSet(editor_, row); });
    scope([&] { showEditor(); });
}

void FrmStyles::cpHeavy_Click() {
    pickColor(LineClass::Heavy, "cpHeavy_Click");
}

void FrmStyles::cpMedium_Click() {
    pickColor(LineClass::Medium, "cpMedium_Click");
}

void FrmStyles::cpLight_Click() {
    pickColor(LineClass::Light, "cpLight_Click");
}

void FrmStyles::cpSubdiv_Click() {
    pickColor(LineClass::Subdiv, "cpSubdiv_Click");
}

void FrmStyles::pickColor(LineClass lineClass, const char* handler) {
    ReportingScope scope(report_, kWindow, QLatin1String(handler), this);
    ColorValue* const colors[] = {&editor_.colors.heavyColor, &editor_.colors.mediumColor,
                                  &editor_.colors.lightColor, &editor_.colors.subdivColor};
    ColorValue& color = *colors[static_cast<int>(lineClass)];
    std::optional<ColorValue> chosen;
    scope([&] { chosen = chooser_.chooseColor(this, color); });
    if (!chosen) {
        return;
    }
    color = *chosen;
    scope([&] { showColors(); });
    scope([&] { rewriteSelectedColorString(); });
}

void FrmStyles::rewriteSelectedColorString() {
    // With nothing selected (after Delete) the editor alone takes the edit; an
    // OK under a new name then adds it as a new set.
    if (editor_.currentIndex < 0) {
        return;
    }
    editor_.sets[editor_.currentIndex].colorString = GetCurrentColorString(editor_.colors);
}

void FrmStyles::cbSubDivStyle_Click() {
    ReportingScope scope(report_, kWindow, QStringLiteral("cbSubDivStyle_Click"), this);
    scope([&] {
        const int index = cbSubDivStyle_->currentIndex();
        editor_.colors.subdivStyle =
            index >= 0 ? std::optional(static_cast<SubdivStyle>(index)) : std::nullopt;
    });
    // The style belongs to the set as its colours do, so it is kept the same
    // way; otherwise a style changed on its own would be lost at OK.
    scope([&] { rewriteSelectedColorString(); });
    scope([&] { DoControlValidationColor(this); });
}

void FrmStyles::tLinesetName_Change() {
    ReportingScope scope(report_, kWindow, QStringLiteral("tLinesetName_Change"), this);
    scope([&] { editor_.nameField = tLinesetName_->text(); });
    scope([&] { DoControlValidationColor(this); });
}

void FrmStyles::fieldChanged(const char* handler, QString LineWidths::*width) {
    ReportingScope scope(report_, kWindow, QLatin1String(handler), this);
    QLineEdit* const field = width == &LineWidths::heavy    ? twHeavy_
                             : width == &LineWidths::medium ? twMedium_
                                                            : twLight_;
    scope([&] { editor_.widths.*width = field->text(); });
    scope([&] { DoControlValidationColor(this); });
}

void FrmStyles::twHeavy_Change() {
    fieldChanged("twHeavy_Change", &LineWidths::heavy);
}

void FrmStyles::twMedium_Change() {
    fieldChanged("twMedium_Change", &LineWidths::medium);
}

void FrmStyles::twLight_Change() {
    fieldChanged("twLight_Change", &LineWidths::light);
}

void FrmStyles::PushButton3_Click() {
    ReportingScope scope(report_, kWindow, QStringLiteral("PushButton3_Click"), this);
    QString message;
    scope([&] { message = DoControlValidationColor(this); });
    if (!message.isEmpty()) {
        scope([&] { report_.boxes().showMessage(this, message); });
        return;
    }
    scope([&] {
        if (editor_.sets.indexOf(editor_.nameField) < 0) {
            editor_.sets.append({editor_.nameField, GetCurrentColorString(editor_.colors)});
        }
    });
    const bool saved = scope([&] { SaveSettings(editor_, store_); });
    scope([&] { showSaveNotice(report_.boxes(), store_, this); });
    scope([&] { QDialog::done(QDialog::Accepted); });
    if (saved) {
        scope([&] { LoadSettings(); });
        return;
    }
    // The store may hold only part of the edit now: read back, it would show
    // neither what was there before nor what was typed. The dialog shows what
    // was typed instead, as the reload after a good save would.
    scope.collect([&] { return SelectLineSet(editor_, editor_.sets.indexOf(editor_.nameField)); });
    scope([&] { showSetList(); });
    scope([&] { showEditor(); });
    scope([&] { Q_EMIT linesShown(editor_.colors, editor_.widths); });
}

void FrmStyles::PushButton1_Click() {
    ReportingScope scope(report_, kWindow, QStringLiteral("PushButton1_Click"), this);
    scope([&] { LoadSettings(); });
    scope([&] { QDialog::done(QDialog::Rejected); });
}

void FrmStyles::PushButton2_Click() {
    ReportingScope scope(report_, kWindow, QStringLiteral("PushButton2_Click"), this);
    const qsizetype selected = editor_.currentIndex;
    if (selected < 0) {
        return;
    }
    // The editor keeps the deleted set's name and colours: nothing is
    // selected until the user picks a set again.
    scope([&] {
        editor_.sets.removeAt(selected);
        editor_.currentIndex = -1;
    });
    scope([&] { showSetList(); });
}

void FrmStyles::PushButton4_Click() {
    ReportingScope scope(report_, kWindow, QStringLiteral("PushButton4_Click"), this);
    const qsizetype selected = editor_.currentIndex;
    if (selected < 0) {
        return;
    }
    // A name the stored list cannot carry, or no name at all, is refused as OK
    // refuses it: the field shows why and the box says so.
    scope([&] { DoControlValidationColor(this); });
    const RuleCheck check = checkRules(kNameRules, tLinesetName_->text());
    if (check.status != FieldStatus::Valid) {
        scope([&] {
            report_.boxes().showMessage(
                this, check.status == FieldStatus::Required ? kRequiredSummary : kInvalidSummary);
        });
        return;
    }
    scope([&] { editor_.sets[selected].name = tLinesetName_->text(); });
    scope([&] { lbSetofLines_->item(static_cast<int>(selected))->setText(tLinesetName_->text()); });
}

void FrmStyles::accept() {
    PushButton3_Click();
}

void FrmStyles::reject() {
    PushButton1_Click();
}

void FrmStyles::showSetList() {
    const ShowingGuard guard(showing_);
    lbSetofLines_->clear();
    for (const LineSet& set : editor_.sets) {
        lbSetofLines_->addItem(set.name);
    }
    showSelection();
}

void FrmStyles::showSelection() {
    const ShowingGuard guard(showing_);
    if (editor_.currentIndex < 0) {
        lbSetofLines_->setCurrentRow(-1);
        lbSetofLines_->clearSelection();
    } else {
        lbSetofLines_->setCurrentRow(static_cast<int>(editor_.currentIndex));
    }
}

void FrmStyles::showColors() {
    const std::pair<QPushButton*, ColorValue> pickers[] = {
        {cpHeavy_, editor_.colors.heavyColor},
        {cpMedium_, editor_.colors.mediumColor},
        {cpLight_, editor_.colors.lightColor},
        {cpSubdiv_, editor_.colors.subdivColor},
    };
    for (const auto& [picker, value] : pickers) {
        QPixmap swatch(kSwatchSize);
        swatch.fill(qColorFromValue(value));
        picker->setIcon(QIcon(swatch));
    }
}

void FrmStyles::showEditor() {
    {
        const ShowingGuard guard(showing_);
        showSelection();
        tLinesetName_->setText(editor_.nameField);
        showColors();
        cbSubDivStyle_->setCurrentIndex(
            editor_.colors.subdivStyle ? static_cast<int>(*editor_.colors.subdivStyle) : -1);
        twHeavy_->setText(editor_.widths.heavy);
        twMedium_->setText(editor_.widths.medium);
        twLight_->setText(editor_.widths.light);
        for (QLabel* unit : lblScale_) {
            unit->setText(editor_.unitLabel);
        }
    }
    // The fields show their state for what they now hold, as they do after
    // every change.
    DoControlValidationColor(this);
}

}  // namespace lattora
