#include "desktop/frmshortcuts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "desktop/programicon.h"
#include "platform/ui/errorreport.h"
#include "platform/ui/okcancel.h"
#include "sheet/error.h"

namespace lattora {

namespace {

const QString kWindowName = QStringLiteral("frmShortcuts");

}  // namespace

FrmShortcuts::FrmShortcuts(ErrorReport& report, QWidget* parent)
    : QDialog(parent), report_(report) {
    setObjectName(kWindowName);
    setWindowTitle(kShortcutName);
    buildControls();
    Form_Load();
}

void FrmShortcuts::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* heading = new QLabel(QStringLiteral("Program Setup"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);

    CheckBox1_ = new QCheckBox(QStringLiteral("Create a shortcut on the desktop"), this);
    CheckBox1_->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2_ = new QCheckBox(QStringLiteral("Create an entry on the start menu"), this);
    CheckBox2_->setObjectName(QStringLiteral("CheckBox2"));
    // Someone who opens this dialog most likely wants both.
    CheckBox1_->setChecked(true);
    CheckBox2_->setChecked(true);
    layout->addWidget(CheckBox1_);
    layout->addWidget(CheckBox2_);

    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(makeOkCancelRow(
                          this, [this] { PushButton2_Click(); }, [this] { PushButton1_Click(); })
                          .row);
}

void FrmShortcuts::Form_Load() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("Form_Load"), this);
    scope([&] { setWindowIcon(programIcon()); });
}

QString FrmShortcuts::programPath() const {
    if (!programPath_.isEmpty()) {
        return programPath_;
    }
    // The real executable, as it is named here: a shortcut to any other
    // name would start nothing.
    const QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty()) {
        throw Error(QStringLiteral("The program's own file cannot be found"));
    }
    return path;
}

void FrmShortcuts::PushButton2_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton2_Click"), this);
    QString target;
    scope([&] { target = programPath(); });
    if (!target.isEmpty()) {
        if (CheckBox1_->isChecked()) {
            scope([&] {
                CreateProgramShortcut(kDesktopFolderKey, target, kShortcutName, *folders_,
                                      report_.boxes(), this);
            });
        }
        if (CheckBox2_->isChecked()) {
            scope([&] {
                CreateProgramShortcut(kStartMenuFolderKey, target, kShortcutName, *folders_,
                                      report_.boxes(), this);
            });
        }
    }
    scope([&] { done(Accepted); });
}

void FrmShortcuts::PushButton1_Click() {
    ReportingScope scope(report_, kWindowName, QStringLiteral("PushButton1_Click"), this);
    scope([&] { done(Rejected); });
}

void FrmShortcuts::accept() {
    PushButton2_Click();
}

void FrmShortcuts::reject() {
    PushButton1_Click();
}

}  // namespace lattora
