// FileSettings.ini: the start-up file choice, the specified file, the separator and the
// file loaded last.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "main_window/form1.h"
#include "platform/host.h"
#include "settings/settings_file.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {
const QString kFileSettings = QStringLiteral("FileSettings.ini");
}

void Form1::SaveFileSettings() {
    RunSettingsProcedure(host_, kFileSettings, true, [this](const QString& path) {
        Dialog& d = SettingsDialog();
        SettingsWriter w;
        w.Boolean(d.load_default->isChecked());
        w.Boolean(d.load_last->isChecked());
        w.Boolean(d.load_nothing->isChecked());
        w.Boolean(d.load_specified->isChecked());
        w.Text(SettingsBytes(d.note_file_specified_path->text()));
        w.Text(SettingsBytes(d.notes_separation_characters->text()));
        w.Text(SettingsBytes(file_name->text()));
        WriteSettingsFile(path, w.Bytes());
    });
}

void Form1::LoadFileSettings() {
    RunSettingsProcedure(host_, kFileSettings, false, [this](const QString& path) {
        Dialog& d = SettingsDialog();
        const auto fields = ReadSettingsFile(path, 7);
        if (!fields) {
            return;
        }
        const auto& f = *fields;
        Dialog::SetOption(d.load_default, ReadBoolean(f[0]));
        Dialog::SetOption(d.load_last, ReadBoolean(f[1]));
        Dialog::SetOption(d.load_nothing, ReadBoolean(f[2]));
        Dialog::SetOption(d.load_specified, ReadBoolean(f[3]));
        d.note_file_specified_path->setText(SettingsText(ReadText(f[4])));
        d.notes_separation_characters->setText(SettingsText(ReadText(f[5])));
        if (FileFromCommandLine) {
            return;
        }
        if (d.load_default->isChecked()) {
            StartupFile = host_.ProgramFolder() + QStringLiteral("/Default.txt");
        } else if (d.load_last->isChecked()) {
            StartupFile = SettingsText(ReadText(f[6]));
        } else if (d.load_nothing->isChecked()) {
            StartupFile.clear();
        } else if (d.load_specified->isChecked()) {
            StartupFile = d.note_file_specified_path->text();
        } else {
            return;
        }
        StartupChoiceMade = true;
    });
}

}  // namespace lintrel
