// SPDX-License-Identifier: GPL-3.0-or-later
// The whole start-up of the reader on FILE, from the program's start to the first paint of its
// window, then quits. The charset question is answered by cancelling it. Timed from outside.
//
//   startup_bench FILE
#include <QApplication>

#include "first_paint.h"
#include "main_window/form1.h"
#include "quiet_host.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString commandLine = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));

    lintrel::bench::QuietHost host;
    lintrel::Form1 form(host);
    host.SetOwner(&form);
    form.Form_Load(commandLine);
    if (form.EndRequested()) {
        return 1;
    }
    lintrel::bench::QuitAfterFirstPaint quit(form);
    form.show();
    QApplication::exec();
    return form.NoteList.Count() > 0 ? 0 : 1;
}
