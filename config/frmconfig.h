// The configuration dialog: the printer graduation corrections, the
// subdivision thresholds of the non-linear scales and the unit system.
//
// It is created once and kept, hidden, for the whole run: its controls are the
// program's live values, so drawing reads the thresholds from its fields and
// printing the corrections from its sliders. The stored values change only on
// OK; Cancel, Escape and the close box put the stored values back.
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include "config/configsettings.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QVBoxLayout;

namespace lattora {

class ErrorReport;
class ReportingScope;
class SettingsStore;

class FrmConfig : public QDialog {
    Q_OBJECT

public:
    static constexpr int kThresholdCount = 3;

    // Builds the dialog with its initial values (no graduation correction,
    // the imperial thresholds "0.39", "0.20", "0.08"); LoadSettings fills it
    // from `store`. Both references must outlive the dialog.
    FrmConfig(SettingsStore& store, ErrorReport& report, QWidget* parent = nullptr);

    // The full load from the store: both sliders, the three thresholds with
    // the defaults of the stored unit system, the unit buttons and labels.
    // Never converts. A stored graduation that is no slider position is
    // reported and leaves its slider where it was; the rest still loads. Given
    // `passedOver`, such problems are added to it instead of reported, so a
    // caller can tell them together with others.
    void LoadSettings(QStringList* passedOver = nullptr);

    // The user picked a unit. Only a real change converts the three threshold
    // texts (inches to centimetres or back); picking the unit already shown
    // does nothing. Nothing is stored.
    void rbMetric_Click();
    void rbImperial_Click();

    // A threshold text changed: recolours the dialog's checked fields.
    void tSubdiv_Change(int index);

    // OK: refused with a message box while a field is empty or malformed;
    // otherwise stores the six values and hides the dialog (exec() answers
    // Accepted). What the store has to say about the save (a copy it kept of
    // a damaged file) is shown in a message box.
    void PushButton2_Click();
    // Cancel: reloads from the store and hides the dialog (exec() answers
    // Rejected).
    void PushButton1_Click();

    // The values the controls hold right now.
    ConfigSettings settings() const;
    // The thresholds in single precision, read from the field texts; a text
    // that is not a number raises Error.
    SubdivisionLimits subdivisionLimits() const;
    // Slider positions / 1000.
    GraduationCorrections corrections() const;
    // The unit the threshold texts are expressed in.
    UnitSystem unitSystem() const { return unit_; }

public Q_SLOTS:
    // Whatever accepts the dialog goes through OK, so nothing bypasses the
    // field checks.
    void accept() override;
    // Escape and the close box act as Cancel: the fields must go back to the
    // stored values, since drawing keeps reading them after the dialog hides.
    void reject() override;

private:
    void Form_Load();
    void buildControls();
    void buildAccuracy(QVBoxLayout* layout);
    void buildThresholds(QVBoxLayout* layout);
    void buildUnitChoice(QVBoxLayout* layout);
    void selectUnit(UnitSystem system, ReportingScope& scope);
    // Shows the thresholds and the unit of `settings`, without converting.
    void showThresholds(const ConfigSettings& settings);

    SettingsStore& store_;
    ErrorReport& report_;
    UnitSystem unit_ = UnitSystem::Imperial;

    QSlider* sGradH_ = nullptr;
    QSlider* sGradV_ = nullptr;
    QList<QLineEdit*> tSubdiv_;
    QList<QLabel*> lblSubdiv_;
    QRadioButton* rbMetric_ = nullptr;
    QRadioButton* rbImperial_ = nullptr;
};

}  // namespace lattora
