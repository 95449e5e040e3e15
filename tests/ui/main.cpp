// GUI tests run offscreen with their own temporary configuration folder, so
// no test reads or writes the real home folder.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
    qputenv("HOME", configDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
