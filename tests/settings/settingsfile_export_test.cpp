// The export over a damaged settings file, in this process and as the real
// program: it finishes, writes a valid sheet, tells each ignored setting once
// after it and leaves the file as it found it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/exportcommand.h"
#include "platform/output/pagesetup.h"
#include "platform/settings/qsettingsstore.h"
#include "tests/settings/damagedfiles.h"

namespace lattora::test {
namespace {

const QString kWarning = QStringLiteral("lattora-export: warning: ");

// The warnings of an export's error output; every line must be one.
QStringList warningsOf(const QString& errText) {
    QStringList warnings;
    for (const QString& line : errText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.startsWith(kWarning)) << line.toStdString();
        warnings << line.mid(kWarning.size());
    }
    return warnings;
}

class DamagedFileExport : public ::testing::TestWithParam<DamagedFile> {
protected:
    ConfigHome home;
};

TEST_P(DamagedFileExport, FinishesAndTellsEachIgnoredSettingOnceAfterwards) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    const ConfigHome::Snapshot before = home.snapshot();

    QByteArray outBytes;
    QBuffer out(&outBytes);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    QString errText;
    QTextStream err(&errText);
    int status = -1;
    {
        const QSettingsStore store;
        status =
            runExportCommand({QStringLiteral("--paper"), QStringLiteral("A4"), QStringLiteral("-")},
                             store, out, err);
    }
    err.flush();
    ASSERT_EQ(status, 0) << errText.toStdString();
    // The sheet in the stored unit, drawn whole.
    EXPECT_TRUE(outBytes.startsWith(damaged.metric ? "unit 7\n" : "unit 5\n"))
        << outBytes.left(40).toStdString();
    EXPECT_GT(outBytes.count("\nline "), 40);
    EXPECT_TRUE(tellsWhatWasIgnored(damaged, warningsOf(errText)));
    EXPECT_EQ(home.snapshot(), before);
}

TEST_P(DamagedFileExport, TheExportProgramWritesAValidSheet) {
    const DamagedFile& damaged = GetParam();
    home.write(damaged);
    const ConfigHome::Snapshot before = home.snapshot();
    QTemporaryDir outDir;
    const QString pdf = outDir.filePath(QStringLiteral("sheet.pdf"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(LATTORA_EXPORT_BINARY),
                  {QStringLiteral("--paper"), QStringLiteral("A4"), pdf});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString errText = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << errText.toStdString();
    QFile sheet(pdf);
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    const QByteArray bytes = sheet.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_TRUE(tellsWhatWasIgnored(damaged, warningsOf(errText)));
    EXPECT_EQ(home.snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFileExport, ::testing::ValuesIn(damagedFiles()), testName);

}  // namespace
}  // namespace lattora::test
