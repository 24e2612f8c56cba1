// The main window started over a damaged settings file: it starts, tells what
// it ignored in one message, stays usable, leaves the file alone, and its first
// save keeps the damaged original.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "config/configsettings.h"
#include "mainwindow/form1.h"
#include "platform/print/printer.h"
#include "platform/settings/qsettingsstore.h"
#include "platform/ui/colorchooser.h"
#include "tests/settings/damagedfiles.h"
#include "tests/support/fakecolorchooser.h"
#include "tests/support/fixedprinter.h"
#include "tests/support/recordingboxes.h"

namespace lattora::test {
namespace {

const QString kBullet = QStringLiteral("\n\u2022 ");

// The entries the start-up message lists, one to a bullet.
QStringList listedIn(const QString& message) {
    QStringList parts = message.split(kBullet);
    parts.removeFirst();  // the heading
    if (!parts.isEmpty()) {
        QString& last = parts.last();
        last.truncate(last.indexOf(QStringLiteral("\n\n")));
    }
    return parts;
}

void clickIn(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

class DamagedFileWindow : public ::testing::TestWithParam<DamagedFile> {
protected:
    Form1& open() {
        store = std::make_unique<QSettingsStore>();
        form = std::make_unique<Form1>(*store, printer, boxes, chooser, nullptr, folder.path());
        form->setQuitter([] {});
        QObject::connect(form.get(), &Form1::paperDrawn, [this] { ++drawn; });
        form->Form_Load();
        return *form;
    }
    QPushButton* button(const char* name) const {
        return form->findChild<QPushButton*>(QLatin1String(name));
    }
    QString errors() const { return boxes.errors().join(u'\n'); }

    ConfigHome home;
    FixedPrinter printer{
        PageSetup{QSizeF(210, 297), QRectF(5, 5, 200, 287), Orientation::Portrait}};
    RecordingBoxes boxes;
    NoColorChooser chooser;
    QTemporaryDir folder;
    std::unique_ptr<QSettingsStore> store;
    std::unique_ptr<Form1> form;  // goes before the store it reads
    int drawn = 0;
};

TEST_P(DamagedFileWindow, StartsTellingWhatItIgnoredInOneMessageAndWritesNothing) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    const ConfigHome::Snapshot before = home.snapshot();
    Form1& form = open();

    EXPECT_TRUE(boxes.errors().isEmpty()) << errors().toStdString();
    if (damaged.told.isEmpty()) {
        EXPECT_TRUE(boxes.shown.isEmpty());
    } else {
        ASSERT_EQ(boxes.messages().size(), 1);
        const QString message = boxes.messages().first();
        EXPECT_TRUE(message.contains(home.file())) << message.toStdString();
        EXPECT_TRUE(tellsWhatWasIgnored(damaged, listedIn(message)));
        // However large the damage, the box stays readable.
        EXPECT_LT(message.size(), 6000);
    }
    EXPECT_GE(drawn, 1);

    // The window runs on the values it could read and the defaults.
    ConfigSettings expected;
    LoadSettings(expected, *store);
    const ConfigSettings shown = form.configDialog().settings();
    EXPECT_EQ(shown.subdiv10, expected.subdiv10);
    EXPECT_EQ(shown.subdiv2, expected.subdiv2);
    EXPECT_EQ(shown.hGraduation, expected.hGraduation);
    EXPECT_EQ(shown.unitSystem, damaged.metric ? UnitSystem::Metric : UnitSystem::Imperial);
    EXPECT_NO_THROW(form.configDialog().subdivisionLimits());

    // And stays usable: commands and redraws raise nothing, and tell
    // nothing again.
    boxes.shown.clear();
    const int drawnBefore = drawn;
    button("PushButton18")->click();  // standard margins
    form.findChild<QComboBox*>(QStringLiteral("cbAbsScale"))->setCurrentIndex(4);
    form.findChild<QComboBox*>(QStringLiteral("cbOrdScale"))->setCurrentIndex(6);
    EXPECT_GT(drawn, drawnBefore);
    EXPECT_TRUE(boxes.shown.isEmpty()) << errors().toStdString();

    EXPECT_EQ(home.snapshot(), before);
    form.close();
    this->form.reset();
    store.reset();
    EXPECT_EQ(home.snapshot(), before);
}

TEST_P(DamagedFileWindow, FirstSaveKeepsTheDamagedOriginalAndSaysWhere) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    Form1& form = open();
    boxes.shown.clear();
    form.setModalRunner([](QDialog& dialog) {
        clickIn(dialog, dialog.objectName() == u"frmConfig" ? "PushButton2" : "PushButton3");
        return dialog.result();
    });
    button("PushButton12")->click();  // Configuration, then OK

    if (damaged.kind == DamagedFile::Kind::Folder) {
        // Reported as a failed save; the folder is left as it is.
        EXPECT_FALSE(boxes.errors().isEmpty());
        EXPECT_TRUE(QFileInfo(home.file()).isDir());
        return;
    }
    EXPECT_TRUE(boxes.errors().isEmpty()) << errors().toStdString();
    const QString copy = home.file() + QStringLiteral(".damaged");
    if (damaged.copyOnSave) {
        ASSERT_EQ(boxes.messages().size(), 1);
        EXPECT_TRUE(boxes.messages().first().contains(copy))
            << boxes.messages().first().toStdString();
        QFile kept(copy);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), damaged.bytes);
    } else {
        EXPECT_TRUE(boxes.messages().isEmpty()) << boxes.messages().join(u'\n').toStdString();
        EXPECT_FALSE(QFileInfo::exists(copy));
    }
    // All six values were saved, read back by a store opened anew.
    const QSettingsStore reopened;
    ConfigSettings saved;
    LoadSettings(saved, reopened);
    const ConfigSettings shown = form.configDialog().settings();
    EXPECT_EQ(saved.subdiv10, shown.subdiv10);
    EXPECT_EQ(saved.subdiv2, shown.subdiv2);
    EXPECT_EQ(saved.hGraduation, shown.hGraduation);
    EXPECT_EQ(saved.unitSystem, shown.unitSystem);

    // The next save keeps no further copy and tells nothing more.
    boxes.shown.clear();
    button("PushButton12")->click();
    EXPECT_TRUE(boxes.messages().isEmpty()) << boxes.messages().join(u'\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(copy + QStringLiteral(".2")));
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFileWindow, ::testing::ValuesIn(damagedFiles()), testName);

// Reading the stored line sets must not make start-up slow, however many
// there are or however long one is.
class MegabyteTemplateWindow : public DamagedFileWindow {};

TEST_P(MegabyteTemplateWindow, StartsWellUnderASecond) {
    home.write(GetParam());
    QElapsedTimer clock;
    clock.start();
    open();
    const qint64 elapsed = clock.elapsed();
    RecordProperty("startup_ms", static_cast<int>(elapsed));
    std::printf("start-up with %s: %lld ms\n", GetParam().name, static_cast<long long>(elapsed));
    EXPECT_LT(elapsed, 1000);
    EXPECT_EQ(form->stylesDialog().editor().sets.size(),
              GetParam().name == hugeManyLinesTemplate().name ? hugeManyLinesTemplateSets() : 1);
}

INSTANTIATE_TEST_SUITE_P(Files, MegabyteTemplateWindow,
                         ::testing::Values(hugeOneLineTemplate(), hugeManyLinesTemplate()),
                         testName);

}  // namespace
}  // namespace lattora::test
