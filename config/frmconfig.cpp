#include "config/frmconfig.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "platform/ui/errorreport.h"
#include "platform/ui/messageboxes.h"
#include "platform/ui/okcancel.h"
#include "platform/ui/widgetfactory.h"
#include "sheet/error.h"
#include "sheet/settingsstore.h"
#include "validation/validation.h"

namespace lattora {

namespace {

const QString kWindowName = QStringLiteral("frmConfig");
const QString kThresholdRules =
    QStringLiteral("validate_required;validate_single;validate_decimal");

constexpr int kGraduationPageStep = 5;
// One tick label every half per cent: positions -10, -5, 0, 5, 10.
constexpr int kTickLabelStep = 5;
constexpr std::array<const char*, 5> kTickTexts = {"-1%", "-0.5%", "0%", "0.5%", "1%"};

// A graduation slider with its percentage labels, each centred under the tick
// it names. A layout cannot put them there: where a tick sits depends on the
// style's handle length, so the labels are placed from the style's own
// arithmetic whenever the slider is resized.
class GraduationScale : public QWidget {
public:
    GraduationScale(const QString& sliderName, QWidget* parent) : QWidget(parent) {
        slider_ = new QSlider(Qt::Horizontal, this);
        slider_->setObjectName(sliderName);
        slider_->setRange(kMinGraduation, kMaxGraduation);
        slider_->setSingleStep(1);
        slider_->setPageStep(kGraduationPageStep);
        slider_->setTickPosition(QSlider::TicksBelow);
        slider_->setTickInterval(1);
        slider_->setValue(0);
        const WidgetFactory make({.parent = this});
        for (const char* text : kTickTexts) {
            labels_ << make.label(QString::fromLatin1(text));
        }
        setFocusProxy(slider_);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSlider* slider() const { return slider_; }

    QSize sizeHint() const override { return hintFor(slider_->sizeHint()); }
    QSize minimumSizeHint() const override { return hintFor(slider_->minimumSizeHint()); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        placeChildren();
    }

private:
    // Wide enough for all five labels side by side with a gap between them.
    QSize hintFor(const QSize& sliderHint) const {
        int labelsWidth = 0;
        int labelHeight = 0;
        for (const QLabel* label : labels_) {
            labelsWidth += label->sizeHint().width();
            labelHeight = std::max(labelHeight, label->sizeHint().height());
        }
        const int gaps = (labels_.size() - 1) * fontMetrics().horizontalAdvance(QLatin1Char('M'));
        return {std::max(sliderHint.width(), labelsWidth + gaps),
                slider_->sizeHint().height() + labelHeight};
    }

    void placeChildren() {
        const int sliderHeight = slider_->sizeHint().height();
        slider_->setGeometry(0, 0, width(), sliderHeight);

        QStyleOptionSlider option;
        option.initFrom(slider_);
        option.orientation = slider_->orientation();
        option.minimum = slider_->minimum();
        option.maximum = slider_->maximum();
        option.sliderPosition = slider_->sliderPosition();
        option.sliderValue = slider_->value();
        option.tickPosition = slider_->tickPosition();
        option.tickInterval = slider_->tickInterval();
        option.upsideDown = slider_->invertedAppearance() != (layoutDirection() == Qt::RightToLeft);
        const QStyle* style = slider_->style();
        const int handleLength = style->pixelMetric(QStyle::PM_SliderLength, &option, slider_);
        const int available = style->pixelMetric(QStyle::PM_SliderSpaceAvailable, &option, slider_);

        for (int i = 0; i < labels_.size(); ++i) {
            QLabel* label = labels_[i];
            const int value = kMinGraduation + i * kTickLabelStep;
            const int centre =
                QStyle::sliderPositionFromValue(option.minimum, option.maximum, value, available,
                                                option.upsideDown) +
                handleLength / 2;
            const QSize size = label->sizeHint();
            const int left =
                std::clamp(centre - size.width() / 2, 0, std::max(0, width() - size.width()));
            label->setGeometry(left, sliderHeight, size.width(), size.height());
        }
    }

    QSlider* slider_ = nullptr;
    QList<QLabel*> labels_;
};

}  // namespace

FrmConfig::FrmConfig(SettingsStore& store, ErrorReport& report, QWidget* parent)
    : QDialog(parent), store_(store), report_(report) {
    setObjectName(kWindowName);
    setWindowTitle(QStringLiteral("Configuration"));
    buildControls();
    Form_Load();
}

// Every widget is made on the dialog, so the dialog holds them in the order
// they are made here.
void FrmConfig::buildControls() {
    auto* layout = new QVBoxLayout(this);
    // A fixed size from the layout's own hint: the two explanations wrap, and
    // a freely sized window would otherwise start short of the height they
    // need (a window's first size is capped by the screen) and squeeze the
    // rows below them.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    buildAccuracy(layout);
    layout->addSpacing(fontMetrics().height() / 2);
    buildThresholds(layout);
    layout->addSpacing(fontMetrics().height() / 2);
    buildUnitChoice(layout);

    layout->addStretch(1);
    layout->addLayout(makeOkCancelRow(
                          this, [this] { PushButton2_Click(); }, [this] { PushButton1_Click(); })
                          .row);
}

// The graduation corrections: a slider for each direction.
void FrmConfig::buildAccuracy(QVBoxLayout* layout) {
    const WidgetFactory make({.parent = this});
    layout->addWidget(make.heading(QStringLiteral("Accuracy")));
    layout->addWidget(make.explanation(
        QStringLiteral("Graduations are not very accurate with some printers. Select the "
                       "correction factors to get divisions with exact length.")));
    auto* accuracy = new QGridLayout;
    const auto addGraduation = [&](int row, const QString& name, const QString& text) {
        QLabel* label = make.label(text);
        auto* scale = new GraduationScale(name, this);
        WidgetFactory::nameAfter(scale->slider(), label);
        accuracy->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
        accuracy->addWidget(scale, row, 1);
        return scale->slider();
    };
    sGradH_ = addGraduation(0, QStringLiteral("sGradH"), QStringLiteral("Horizontal Graduations"));
    sGradV_ = addGraduation(1, QStringLiteral("sGradV"), QStringLiteral(" Vertical Graduations"));
    accuracy->setColumnStretch(1, 1);
    layout->addLayout(accuracy);
}

// The three subdivision thresholds, each with the unit it is read in.
void FrmConfig::buildThresholds(QVBoxLayout* layout) {
    const WidgetFactory make({.parent = this});
    layout->addWidget(make.heading(QStringLiteral("Subdivisions")));
    layout->addWidget(make.explanation(
        QStringLiteral("In non linear scales, the axis range is divided in unequal intervals. The "
                       "largest divisions can be subdivided by subdivision lines.")));
    auto* thresholds = new QGridLayout;
    const std::array<QString, kThresholdCount> labelTexts = {
        QStringLiteral("10 subdivisions if division > "),
        QStringLiteral("5 subdivisions if division > "),
        QStringLiteral("2 subdivisions if division > ")};
    const std::array<QString, kThresholdCount> initialTexts = {
        QStringLiteral("0.39"), QStringLiteral("0.20"), QStringLiteral("0.08")};
    // Room for the wider unit name, so switching units does not shift the rows.
    const int unitWidth =
        std::max(fontMetrics().horizontalAdvance(subdivUnitLabel(UnitSystem::Metric)),
                 fontMetrics().horizontalAdvance(subdivUnitLabel(UnitSystem::Imperial)));
    for (int i = 0; i < kThresholdCount; ++i) {
        QLabel* label = make.label(labelTexts[i]);
        QLineEdit* field =
            make.field(QStringLiteral("tSubdiv%1").arg(i), initialTexts[i], kThresholdRules, label);
        QLabel* unit = make.label(subdivUnitLabel(unit_), QStringLiteral("lblSubdiv%1").arg(i));
        unit->setMinimumWidth(unitWidth);
        field->setAccessibleDescription(unit->text());
        thresholds->addWidget(label, i, 0);
        thresholds->addWidget(field, i, 1);
        thresholds->addWidget(unit, i, 2);
        tSubdiv_ << field;
        lblSubdiv_ << unit;
        connect(field, &QLineEdit::textChanged, this, [this, i] { tSubdiv_Change(i); });
    }
    thresholds->setColumnStretch(1, 1);
    layout->addLayout(thresholds);
}

void FrmConfig::buildUnitChoice(QVBoxLayout* layout) {
    layout->addWidget(WidgetFactory({.parent = this}).heading(QStringLiteral("Unit System")));
    auto* units = new QHBoxLayout;
    rbMetric_ = new QRadioButton(QStringLiteral("Metric"), this);
    rbMetric_->setObjectName(QStringLiteral("rbMetric"));
    rbImperial_ = new QRadioButton(QStringLiteral("Imperial"), this);
    rbImperial_->setObjectName(QStringLiteral("rbImperial"));
    // The initial thresholds are inches.
    rbImperial_->setChecked(true);
    // clicked, not toggled: only the user's choice converts, never the
    // selection LoadSettings makes.
    connect(rbMetric_, &QRadioButton::clicked, this, [this] { rbMetric_Click(); });
    connect(rbImperial_, &QRadioButton::clicked, this, [this] { rbImperial_Click(); });
    units->addWidget(rbMetric_);
    units->addWidget(rbImperial_);
    units->addStretch(1);
    layout->addLayout(units);
}

void FrmConfig::Form_Load() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Form_Load"), this);
    scope([&] {
        const QIcon icon = QApplication::windowIcon();
        if (!icon.isNull()) {
            setWindowIcon(icon);
        }
    });
}

void FrmConfig::LoadSettings(QStringList* passedOver) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("LoadSettings"), this);
    // Start from what is shown, so a graduation that cannot be read keeps its
    // slider position.
    ConfigSettings loaded = settings();
    if (passedOver != nullptr) {
        scope([&] { *passedOver << lattora::LoadSettings(loaded, store_); });
    } else {
        scope.collect([&] { return lattora::LoadSettings(loaded, store_); });
    }
    scope([&] {
        sGradH_->setValue(loaded.hGraduation);
        sGradV_->setValue(loaded.vGraduation);
    });
    scope([&] { showThresholds(loaded); });
}

