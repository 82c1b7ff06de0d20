// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "desktop/qt_host.h"
#include "main_window/form1.h"
#include "version.h"

int main(int argc, char* argv[]) {
    // The argument text as one string: everything after the program's own name. It is read
    // before the toolkit starts, and the toolkit gets none of it, so that a note file named
    // like one of its options ("-reverse", "-style=...") is not taken for one.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const QString commandLine = arguments.join(QLatin1Char(' '));
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Lintrel"));
    QApplication::setApplicationVersion(QString::fromLatin1(lintrel::kVersion));
    // Ties the windows to the desktop entry, and gives both windows the program's icon.
    const QString appId = QString::fromLatin1(lintrel::kAppId);
    QGuiApplication::setDesktopFileName(appId);
    QIcon icon;
    for (const int size : lintrel::kIconSizes) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(appId).arg(size));
    }
    QApplication::setWindowIcon(QIcon::fromTheme(appId, icon));
    lintrel::KeepToolkitStoreAway();
    // The main window's close ends the program, whatever other window is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    lintrel::QtHost host;
    lintrel::Form1 form(host);
    host.SetOwner(&form);
    form.Form_Load(commandLine);
    if (form.EndRequested()) {
        return 0;
    }
    form.show();
    return QApplication::exec();
}
