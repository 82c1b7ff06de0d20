// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog's controls, built from one table of the window's design.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>
#include <type_traits>
#include <variant>
#include <vector>

#include "desktop/widget_units.h"
#include "settings_dialog/check_box.h"
#include "settings_dialog/colour_swatch.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

// One control of the design. Places are in twips: a frame's and OKButton's in the window,
// every other control's in its frame. The tab index is the control's place in the keyboard
// order; frames and labels take a place but never the focus.
struct DialogControlRow {
    // The member that holds the control; its type is the control's kind.
    using Member =
        std::variant<QGroupBox * Dialog::*, QLabel * Dialog::*, QRadioButton * Dialog::*,
                     QLineEdit * Dialog::*, QPushButton * Dialog::*, CheckBox * Dialog::*,
                     QComboBox * Dialog::*, ColourSwatch * Dialog::*>;
    enum class Initial { None, Chosen, Checked, Disabled };

    Member member;
    const char* name;
    const char* caption;  // the caption or initial text, with its Alt key marked by "&"
    QGroupBox* Dialog::*frame;
    QRect twips;
    int tabIndex;
    Initial initial;
    void (Dialog::*handler)();
};

namespace {

using D = Dialog;
using Initial = DialogControlRow::Initial;

// clang-format off
const DialogControlRow kControls[] = {
    {&D::Frame2, "Frame2", "General settings", nullptr, {120, 120, 4215, 3375}, 8, Initial::None, nullptr},
    {&D::Label1, "Label1", "When Lintrel start, load:", &D::Frame2, {120, 360, 3615, 255}, 9, Initial::None, nullptr},
    {&D::first_line, "first_line", "First line of the file", &D::Frame2, {240, 600, 3135, 255}, 14, Initial::None, &D::first_line_Click},
    {&D::last_line, "last_line", "Last line of the file", &D::Frame2, {240, 840, 3135, 255}, 23, Initial::None, &D::last_line_Click},
    {&D::last_loaded_line, "last_loaded_line", "Line loaded last time", &D::Frame2, {240, 1080, 3135, 255}, 10, Initial::None, &D::last_loaded_line_Click},
    {&D::line_pre_last, "line_pre_last", "Line previous to the last loaded line", &D::Frame2, {240, 1320, 3375, 255}, 11, Initial::None, &D::line_pre_last_Click},
    {&D::line_next_last, "line_next_last", "Line next to the last loaded line", &D::Frame2, {240, 1560, 3255, 255}, 12, Initial::None, &D::line_next_last_Click},
    {&D::random_line, "random_line", "Random line", &D::Frame2, {240, 1800, 3135, 255}, 13, Initial::Chosen, &D::random_line_Click},
    {&D::line_no, "line_no", "Line number:", &D::Frame2, {240, 2040, 1335, 255}, 17, Initial::None, &D::line_no_Click},
    {&D::line_load_startup, "line_load_startup", "1", &D::Frame2, {1560, 2040, 2535, 285}, 18, Initial::Disabled, nullptr},
    {&D::Label2, "Label2", "Specify path of external text editor for file editing:", &D::Frame2, {120, 2520, 3615, 255}, 15, Initial::None, nullptr},
    {&D::text_editor_path, "text_editor_path", "notepad.exe", &D::Frame2, {120, 2760, 2775, 285}, 16, Initial::None, nullptr},
    {&D::Command2, "Command2", "Bro&wse", &D::Frame2, {3000, 2760, 1095, 255}, 34, Initial::None, &D::Command2_Click},
    {&D::Frame3, "Frame3", "Window settings", nullptr, {120, 3600, 4215, 1335}, 19, Initial::None, nullptr},
    {&D::start_max, "start_max", "Start maximized", &D::Frame3, {240, 360, 1695, 195}, 20, Initial::None, &D::start_max_Click},
    {&D::save_win_pos, "save_win_pos", "Save window position", &D::Frame3, {240, 600, 1935, 255}, 21, Initial::None, nullptr},
    {&D::save_win_size, "save_win_size", "Save window size", &D::Frame3, {240, 840, 1935, 255}, 22, Initial::None, nullptr},
    {&D::Frame1, "Frame1", "Font settings", nullptr, {4440, 120, 4215, 2175}, 1, Initial::None, nullptr},
    {&D::load_font_list_at_startup, "load_font_list_at_startup", "Load font list at program start (increases loading time)", &D::Frame1, {120, 360, 2415, 435}, 24, Initial::Checked, nullptr},
    {&D::load_font_list_now, "load_font_list_now", "Load font &list", &D::Frame1, {2520, 360, 1455, 375}, 25, Initial::None, &D::load_font_list_now_Click},
    {&D::font_list, "font_list", nullptr, &D::Frame1, {120, 840, 2775, 315}, 2, Initial::None, &D::font_list_Click},
    {&D::font_size_list, "font_size_list", nullptr, &D::Frame1, {3000, 840, 975, 315}, 3, Initial::None, &D::font_size_list_Click},
    {&D::bo, "bo", "Bold", &D::Frame1, {120, 1320, 735, 195}, 4, Initial::None, &D::bo_Click},
    {&D::it, "it", "Italic", &D::Frame1, {960, 1320, 855, 195}, 5, Initial::None, &D::it_Click},
    {&D::un, "un", "Underlined", &D::Frame1, {1800, 1320, 1215, 195}, 6, Initial::None, &D::un_Click},
    {&D::st, "st", "Striketout", &D::Frame1, {3000, 1320, 975, 195}, 7, Initial::None, &D::st_Click},
    {&D::Label4, "Label4", "Font &colour:", &D::Frame1, {120, 1760, 855, 255}, 35, Initial::None, nullptr},
    {&D::font_colour, "font_colour", nullptr, &D::Frame1, {1080, 1680, 375, 375}, 37, Initial::None, &D::font_colour_Click},
    {&D::Label5, "Label5", "Font bac&kground colour:", &D::Frame1, {1800, 1755, 1815, 255}, 36, Initial::None, nullptr},
    {&D::font_background_colour, "font_background_colour", nullptr, &D::Frame1, {3600, 1680, 375, 375}, 38, Initial::None, &D::font_background_colour_Click},
    {&D::Frame4, "Frame4", "File settings", nullptr, {4440, 2400, 4215, 2535}, 26, Initial::None, nullptr},
    {&D::Label3, "Label3", "If path of file is not specified in the command-line, load:", &D::Frame4, {120, 360, 3855, 255}, 27, Initial::None, nullptr},
    {&D::load_default, "load_default", "Load \"Default.txt\", if present in same folder", &D::Frame4, {240, 600, 3375, 255}, 30, Initial::Chosen, &D::load_default_Click},
    {&D::load_last, "load_last", "Load file loaded last time", &D::Frame4, {240, 840, 3135, 255}, 28, Initial::None, &D::load_last_Click},
    {&D::load_nothing, "load_nothing", "Load nothing", &D::Frame4, {240, 1080, 3135, 255}, 29, Initial::None, &D::load_nothing_Click},
    {&D::load_specified, "load_specified", "Load specified file:", &D::Frame4, {240, 1320, 3135, 255}, 31, Initial::None, &D::load_specified_Click},
    {&D::note_file_specified_path, "note_file_specified_path", "", &D::Frame4, {240, 1560, 2655, 285}, 32, Initial::Disabled, nullptr},
    {&D::Command1, "Command1", "&Browse", &D::Frame4, {3000, 1560, 1095, 255}, 33, Initial::Disabled, &D::Command1_Click},
    {&D::Label6, "Label6", "Use the following characters for separation of notes:", &D::Frame4, {120, 1920, 3735, 255}, 39, Initial::None, nullptr},
    {&D::notes_separation_characters, "notes_separation_characters", "", &D::Frame4, {120, 2160, 3975, 285}, 40, Initial::None, nullptr},
    {&D::OKButton, "OKButton", "&OK", nullptr, {3720, 5040, 1335, 375}, 0, Initial::None, &D::OKButton_Click},
};
// clang-format on

}  // namespace

