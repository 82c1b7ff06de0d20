// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's start-up and shut-down sequences.
#include <QCoreApplication>
#include <QFileInfo>

#include "core/startup_choice.h"
#include "main_window/form1.h"
#include "platform/code_page.h"
#include "platform/file_test.h"
#include "platform/host.h"
#include "settings/settings_file.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

// The command line's argument text without enclosing double quotes.
QString UnquotedPath(const QString& commandLine) {
    if (commandLine.size() >= 2 && commandLine.startsWith(QLatin1Char('"')) &&
        commandLine.endsWith(QLatin1Char('"'))) {
        return commandLine.mid(1, commandLine.size() - 2);
    }
    return commandLine;
}

}  // namespace

void Form1::ApplyCharset(int charset) {
    codePage_ = CodePageForCharset(charset);
}

void Form1::Form_Load(const QString& commandLine) {
    ApplyCharset(CharsetFromAnswer(
        host_.InputBox(QStringLiteral("Please specify charset value:"), QString())));
    Text1->clear();

    StartupFile = UnquotedPath(commandLine);
    const QString named = StartupFile;
    if (!StartupFile.isEmpty() && FileExists(StartupFile)) {
        // A relative path names a file in the folder the program was started from: kept as a
        // full path, it still names that file at the next start.
        StartupFile = QFileInfo(StartupFile).absoluteFilePath();
        FileFromCommandLine = true;
    } else {
        if (!named.isEmpty()) {
            host_.TellTerminal(QStringLiteral("lintrel: %1: no such note file").arg(named));
        }
        // Default.txt is kept where the settings are.
        const QString folder = SettingsFolder(host_.ProgramFolder());
        const QString defaultFile = folder + QLatin1Char('/') + kDefaultNoteFile;
        if (!folder.isEmpty() && FileExists(defaultFile)) {
            StartupFile = defaultFile;
        }
    }

    LoadFileSettings();

    if (!StartupFile.isEmpty()) {
        // A file that cannot be read leaves the window without notes; start-up goes on.
        if (!LoadNoteFile(StartupFile) && FileFromCommandLine) {
            host_.TellTerminal(QStringLiteral("lintrel: %1: cannot be read").arg(StartupFile));
        }
    } else if (!StartupChoiceMade) {
        endRequested_ = true;
        return;
    }

    LoadGeneralSettings();
    LoadWindowSettings();
    LoadFontSettings();
}

void Form1::SaveSettings() {
    SaveFileSettings();
    SaveGeneralSettings();
    SaveWindowSettings();
    SaveFontSettings();
}

void Form1::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    SaveSettings();
    if (dialog_) {
        dialog_->hide();
    }
    QCoreApplication::exit(0);
}

}  // namespace lintrel
