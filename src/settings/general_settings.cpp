// GeneralSettings.ini: the start-up note choice, its number, the editor and the note shown
// last.
#include <QLineEdit>
#include <QRadioButton>

#include "main_window/form1.h"
#include "platform/host.h"
#include "platform/number_reading.h"
#include "settings/settings_file.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

const QString kGeneralSettings = QStringLiteral("GeneralSettings.ini");

// The note shown last is read as a whole number; text that is not a number gives 0.
std::int16_t ReadShownNote(const Field& field) {
    if (!NumberIn(field)) {
        return 0;
    }
    return ReadInt16(field);
}

std::int16_t Checked16(int value) {
    if (value < -32768 || value > 32767) {
        throw SettingsError("note number out of range");
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

void Form1::SaveGeneralSettings() {
    RunSettingsProcedure(host_, kGeneralSettings, true, [this](const QString& path) {
        Dialog& d = SettingsDialog();
        SettingsWriter w;
        for (QRadioButton* option : {d.first_line, d.last_line, d.last_loaded_line, d.line_pre_last,
                                     d.line_next_last, d.random_line, d.line_no}) {
            w.Boolean(option->isChecked());
        }
        w.Text(SettingsBytes(d.line_load_startup->text()));
        w.Text(SettingsBytes(d.text_editor_path->text()));
        w.Integer(CurrentLine);
        WriteSettingsFile(path, w.Bytes());
    });
}

void Form1::LoadGeneralSettings() {
    RunSettingsProcedure(host_, kGeneralSettings, false, [this](const QString& path) {
        Dialog& d = SettingsDialog();
        const auto fields = ReadSettingsFile(path, 10);
        if (!fields) {
            return;
        }
        const auto& f = *fields;
        CurrentLine = ReadShownNote(f[9]);
        QRadioButton* const options[] = {d.first_line,    d.last_line,      d.last_loaded_line,
                                         d.line_pre_last, d.line_next_last, d.random_line,
                                         d.line_no};
        for (std::size_t i = 0; i < std::size(options); ++i) {
            Dialog::SetOption(options[i], ReadBoolean(f[i]));
        }
        d.line_load_startup->setText(SettingsText(ReadText(f[7])));
        d.text_editor_path->setText(SettingsText(ReadText(f[8])));

        if (d.first_line->isChecked()) {
            ShowLine(1);
        } else if (d.last_line->isChecked()) {
            ShowLine(Checked16(static_cast<int>(std::min<std::size_t>(NoteList.Count(), 65536))));
        } else if (d.last_loaded_line->isChecked()) {
            ShowLine(CurrentLine);
        } else if (d.line_pre_last->isChecked()) {
            ShowLine(Checked16(CurrentLine - 1));
        } else if (d.line_next_last->isChecked()) {
            ShowLine(Checked16(CurrentLine + 1));
        } else if (d.random_line->isChecked()) {
            ShowRandomLine();
        } else if (d.line_no->isChecked()) {
            const auto n = RoundToInt16(ReadNumber(d.line_load_startup->text().toStdString()));
            if (!n) {
                throw SettingsError("start-up line number out of range");
            }
            ShowLine(*n);
        }
    });
}

}  // namespace lintrel
