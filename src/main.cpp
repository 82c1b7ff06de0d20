#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "main_window/form1.h"
#include "platform/qt_host.h"

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
    QApplication::setApplicationVersion(QStringLiteral(LINTREL_VERSION));
    // Ties the windows to the desktop entry, and gives both windows the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(LINTREL_APP_ID));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/" LINTREL_APP_ID "-%1.png").arg(size));
    }
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(LINTREL_APP_ID), icon));
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
