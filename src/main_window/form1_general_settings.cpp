// SPDX-License-Identifier: GPL-3.0-or-later
// GeneralSettings.ini: the start-up note choice, its number, the editor and the note shown
// last.
#include <QLineEdit>
#include <QRadioButton>

#include <array>

#include "core/startup_choice.h"
#include "main_window/form1.h"
#include "platform/host.h"
#include "settings/settings_file.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

namespace {

// The lines of GeneralSettings.ini in their order, and their count: the seven start-up
// options first.
enum GeneralLine : std::size_t {
    kFirstOption,
    kLineNumber = kFirstOption + 7,
    kTextEditor,
    kShownNote,
    kGeneralLines
};

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

}  // namespace

void Form1::SaveGeneralSettings() {
    Dialog& d = SettingsDialog();
    SaveSettingsFile(host_, kGeneralSettings, kGeneralLines, [&](SettingsWriter& w) {
        std::size_t line = kFirstOption;
        for (const auto& [option, choice] : LineOptions(d)) {
            w.At(line++).Boolean(option->isChecked());
        }
        w.At(kLineNumber).Text(SettingsBytes(d.line_load_startup->text()));
        w.At(kTextEditor).Text(SettingsBytes(d.text_editor_path->text()));
        w.At(kShownNote).Integer(CurrentLine);
    });
}

void Form1::LoadGeneralSettings() {
    Dialog& d = SettingsDialog();
    LoadSettingsFile(host_, kGeneralSettings, kGeneralLines, [&](const std::vector<Field>& f) {
        CurrentLine = ReadShownNote(f[kShownNote]);
        const auto options = LineOptions(d);
        for (std::size_t i = 0; i < options.size(); ++i) {
            Dialog::SetOption(options[i].first, ReadBoolean(f[kFirstOption + i]));
        }
        d.line_load_startup->setText(SettingsText(ReadText(f[kLineNumber])));
        d.text_editor_path->setText(SettingsText(ReadText(f[kTextEditor])));

        StartupLineOption chosen = StartupLineOption::None;
        for (const auto& [option, choice] : options) {
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
