// The shortcuts dialog: puts a shortcut that starts the program on the
// desktop and in the applications menu.
//
// It is created once and kept, hidden, for the whole run, so its boxes keep
// what the user last chose; OK and Cancel only hide it.
#pragma once

#include <QDialog>
#include <QString>

#include "desktop/shortcuts.h"

class QCheckBox;

namespace lattora {

class ErrorReport;

class FrmShortcuts : public QDialog {
    Q_OBJECT

public:
    // The name the shortcuts carry, and the dialog's title.
    static inline const QString kShortcutName = QStringLiteral("Lattora");

    // `report` must outlive the dialog. Both boxes start checked.
    explicit FrmShortcuts(ErrorReport& report, QWidget* parent = nullptr);

    // Where the shortcuts go (the desktop's own folders by default); must
    // outlive the dialog.
    void setShortcutFolders(const ShortcutFolders& folders) { folders_ = &folders; }
    // The program the shortcuts start; empty, the default, means this
    // running executable.
    void setProgramPath(QString path) { programPath_ = std::move(path); }
    QString programPath() const;

    // OK: makes the checked shortcuts, each on its own, so one that fails is
    // reported and the other is still made; then hides the dialog.
    void PushButton2_Click();
    // Cancel: hides the dialog.
    void PushButton1_Click();

public Q_SLOTS:
    void accept() override;
    // Escape and the close box act as Cancel.
    void reject() override;

private:
    void Form_Load();
    void buildControls();

    ErrorReport& report_;
    XdgShortcutFolders desktopFolders_;
    const ShortcutFolders* folders_ = &desktopFolders_;
    QString programPath_;

    QCheckBox* CheckBox1_ = nullptr;  // desktop
    QCheckBox* CheckBox2_ = nullptr;  // applications menu
};

}  // namespace lattora
