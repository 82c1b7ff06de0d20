// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt program for comparison: opens one empty window and quits after its first paint.
#include <QApplication>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    lintrel::bench::QuitAfterFirstPaint quit(window);
    window.show();
    return QApplication::exec();
}
