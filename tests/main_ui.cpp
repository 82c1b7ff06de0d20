// SPDX-License-Identifier: GPL-3.0-or-later
// Window tests run on Qt's offscreen platform: no display is needed and nothing blocks. The few
// that need a real display's clipboard run again under Xvfb with LINTREL_TEST_PLATFORM=xcb.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "desktop/qt_host.h"

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("LINTREL_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    // No test writes to the user's own configuration folder.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    lintrel::KeepToolkitStoreAway();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
