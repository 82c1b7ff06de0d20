// SPDX-License-Identifier: GPL-3.0-or-later
// GeneralSettings.ini: the start-up note choice, its number, the editor and the note shown
// last.
#include <QLineEdit>
#include <QRadioButton>

#include <array>

#include "core/startup_choice.h"
#include "main_window/control_values.h"
#include "main_window/form1.h"
#include "platform/host.h"
#include "settings/settings_file.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

// The options of "General settings" in the file's order, with the choice each stands for.
std::array<std::pair<QRadioButton*, StartupLineOption>, 7> LineOptions(const Dialog& d) {
    return {{{d.first_line, StartupLineOption::First},
             {d.last_line, StartupLineOption::Last},
             {d.last_loaded_line, StartupLineOption::LastLoaded},
             {d.line_pre_last, StartupLineOption::PreviousToLast},
             {d.line_next_last, StartupLineOption::NextToLast},
             {d.random_line, StartupLineOption::Random},
             {d.line_no, StartupLineOption::Number}}};
}

// The note shown last is read as a whole number; text that is not a number gives 0.
std::int16_t ReadShownNote(const Field& field) {
    return NumberIn(field) ? ReadInt16(field) : std::int16_t{0};
}

// The lines of GeneralSettings.ini, in the order a load applies them: the note shown last
// first, so that it is known before any control is set; then the seven start-up options and
// the two text boxes.
SettingsLines GeneralLines(Dialog& d, std::int16_t& shownNote) {
    SettingsLines lines = {{9, [&shownNote](SettingsWriter& w) { w.Integer(shownNote); },
                            [&shownNote](const Field& f) { shownNote = ReadShownNote(f); }}};
    std::size_t line = 0;
    for (const auto& option : LineOptions(d)) {
        lines.push_back(OptionLine(line++, option.first));
    }
    lines.push_back(TextLine(7, d.line_load_startup));
    lines.push_back(TextLine(8, d.text_editor_path));
    return lines;
}

}  // namespace

void Form1::SaveGeneralSettings() {
    SaveSettingsFile(host_, kGeneralSettings, GeneralLines(SettingsDialog(), CurrentLine));
}

void Form1::LoadGeneralSettings() {
    Dialog& d = SettingsDialog();
    LoadSettingsFile(host_, kGeneralSettings, GeneralLines(d, CurrentLine), [&] {
        StartupLineOption chosen = StartupLineOption::None;
        for (const auto& [option, choice] : LineOptions(d)) {
            if (option->isChecked()) {
                chosen = choice;
                break;
            }
        }
        const StartupLine line = StartupLineFor(chosen, NoteList.Count(), CurrentLine,
                                                d.line_load_startup->text().toStdString());
        switch (line.kind) {
            case StartupLine::Kind::Show:
                ShowLine(line.note);
                break;
            case StartupLine::Kind::Random:
                ShowRandomLine();
                break;
            case StartupLine::Kind::Fail:
                throw SettingsError("start-up note number out of range");
            case StartupLine::Kind::Nothing:
                break;
        }
    });
}

}  // namespace lintrel
