// The controls of the main window, their places and their wiring.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "mainwindow/form1.h"
#include "mainwindow/previewpane.h"
#include "platform/ui/widgetfactory.h"
#include "validation/rules.h"

namespace lattora {

namespace {

// The control columns scroll where the screen is too small for them, rather
// than leave it. How narrow they may be is set for the screen the window
// opens on (Form1::showEvent), so that the preview gives way first.
class ControlColumns : public QScrollArea {
public:
    explicit ControlColumns(QWidget* controls) {
        setObjectName(QStringLiteral("controlColumns"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setWidget(controls);
    }
    QSize sizeHint() const override { return widget()->sizeHint(); }
    QSize minimumSizeHint() const override { return {120, 120}; }
};

const QString kLayoutRules = QStringLiteral("validate_required;validate_decimal");

// A label without a name of its own is called "lblText".
const WidgetFactory make({.labelName = "lblText"});

}  // namespace

void Form1::buildControls() {
    // Left: the preview, and the tray button under it.
    auto* frame1 = make.group("Frame1", QStringLiteral("Preview"));
    preview_ = new PreviewPane;
    auto* previewLayout = new QVBoxLayout(frame1);
    previewLayout->addWidget(preview_, 1);
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(frame1, 1);
    leftColumn->addWidget(
        make.button("PushButton1", QStringLiteral("&Minimize To System Tray (Bottom Right)")));

    // Middle: the scales and lines, then the general commands.
    auto* frame3 = make.group("Frame3", QStringLiteral("Design"));
    auto* designLayout = new QVBoxLayout(frame3);
    designLayout->addWidget(buildAxisGroup(true));
    designLayout->addWidget(buildAxisGroup(false));
    designLayout->addWidget(buildLinesGroup());
    auto* controls = new QWidget;
    controls->setObjectName(QStringLiteral("controls"));
    // Scrolled rather than squeezed below their height.
    controls->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* middleColumn = new QVBoxLayout;
    middleColumn->addWidget(frame3);
    middleColumn->addWidget(buildGeneralFrame());
    middleColumn->addStretch(1);

    // Right: the graph area, the page and the output.
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(buildOutlineFrame());
    rightColumn->addWidget(buildPrintingPageFrame());
    rightColumn->addWidget(buildOutputFrame());
    rightColumn->addStretch(1);

    auto* controlsLayout = new QHBoxLayout(controls);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->addLayout(middleColumn);
    controlsLayout->addLayout(rightColumn);

    auto* windowLayout = new QHBoxLayout(this);
    windowLayout->addLayout(leftColumn, 1);
    controlColumns_ = new ControlColumns(controls);
    windowLayout->addWidget(controlColumns_);
}

QWidget* Form1::buildAxisGroup(bool abscissa) {
    auto* box = abscissa ? make.group("GroupBox1", QStringLiteral("Abscissa (x-Axis)"))
                         : make.group("GroupBox2", QStringLiteral("Ordinate (y-Axis)"));
    const char* const prefix = abscissa ? "Abs" : "Ord";
    const auto name = [prefix](const char* pattern) { return QString::asprintf(pattern, prefix); };

    auto* scaleLabel = make.label(QStringLiteral("Scale"));
    auto* family = new QComboBox;
    family->setObjectName(name("cb%sScale"));
    WidgetFactory::nameAfter(family, scaleLabel);

    auto* divisionsLabel = make.label(QStringLiteral("Divisions"));
    auto* items = new QComboBox;
    items->setObjectName(name("cb%sDiv"));
    WidgetFactory::nameAfter(items, divisionsLabel);

    // The N panel stands where the item list stands; only one shows.
    auto* nPanel = new QWidget;
    nPanel->setObjectName(name("pb%sNDiv"));
    // The list's label stands for the field too, but only one control can be
    // its buddy.
    auto* divisions =
        make.field(abscissa ? "tAbsDiv" : "tOrdDiv", QStringLiteral("30"), kDivisionCountRules);
    divisions->setAccessibleName(QStringLiteral("Divisions"));
    auto* apply = make.button(abscissa ? "PushButton4" : "PushButton7", QStringLiteral("Apply"));
    auto* nLayout = new QHBoxLayout(nPanel);
    nLayout->setContentsMargins(0, 0, 0, 0);
    nLayout->addWidget(divisions, 1);
    nLayout->addWidget(apply);

    auto* place = new QStackedWidget;
    place->setObjectName(name("st%sDiv"));
    place->addWidget(items);
    place->addWidget(nPanel);

    auto* grid = new QGridLayout(box);
    grid->addWidget(scaleLabel, 0, 0);
    grid->addWidget(family, 0, 1);
    grid->addWidget(divisionsLabel, 1, 0);
    grid->addWidget(place, 1, 1);
    grid->setColumnStretch(1, 1);

    (abscissa ? cbAbsScale_ : cbOrdScale_) = family;
    (abscissa ? cbAbsDiv_ : cbOrdDiv_) = items;
    (abscissa ? absPlace_ : ordPlace_) = place;
    (abscissa ? pbAbsNDiv_ : pbOrdNDiv_) = nPanel;
    (abscissa ? tAbsDiv_ : tOrdDiv_) = divisions;
    return box;
}

QWidget* Form1::buildLinesGroup() {
    auto* box = make.group("GroupBox3", QStringLiteral("Lines"));
    auto* grid = new QGridLayout(box);
    const QString classes[] = {QStringLiteral("Heavy"), QStringLiteral("Medium"),
                               QStringLiteral("Light")};
    grid->addWidget(make.label(QStringLiteral("Color")), 1, 0);
    lblLineWeight_ = make.label(QStringLiteral("1/100 mm"), "lblLineWeight");
    grid->addWidget(lblLineWeight_, 2, 0);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(make.label(classes[i]), 0, i + 1, Qt::AlignCenter);
        lineColor_[i] = new QLabel;
        lineColor_[i]->setObjectName(QStringLiteral("lineColor%1").arg(i));
        lineColor_[i]->setAccessibleName(classes[i] + QStringLiteral(" color"));
        lineColor_[i]->setFrameShape(QFrame::Box);
        grid->addWidget(lineColor_[i], 1, i + 1, Qt::AlignCenter);
        lineWeight_[i] = new QLabel;
        lineWeight_[i]->setObjectName(QStringLiteral("lineWeight%1").arg(i));
        lineWeight_[i]->setTextFormat(Qt::PlainText);
        lineWeight_[i]->setAccessibleName(classes[i] + QStringLiteral(" width"));
        grid->addWidget(lineWeight_[i], 2, i + 1, Qt::AlignCenter);
    }
    grid->addWidget(make.button("PushButton5", QStringLiteral("Change")), 3, 1, 1, 3);
    return box;
}

QWidget* Form1::buildOutlineFrame() {
    auto* frame = make.group("Frame2", QStringLiteral("Outline"));

    gbMargins_ = make.group("gbMargins", QStringLiteral("Margins"));
    auto* leftLabel = make.label(QStringLiteral("Left"));
    auto* topLabel = make.label(QStringLiteral("Top"));
    tMarginLeft_ = make.field("tMarginLeft", QStringLiteral("0.50"), kLayoutRules, leftLabel);
    tMarginTop_ = make.field("tMarginTop", QStringLiteral("0.50"), kLayoutRules, topLabel);
    auto* margins = new QGridLayout(gbMargins_);
    margins->addWidget(leftLabel, 0, 0);
    margins->addWidget(tMarginLeft_, 0, 1);
    margins->addWidget(topLabel, 1, 0);
    margins->addWidget(tMarginTop_, 1, 1);
    margins->addWidget(make.button("PushButton2", QStringLiteral("Apply")), 2, 1);

    gbSize_ = make.group("gbSize", QStringLiteral("Size"));
    auto* widthLabel = make.label(QStringLiteral("Width"));
    auto* heightLabel = make.label(QStringLiteral("Height"));
    tSizeWidth_ = make.field("tSizeWidth", QStringLiteral("20.47"), kLayoutRules, widthLabel);
    tSizeHeight_ = make.field("tSizeHeight", QStringLiteral("26.82"), kLayoutRules, heightLabel);
    // A field may be narrower than its longest text, which then scrolls; it
    // shows the leading digits.
    for (QLineEdit* edit : {tMarginLeft_, tMarginTop_, tSizeWidth_, tSizeHeight_}) {
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00.0000")));
    }
    auto* size = new QGridLayout(gbSize_);
    size->addWidget(widthLabel, 0, 0);
    size->addWidget(tSizeWidth_, 0, 1);
    size->addWidget(heightLabel, 1, 0);
    size->addWidget(tSizeHeight_, 1, 1);
    size->addWidget(make.button("PushButton3", QStringLiteral("Apply")), 2, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(gbMargins_);
    groups->addWidget(gbSize_);
    auto* commands = new QGridLayout;
    commands->addWidget(make.button("PushButton10", QStringLiteral("Center Horizontally")), 0, 0);
    commands->addWidget(make.button("PushButton11", QStringLiteral("Center Verically")), 0, 1);
    commands->addWidget(make.button("PushButton14", QStringLiteral("Full Paper")), 1, 0);
    commands->addWidget(make.button("PushButton18", QStringLiteral("Standard Margins")), 1, 1);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(groups);
    layout->addLayout(commands);
    return frame;
}

QWidget* Form1::buildPrintingPageFrame() {
    auto* frame = make.group("Frame4", QStringLiteral("Printing Page"));
    pagewidth_ = make.label(QStringLiteral("Width = 21.47cm"), "pagewidth");
    pageheight_ = make.label(QStringLiteral("Height = 27.82 cm"), "pageheight");
    lblNoPrinter_ = make.explanation(QString(), "lblNoPrinter");
    lblNoPrinter_->hide();
    rbPortrait_ = new QRadioButton(QStringLiteral("Portrait"));
    rbPortrait_->setObjectName(QStringLiteral("rbPortrait"));
    rbLandscape_ = new QRadioButton(QStringLiteral("Landscape"));
    rbLandscape_->setObjectName(QStringLiteral("rbLandscape"));
    rbPortrait_->setChecked(true);

    auto* orientation = new QHBoxLayout;
    orientation->addWidget(rbPortrait_);
    orientation->addWidget(rbLandscape_);
    orientation->addStretch(1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(lblNoPrinter_);
    layout->addWidget(pagewidth_);
    layout->addWidget(pageheight_);
    layout->addLayout(orientation);
    return frame;
}

QWidget* Form1::buildOutputFrame() {
    auto* frame = make.group("Frame5", QStringLiteral("Output"));
    auto* layout = new QHBoxLayout(frame);
    layout->addWidget(make.button("PushButton6", QStringLiteral("Copy")));
    layout->addWidget(make.button("PushButton9", QStringLiteral("Save")));
    layout->addWidget(make.button("PushButton8", QStringLiteral("Print")));
    return frame;
}

QWidget* Form1::buildGeneralFrame() {
    auto* frame = make.group("Frame6", QStringLiteral("General"));
    cbZoom_ = new QCheckBox(QStringLiteral("Zoom"));
    cbZoom_->setObjectName(QStringLiteral("cbZoom"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(cbZoom_, 0, 0);
    grid->addWidget(make.button("PushButton12", QStringLiteral("Configuration")), 0, 1);
    grid->addWidget(make.button("PushButton16", QStringLiteral("Printer Setup")), 1, 0);
    grid->addWidget(make.button("PushButton17", QStringLiteral("Shortcuts")), 1, 1);
    grid->addWidget(make.button("PushButton15", QStringLiteral("Help")), 2, 0);
    grid->addWidget(make.button("PushButton13", QStringLiteral("Exit")), 2, 1);
    return frame;
}

void Form1::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && !sizedForScreen_) {
        sizedForScreen_ = true;
        // The desktop may not have framed the window yet; then leave room
        // for a title bar.
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        QSize room = screen()->availableGeometry().size() -
                     QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
        if (frame.top() == 0) {
            room.rheight() -= style()->pixelMetric(QStyle::PM_TitleBarHeight);
        }
        // The controls keep the width they want where the screen leaves it
        // beside the smallest preview, and scroll where it does not.
        QLayout* columns = layout();
        const QMargins margins = columns->contentsMargins();
        const int besideThePreview = room.width() - margins.left() - margins.right() -
                                     columns->spacing() - columns->itemAt(0)->minimumSize().width();
        const QWidget* controls = controlColumns_->widget();
        const int wanted =
            std::max(controls->minimumSizeHint().width(), controls->sizeHint().width()) +
            controlColumns_->verticalScrollBar()->sizeHint().width();
        controlColumns_->setMinimumWidth(std::clamp(besideThePreview, 120, wanted));
        resize(sizeHint().boundedTo(room).expandedTo(minimumSizeHint()));
    }
    QWidget::showEvent(event);
}

void Form1::connectHandlers() {
    const auto onClick = [this](const char* objectName, void (Form1::*handler)()) {
        auto* pushButton = findChild<QPushButton*>(QLatin1String(objectName));
        connect(pushButton, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    onClick("PushButton1", &Form1::PushButton1_Click);
    onClick("PushButton2", &Form1::PushButton2_Click);
    onClick("PushButton3", &Form1::PushButton3_Click);
    onClick("PushButton4", &Form1::PushButton4_Click);
    onClick("PushButton5", &Form1::PushButton5_Click);
    onClick("PushButton6", &Form1::PushButton6_Click);
    onClick("PushButton7", &Form1::PushButton7_Click);
    onClick("PushButton8", &Form1::PushButton8_Click);
    onClick("PushButton9", &Form1::PushButton9_Click);
    onClick("PushButton10", &Form1::PushButton10_Click);
    onClick("PushButton11", &Form1::PushButton11_Click);
    onClick("PushButton12", &Form1::pConfig_Click);
    onClick("PushButton13", &Form1::PushButton13_Click);
    onClick("PushButton14", &Form1::PushButton14_Click);
    onClick("PushButton15", &Form1::PushButton15_Click);
    onClick("PushButton16", &Form1::PushButton16_Click);
    onClick("PushButton17", &Form1::PushButton17_Click);
    onClick("PushButton18", &Form1::PushButton18_Click);

    // Index changes, not activations: a list changed from the keyboard or by
    // the program is a choice as much as a click. Refills block these.
    connect(cbAbsScale_, &QComboBox::currentIndexChanged, this, [this] { cbAbsScale_Click(); });
    connect(cbOrdScale_, &QComboBox::currentIndexChanged, this, [this] { cbOrdScale_Click(); });
    connect(cbAbsDiv_, &QComboBox::currentIndexChanged, this, [this] { cbAbsDiv_Click(); });
    connect(cbOrdDiv_, &QComboBox::currentIndexChanged, this, [this] { cbOrdDiv_Click(); });

    connect(tAbsDiv_, &QLineEdit::textChanged, this, [this] { tAbsDiv_Change(); });
    connect(tOrdDiv_, &QLineEdit::textChanged, this, [this] { tOrdDiv_Change(); });
    connect(tMarginLeft_, &QLineEdit::textChanged, this, [this] { tMarginLeft_Change(); });
    connect(tSizeWidth_, &QLineEdit::textChanged, this, [this] { tSizeWidth_Change(); });
    connect(tSizeHeight_, &QLineEdit::textChanged, this, [this] { tSizeHeight_Change(); });

    // Only a change of orientation turns the page and resets the margins;
    // the page update sets the buttons with their signals blocked.
    connect(rbPortrait_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            rbPortrait_Click();
        }
    });
    connect(rbLandscape_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            rbLandscape_Click();
        }
    });
    connect(cbZoom_, &QCheckBox::toggled, this, [this] { cbZoom_Click(); });

    // Return in a field applies its group, as in any form.
    const std::pair<QLineEdit*, const char*> applies[] = {
        {tMarginLeft_, "PushButton2"}, {tMarginTop_, "PushButton2"}, {tSizeWidth_, "PushButton3"},
        {tSizeHeight_, "PushButton3"}, {tAbsDiv_, "PushButton4"},    {tOrdDiv_, "PushButton7"}};
    for (const auto& [field, button] : applies) {
        connect(field, &QLineEdit::returnPressed, findChild<QPushButton*>(QLatin1String(button)),
                &QPushButton::click);
    }
}

}  // namespace lattora
