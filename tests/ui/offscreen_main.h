#pragma once
// The main of a GUI test program: offscreen, with its own temporary
// configuration folder, so that no test reads or writes the real home folder.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarsel::testing {

inline int runOffscreenTests(int argc, char** argv, bool quitOnLastWindowClosed) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
    qputenv("HOME", configDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindowClosed);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace tarsel::testing