void FrmConfig::rbMetric_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("rbMetric_Click"), this);
    selectUnit(UnitSystem::Metric, scope);
}

void FrmConfig::rbImperial_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("rbImperial_Click"), this);
    selectUnit(UnitSystem::Imperial, scope);
}

void FrmConfig::selectUnit(UnitSystem system, ReportingScope& scope) {
    // The record of the unit the texts are in, not the buttons, decides: by
    // the time a click arrives its button is already checked.
    if (system == unit_) {
        (system == UnitSystem::Metric ? rbMetric_ : rbImperial_)->setChecked(true);
        return;
    }
    // A text that could not be converted keeps its text; it is reported once
    // the others show their new values.
    scope.collect([&] {
        ConfigSettings converted = settings();
        const QStringList problems = SelectUnitSystem(converted, system);
        showThresholds(converted);
        return problems;
    });
}

void FrmConfig::tSubdiv_Change(int /*index*/) {
    ReportingScope scope(report_, kWindowName, QStringLiteral("tSubdiv_Change"), this);
    // Live colouring only: the summary matters when OK is pressed.
    scope([&] { DoControlValidationColor(this); });
}

void FrmConfig::PushButton2_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton2_Click"), this);
    QString message;
    scope([&] { message = DoControlValidationColor(this); });
    if (!message.isEmpty()) {
        scope([&] { report_.boxes().showMessage(this, message); });
        return;
    }
    scope([&] { SaveSettings(settings(), store_); });
    scope([&] { showSaveNotice(report_.boxes(), store_, this); });
    // The fields keep what was accepted; reading the store back would only
    // give the same texts, or after a failed save a mix of old and new ones.
    scope([&] { done(Accepted); });
}

