#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "main_window/form1.h"
#include "platform/qt_host.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lintrel"));
    QApplication::setApplicationVersion(QStringLiteral(LINTREL_VERSION));
    // Ties the windows to the desktop entry, and gives both windows the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(LINTREL_APP_ID));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/" LINTREL_APP_ID "-%1.png").arg(size));
    }
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(LINTREL_APP_ID), icon));
    // The main window's close ends the program, whatever other window is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    // The argument text as one string: everything after the program's own name.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString commandLine = arguments.join(QLatin1Char(' '));

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
