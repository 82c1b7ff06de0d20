// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "core/navigation.h"
#include "core/note_list.h"
#include "note_box/note_view.h"
#include "platform/code_page.h"
#include "platform/common_dialog.h"

class QLabel;
class QPushButton;
class QThread;

namespace lintrel {

class Dialog;
class FileFollower;
struct NoteFileResult;
class Host;

// The main window: the loaded notes, the note shown, and the command buttons. Its procedures
// are all defined in src/main_window, in a file per subsystem (form1_startup.cpp,
// form1_note_file.cpp, form1_note_display.cpp, form1_commands.cpp, form1_controls.cpp and the
// four form1_*_settings.cpp); the rules they follow live in src/core and src/settings.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    // `host` answers every modal question and environmental need; it must outlive the window.
    explicit Form1(Host& host);
    ~Form1() override;

    Host& host() const { return host_; }

    // The one settings dialog, created hidden on first use and kept until the window ends.
    Dialog& SettingsDialog();
    bool HasSettingsDialog() const { return dialog_ != nullptr; }

    // --- Start-up and shut-down ---
    // Runs the start-up sequence with the command line's argument text.
    void Form_Load(const QString& commandLine);
    // True when start-up found nothing to load: the program ends without showing a window.
    bool EndRequested() const { return endRequested_; }
    // Saves the four settings files and ends the program. Runs once.
    void Form_Unload();
    // The four settings files' savers, in their order.
    void SaveSettings();

    // --- Notes ---
    // Loads `path` into NoteList; true when the file was loaded, false when it was missing
    // or could not be read (nothing changed then).
    bool LoadNoteFile(const QString& path);
    void ShowLine(std::int16_t n);
    void ShowRandomLine();
    void Command1_Click();  // Previous
    void Command2_Click();  // Next
    void Command7_Click();  // Random
    void Command8_Click();  // Go to

    // --- Beyond the design: finding, reloading ---
    // Asks for a text and shows the next note that contains it (Ctrl+F).
    void FindNote();
    // Looks for the last text again without asking; asks when there was none (F3).
    void FindAgain();
    // Loads the note file shown again and shows the note of the same number (F5).
    void ReloadNoteFile();
    // The same, silently, when the note file changed on disk: read on a worker thread while
    // the window goes on, and taken in when done. A file that no longer loads changes
    // nothing; the view stays where the note's text is the same (see NoteView::RestoreView).
    void NoteFileChanged();

    // --- Commands ---
    void Command9_Click();  // Browse
    // Loads a file chosen by Browse or dropped on the window, and shows a random note.
    void OpenChosenFile(const QString& path);
    void Command5_Click();  // Edit file
    void Command6_Click();  // Settings
    void Command3_Click();  // About
    void Command4_Click();  // Exit

    // --- Layout ---
    void Form_Resize();
    // The factor by which the designed places and sizes grow with the desktop font.
    double Scale() const { return scale_; }

    // --- Settings files ---
    void SaveFileSettings();
    void LoadFileSettings();
    void SaveGeneralSettings();
    void LoadGeneralSettings();
    void SaveWindowSettings();
    void LoadWindowSettings();
    void SaveFontSettings();
    void LoadFontSettings();

    // The window's bounds in twips: the outer window's (the frame's) top-left corner, and the
    // client size plus the design frame.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void SetLeft(double twips);
    void SetTop(double twips);
    void SetWidth(double twips);
    void SetHeight(double twips);
    // Records a place in twips without moving the window, where the platform places it.
    void KeepPlace(double top, double left);

    // Shows `text` (note bytes) in Text1 in the code page chosen at start-up.
    void SetNoteText(const NoteText& text);
    // The code page of the note text, from the character set chosen at start-up.
    const QByteArray& CodePage() const { return codePage_; }

    // A bound set in twips and the pixel it was rounded to.
    struct SetTwips {
        double twips = 0;
        int pixels = std::numeric_limits<int>::min();
    };

    // The start-up members, in the order Form_Load sets them.
    lintrel::NoteList NoteList;
    QString StartupFile;
    // The loading index: the number of notes of the last load plus one. Nothing reads it; it
    // is one of the window's start-up members, kept with them so the set is whole.
    std::size_t PieceIndex = 0;
    std::int16_t CurrentLine = 0;
    bool StartupChoiceMade = false;
    bool FileFromCommandLine = false;

    // Controls.
    QLabel* file_name = nullptr;
    QLabel* line_shown = nullptr;
    QPushButton* Command9 = nullptr;
    NoteView* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    lintrel::CommonDialog CommonDialog1;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A file dropped on the window is opened as Browse opens a chosen one.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ShowNote(int k);
    // Sets line_shown to note k's caption, and its tooltip to "Note k of N".
    void ShowCaption(int k);
    void FindText(const QString& text);
    // The note box, and what screen readers call it and the two labels.
    void MakeText1();
    // The layout's scale, font, minimum and first size, fitted to the screen.
    void SizeToScreen();
    // The keys that reach the commands from anywhere in the window.
    void AddShortcuts();
    void ApplyCharset(int charset);
    // Reads the note file again and shows the note of the same number; false when it could
    // not be read (the notes stay as they were).
    bool ReadAgain();
    // The separator setting as note bytes, in the code page the notes are shown in.
    std::string SeparatorSetting();
    // Takes in the notes read from `path`; false, changing nothing, when they were not read.
    bool TakeNoteFile(const QString& path, NoteFileResult result);
    // Shows the note of the number shown before a read, or the last of a file that got shorter.
    void ShowAgain();
    // Takes in the notes a worker read from `path`, keeping the view.
    void TakeReadAgain(const QString& path, NoteFileResult result);

    Host& host_;
    std::unique_ptr<Dialog> dialog_;
    RandomGenerator random_;
    QByteArray codePage_{kUtf8};
    double scale_ = 1.0;
    SetTwips left_, top_, width_, height_;
    QString lastSearch_;
    QString loadedFile_;                // the note file loaded last, empty before any
    FileFollower* follower_ = nullptr;  // reads it again when it changes on disk
    QThread* reader_ = nullptr;         // the worker reading it again, while it reads
    bool endRequested_ = false;
    bool unloaded_ = false;
};

}  // namespace lintrel