QWidget* Dialog::MakeControl(const DialogControlRow& row) {
    QWidget* parent = row.frame != nullptr ? static_cast<QWidget*>(this->*row.frame) : this;
    const QString caption = row.caption != nullptr ? QString::fromUtf8(row.caption) : QString();
    const auto handler = row.handler;
    auto run = [this, handler] {
        if (handler != nullptr) {
            (this->*handler)();
        }
    };
    return std::visit(
        [&](auto member) -> QWidget* {
            using Control = std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
            Control* control = nullptr;
            if constexpr (std::is_same_v<Control, ColourSwatch>) {
                control = new ColourSwatch(host_, parent);
            } else if constexpr (std::is_same_v<Control, QComboBox>) {
                control = new QComboBox(parent);
                connect(control, &QComboBox::currentIndexChanged, this, [run](int index) {
                    if (index >= 0) {
                        run();
                    }
                });
            } else {
                control = new Control(caption, parent);
            }
            if constexpr (std::is_same_v<Control, QRadioButton>) {
                connect(control, &QRadioButton::toggled, this, [this, run](bool on) {
                    FixOptionFocus();
                    if (on) {
                        run();
                    }
                });
                control->installEventFilter(this);
            } else if constexpr (std::is_same_v<Control, CheckBox>) {
                connect(control, &QCheckBox::stateChanged, this, run);
            } else if constexpr (std::is_same_v<Control, QPushButton> ||
                                 std::is_same_v<Control, ColourSwatch>) {
                control->setAutoDefault(false);
                connect(control, &QPushButton::clicked, this, run);
            } else if constexpr (std::is_same_v<Control, QLineEdit>) {
                // A path or a separator may be of any length.
                control->setMaxLength(std::numeric_limits<int>::max());
            }
            this->*member = control;
            return control;
        },
        row.member);
}

void Dialog::BuildControls() {
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const DialogControlRow& row : kControls) {
        QWidget* control = MakeControl(row);
        control->setObjectName(QLatin1String(row.name));
        PlaceInTwips(control, row.twips, scale_);
        // An indicator drawn taller than the design's grows about its row's middle, and so
        // does a button whose caption needs more than a window shrunk to a small screen leaves.
        if (qobject_cast<QAbstractButton*>(control) != nullptr) {
            GrowToHintHeight(control);
        }
        tabOrder.emplace_back(row.tabIndex, control);
        if (row.initial == Initial::Disabled) {
            control->setEnabled(false);
        }
    }
    // Initial states; the enabling handlers set what follows from them.
    for (const DialogControlRow& row : kControls) {
        if (row.initial == Initial::Chosen) {
            (this->*std::get<QRadioButton * Dialog::*>(row.member))->setChecked(true);
        } else if (row.initial == Initial::Checked) {
            (this->*std::get<CheckBox * Dialog::*>(row.member))->setCheckState(Qt::Checked);
        }
    }
    start_max_Click();

    // Keyboard order by tab index.
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : tabOrder) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

}  // namespace lintrel
