// SPDX-License-Identifier: GPL-3.0-or-later
// Window tests run on Qt's offscreen platform: no display is needed and nothing blocks.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "desktop/qt_host.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test writes to the user's own configuration folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    lintrel::KeepToolkitStoreAway();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
