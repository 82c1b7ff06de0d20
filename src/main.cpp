#include <QApplication>
#include <QStringList>

#include "main_window/form1.h"
#include "platform/qt_host.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lintrel"));
    QApplication::setApplicationVersion(QStringLiteral(LINTREL_VERSION));
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
