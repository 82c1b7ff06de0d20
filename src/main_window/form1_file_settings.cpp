// SPDX-License-Identifier: GPL-3.0-or-later
// FileSettings.ini: the start-up file choice, the specified file, the separator and the
// file loaded last.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/startup_choice.h"
#include "main_window/form1.h"
#include "platform/host.h"
#include "settings/settings_file.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

const QString kFileSettings = QStringLiteral("FileSettings.ini");

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

}  // namespace

void Form1::SaveFileSettings() {
    Dialog& d = SettingsDialog();
    SaveSettingsFile(host_, kFileSettings, [&](SettingsWriter& w) {
        w.Boolean(d.load_default->isChecked());
        w.Boolean(d.load_last->isChecked());
        w.Boolean(d.load_nothing->isChecked());
        w.Boolean(d.load_specified->isChecked());
        w.Text(SettingsBytes(d.note_file_specified_path->text()));
        w.Text(SettingsBytes(d.notes_separation_characters->text()));
        w.Text(SettingsBytes(file_name->text()));
    });
}

void Form1::LoadFileSettings() {
    Dialog& d = SettingsDialog();
    LoadSettingsFile(host_, kFileSettings, 7, [&](const std::vector<Field>& f) {
        Dialog::SetOption(d.load_default, ReadBoolean(f[0]));
        Dialog::SetOption(d.load_last, ReadBoolean(f[1]));
        Dialog::SetOption(d.load_nothing, ReadBoolean(f[2]));
        Dialog::SetOption(d.load_specified, ReadBoolean(f[3]));
        d.note_file_specified_path->setText(SettingsText(ReadText(f[4])));
        d.notes_separation_characters->setText(SettingsText(ReadText(f[5])));
        if (FileFromCommandLine) {
            return;
        }
        if (const auto file =
                StartupFileFor(ChosenFileOption(d), host_.ProgramFolder(),
                               SettingsText(ReadText(f[6])), d.note_file_specified_path->text())) {
            StartupFile = *file;
            StartupChoiceMade = true;
        }
    });
}

}  // namespace lintrel
