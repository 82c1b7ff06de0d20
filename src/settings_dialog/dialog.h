// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lintrel {

class CheckBox;
class ColourSwatch;
struct DialogControlRow;
class Host;
struct CommonDialog;

// The settings dialog. Its controls are the settings: each holds one value under the
// setting's name. Writing a control from code runs the same handler as the user's change.
class Dialog : public QWidget {
    Q_OBJECT

  public:
    // `host` answers the desktop's questions, `fileDialog` is the file-open dialog shared with
    // the main window, and `noteBox` the note text box the font and colour settings style.
    Dialog(Host& host, CommonDialog& fileDialog, QWidget* noteBox);
    ~Dialog() override;

    // Makes `option` the chosen one of its frame (running its handler), or clears it without
    // choosing another, so that a frame can be left with no option chosen.
    static void SetOption(QRadioButton* option, bool on);

    // --- Handlers ---
    void Form_Load();    // centres the window once, at creation
    void Form_Unload();  // a close request: hide instead
    void OKButton_Click();
    void first_line_Click();
    void last_line_Click();
    void last_loaded_line_Click();
    void line_pre_last_Click();
    void line_next_last_Click();
    void random_line_Click();
    void line_no_Click();
    void load_default_Click();
    void load_last_Click();
    void load_nothing_Click();
    void load_specified_Click();
    void start_max_Click();
    void Command1_Click();  // Browse for the start-up note file
    void Command2_Click();  // Browse for the external editor

    // --- Fonts ---
    std::int16_t Load_Font_list();
    void load_font_list_now_Click();
    void font_list_Click();
    void font_size_list_Click();
    void bo_Click();
    void it_Click();
    void un_Click();
    void st_Click();

    // --- Colours ---
    std::int32_t ShowColorDialog(std::int32_t hParent, bool bFullOpen, std::int32_t InitColor);
    void font_colour_Click();
    void font_background_colour_Click();

    // "General settings"
    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* first_line = nullptr;
    QRadioButton* last_line = nullptr;
    QRadioButton* last_loaded_line = nullptr;
    QRadioButton* line_pre_last = nullptr;
    QRadioButton* line_next_last = nullptr;
    QRadioButton* random_line = nullptr;
    QRadioButton* line_no = nullptr;
    QLineEdit* line_load_startup = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* text_editor_path = nullptr;
    QPushButton* Command2 = nullptr;
    // "Window settings"
    QGroupBox* Frame3 = nullptr;
    CheckBox* start_max = nullptr;
    CheckBox* save_win_pos = nullptr;
    CheckBox* save_win_size = nullptr;
    // "Font settings"
    QGroupBox* Frame1 = nullptr;
    CheckBox* load_font_list_at_startup = nullptr;
    QPushButton* load_font_list_now = nullptr;
    QComboBox* font_list = nullptr;
    QComboBox* font_size_list = nullptr;
    CheckBox* bo = nullptr;
    CheckBox* it = nullptr;
    CheckBox* un = nullptr;
    CheckBox* st = nullptr;
    QLabel* Label4 = nullptr;
    ColourSwatch* font_colour = nullptr;
    QLabel* Label5 = nullptr;
    ColourSwatch* font_background_colour = nullptr;
    // "File settings"
    QGroupBox* Frame4 = nullptr;
    QLabel* Label3 = nullptr;
    QRadioButton* load_default = nullptr;
    QRadioButton* load_last = nullptr;
    QRadioButton* load_nothing = nullptr;
    QRadioButton* load_specified = nullptr;
    QLineEdit* note_file_specified_path = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* notes_separation_characters = nullptr;

    QPushButton* OKButton = nullptr;

    // The factor by which the designed places and sizes grow with the desktop font.
    double Scale() const { return scale_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Before each mapping: the window manager's hints for a fixed tool window.
    void showEvent(QShowEvent* event) override;
    // Enter hides the dialog as OK does; Escape as the close box does.
    void keyPressEvent(QKeyEvent* event) override;
    // The arrow keys move the choice within an option frame.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    QWidget* MakeControl(const DialogControlRow& row);
    void ApplyStyle();
    void NameForScreenReaders();
    // Tab stops on the chosen option of each frame (on the first when none is chosen).
    void FixOptionFocus();
    void SwatchClicked(ColourSwatch* swatch, bool background);

    Host& host_;
    CommonDialog& fileDialog_;
    QWidget* noteBox_;
    double scale_ = 1.0;
    // How much smaller than the desktop's the window's font was made to fit the screen.
    double fontShrink_ = 1.0;
    bool choosing_ = false;  // a colour chooser is open
};

}  // namespace lintrel
