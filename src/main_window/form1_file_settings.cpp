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

// The lines of FileSettings.ini in their order, and their count.
enum FileLine : std::size_t {
    kLoadDefault,
    kLoadLast,
    kLoadNothing,
    kLoadSpecified,
    kSpecifiedFile,
    kSeparator,
    kLastFile,
    kFileLines
};

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
    SaveSettingsFile(host_, kFileSettings, kFileLines, [&](SettingsWriter& w) {
        w.At(kLoadDefault).Boolean(d.load_default->isChecked());
        w.At(kLoadLast).Boolean(d.load_last->isChecked());
        w.At(kLoadNothing).Boolean(d.load_nothing->isChecked());
        w.At(kLoadSpecified).Boolean(d.load_specified->isChecked());
        w.At(kSpecifiedFile).Text(SettingsBytes(d.note_file_specified_path->text()));
        w.At(kSeparator).Text(SettingsBytes(d.notes_separation_characters->text()));
        w.At(kLastFile).Text(SettingsBytes(file_name->text()));
    });
}

void Form1::LoadFileSettings() {
    Dialog& d = SettingsDialog();
    LoadSettingsFile(host_, kFileSettings, kFileLines, [&](const std::vector<Field>& f) {
        Dialog::SetOption(d.load_default, ReadBoolean(f[kLoadDefault]));
        Dialog::SetOption(d.load_last, ReadBoolean(f[kLoadLast]));
        Dialog::SetOption(d.load_nothing, ReadBoolean(f[kLoadNothing]));
        Dialog::SetOption(d.load_specified, ReadBoolean(f[kLoadSpecified]));
        d.note_file_specified_path->setText(SettingsText(ReadText(f[kSpecifiedFile])));
        d.notes_separation_characters->setText(SettingsText(ReadText(f[kSeparator])));
        if (FileFromCommandLine) {
            return;
        }
        if (const auto file = StartupFileFor(ChosenFileOption(d), host_.ProgramFolder(),
                                             SettingsText(ReadText(f[kLastFile])),
                                             d.note_file_specified_path->text())) {
            StartupFile = *file;
            StartupChoiceMade = true;
        }
    });
}

}  // namespace lintrel
