// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QSessionManager>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

#include "desktop/qt_host.h"
#include "desktop/session_end.h"
#include "main_window/form1.h"
#include "platform/command_line.h"
#include "settings/print_command.h"
#include "settings/settings_file.h"
#include "version.h"

namespace {

// Runs a --print or --count request: what it prints goes to standard output, what went wrong
// to standard error; the settings are read from where the window keeps them, never written.
int Print(const lintrel::PrintRequest& request, const QString& error) {
    if (request.which.isEmpty()) {
        std::fprintf(stderr, "lintrel: %s\n", error.toLocal8Bit().constData());
        return lintrel::kUsage;
    }
    // The real executable's folder, as the window finds it, through any link to it.
    const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    std::random_device random;
    std::string out;
    std::string err;
    const int status = lintrel::RunPrintRequest(
        request, lintrel::SettingsFolder(programFolder),
        [&random](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
        },
        out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}

// Answers a request that needs no window: a note printed to the terminal, the version or the
// usage; none for a note file or nothing.
std::optional<int> AnswerWithoutWindow(const QStringList& arguments, const QString& commandLine) {
    const bool isFile = QFileInfo(commandLine).isFile();
    if (!isFile) {
        QString error;
        if (const auto request = lintrel::ParsePrintRequest(arguments, error)) {
            return Print(*request, error);
        }
    }
    if (const auto answer =
            lintrel::ProgramRequest(commandLine, isFile, QString::fromLatin1(lintrel::kVersion))) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    return std::nullopt;
}

// Names the program to the toolkit and the desktop: ties the windows to the desktop entry and
// gives them the program's icon.
void PresentProgram() {
    QApplication::setApplicationName(QStringLiteral("Lintrel"));
    QApplication::setApplicationVersion(QString::fromLatin1(lintrel::kVersion));
    const QString appId = QString::fromLatin1(lintrel::kAppId);
    QGuiApplication::setDesktopFileName(appId);
    QIcon icon;
    for (const int size : lintrel::kIconSizes) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(appId).arg(size));
    }
    QApplication::setWindowIcon(QIcon::fromTheme(appId, icon));
}

}  // namespace

int main(int argc, char* argv[]) {
    // A message written to a pipe whose reader is gone fails; it does not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    // The argument text as one string: everything after the program's own name. It is read
    // before the toolkit starts, and the toolkit gets none of it, so that a note file named
    // like one of its options ("-reverse", "-style=...") is not taken for one.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const QString commandLine = arguments.join(QLatin1Char(' '));
    if (const std::optional<int> status = AnswerWithoutWindow(arguments, commandLine)) {
        return *status;
    }
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    PresentProgram();
    lintrel::KeepToolkitStoreAway();
    // The main window's close ends the program, whatever other window is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    lintrel::QtHost host;
    lintrel::Form1 form(host);
    host.SetOwner(&form);
    // Ended by the desktop (logout, kill, a closed terminal, Ctrl+C): once the main window is
    // up, as closing it ends the program, with the settings saved; during start-up nothing
    // has been read to keep, and the program just ends.
    bool shown = false;
    bool endedEarly = false;
    const lintrel::SessionEnd ending([&](int) {
        if (shown) {
            form.close();
        } else {
            endedEarly = true;
            QCoreApplication::exit(0);
        }
    });
    // A session manager asks to save before logging out, which it may still cancel.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&](QSessionManager&) {
        if (shown) {
            form.SaveSettings();
        }
    });
    form.Form_Load(commandLine);
    if (form.EndRequested() || endedEarly) {
        return 0;
    }
    form.show();
    shown = true;
    return QApplication::exec();
}