void FrmConfig::PushButton1_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton1_Click"), this);
    scope([&] { LoadSettings(); });
    scope([&] { done(Rejected); });
}

void FrmConfig::accept() {
    PushButton2_Click();
}

void FrmConfig::reject() {
    PushButton1_Click();
}

ConfigSettings FrmConfig::settings() const {
    ConfigSettings current;
    current.hGraduation = sGradH_->value();
    current.vGraduation = sGradV_->value();
    current.subdiv10 = tSubdiv_[0]->text();
    current.subdiv5 = tSubdiv_[1]->text();
    current.subdiv2 = tSubdiv_[2]->text();
    current.unitSystem = unit_;
    return current;
}

SubdivisionLimits FrmConfig::subdivisionLimits() const {
    return lattora::subdivisionLimits(settings());
}

GraduationCorrections FrmConfig::corrections() const {
    return graduationCorrections(settings());
}

void FrmConfig::showThresholds(const ConfigSettings& settings) {
    // The unit first, so whatever a text change wakes reads each text with
    // the unit it belongs to.
    unit_ = settings.unitSystem;
    (unit_ == UnitSystem::Metric ? rbMetric_ : rbImperial_)->setChecked(true);
    const QString unitText = subdivUnitLabel(unit_);
    for (int i = 0; i < kThresholdCount; ++i) {
        lblSubdiv_[i]->setText(unitText);
        tSubdiv_[i]->setAccessibleDescription(unitText);
    }
    tSubdiv_[0]->setText(settings.subdiv10);
    tSubdiv_[1]->setText(settings.subdiv5);
    tSubdiv_[2]->setText(settings.subdiv2);
}

}  // namespace lattora
