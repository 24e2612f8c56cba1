// Test entry point: a GUI application object exists for every test, so fonts,
// images and painters work; the platform is offscreen, and the user's own
// settings folder is replaced by a fresh temporary one for the whole run.
#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir configHome;
    if (!configHome.isValid()) {
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
