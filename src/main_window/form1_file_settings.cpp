// SPDX-License-Identifier: GPL-3.0-or-later
// FileSettings.ini: the start-up file choice, the specified file, the separator and the
// file loaded last.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/startup_choice.h"
#include "main_window/control_values.h"
#include "main_window/form1.h"
#include "platform/host.h"
#include "settings/settings_file.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

StartupFileOption ChosenFileOption(const Dialog& d) {
    if (d.load_default->isChecked()) {
        return StartupFileOption::Default;
    }
    if (d.load_last->isChecked()) {
        return StartupFileOption::Last;
    }
    if (d.load_nothing->isChecked()) {
        return StartupFileOption::Nothing;
    }
    return d.load_specified->isChecked() ? StartupFileOption::Specified : StartupFileOption::None;
}

// The lines of FileSettings.ini in their order: the four start-up file options, the
// specified file, the separator, and the file loaded last (whose text a load keeps in
// `lastFile`).
SettingsLines FileLines(Dialog& d, const QLabel* fileName, QString& lastFile) {
    return {OptionLine(0, d.load_default),
            OptionLine(1, d.load_last),
            OptionLine(2, d.load_nothing),
            OptionLine(3, d.load_specified),
            TextLine(4, d.note_file_specified_path),
            TextLine(5, d.notes_separation_characters),
            {6, [fileName](SettingsWriter& w) { w.Text(SettingsBytes(fileName->text())); },
             [&lastFile](const Field& f) { lastFile = SettingsText(ReadText(f)); }}};
}

}  // namespace

void Form1::SaveFileSettings() {
    QString unused;
    SaveSettingsFile(host_, kFileSettings, FileLines(SettingsDialog(), file_name, unused));
}

void Form1::LoadFileSettings() {
    Dialog& d = SettingsDialog();
    QString lastFile;
    LoadSettingsFile(host_, kFileSettings, FileLines(d, file_name, lastFile), [&] {
        if (FileFromCommandLine) {
            return;
        }
        if (const auto file =
                StartupFileFor(ChosenFileOption(d), SettingsFolder(host_.ProgramFolder()), lastFile,
                               d.note_file_specified_path->text())) {
            StartupFile = *file;
            StartupChoiceMade = true;
        }
    });
}

}  // namespace lintrel
