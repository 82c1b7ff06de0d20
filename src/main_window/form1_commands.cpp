// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: Browse (and dropping a file), Edit file, Settings, About, Exit.
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>

#include "main_window/form1.h"
#include "platform/browse.h"
#include "platform/command_line.h"
#include "platform/dropped_file.h"
#include "platform/host.h"
#include "settings_dialog/dialog.h"
#include "version.h"

namespace lintrel {

namespace {

// Starts the editor on the note file without a shell; false when it cannot be started.
bool StartEditor(Host& host, const QString& editor, const QString& noteFile) {
    const EditorStart start = EditorProgram(editor, noteFile);
    if (start.program.isEmpty()) {
        return false;
    }
    return host.StartProgram(start.program, start.arguments);
}

}  // namespace

void Form1::Command9_Click() {
    const std::optional<QString> path =
        BrowseForFile(host_, CommonDialog1, QStringLiteral("Select a file to open with Lintrel"),
                      kNoteFileFilter);
    if (path) {
        OpenChosenFile(*path);
    }
}

void Form1::OpenChosenFile(const QString& path) {
    // A file that cannot be read leaves the notes as they were; a random note is drawn anyway.
    (void)LoadNoteFile(path);
    ShowRandomLine();
}

// A drop is taken as a copy, never a move: the file manager must keep its file.
void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(*event->mimeData()) && (event->possibleActions() & Qt::CopyAction) != 0) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Form1::dropEvent(QDropEvent* event) {
    if (const std::optional<QString> path = DroppedFile(*event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        OpenChosenFile(*path);
    }
}

void Form1::Command5_Click() {
    Dialog& d = SettingsDialog();
    if (StartEditor(host_, d.text_editor_path->text(), file_name->text())) {
        return;
    }
    if (d.text_editor_path->text().compare(kDesktopEditorName, Qt::CaseInsensitive) == 0) {
        host_.MessageBox(QStringLiteral("No text editor was found to open the file."),
                         MsgIcon::Warning);
        return;
    }
    host_.MessageBox(QStringLiteral("The path of the text editor specified by you is incorrect.\r\n"
                                    "Using Notepad to open the file for editing."),
                     MsgIcon::Warning);
    d.text_editor_path->setText(kDesktopEditorName);
    if (!StartEditor(host_, d.text_editor_path->text(), file_name->text())) {
        host_.MessageBox(QStringLiteral("No text editor was found to open the file."),
                         MsgIcon::Warning);
    }
}

void Form1::Command6_Click() {
    Dialog& d = SettingsDialog();
    // A window manager may have minimised it anyway: bring it back as it was.
    d.setWindowState(d.windowState() & ~Qt::WindowMinimized);
    d.show();
    d.raise();
    d.activateWindow();
}

void Form1::Command3_Click() {
    host_.MessageBox(QStringLiteral("Lintrel %1\r\n"
                                    "A reader for plain-text note files, one note at a time.\r\n"
                                    "Free software under the GNU General Public License, "
                                    "version 3 or later.\r\n"
                                    "\r\n"
                                    "Keys:\r\n"
                                    "Alt+Left, Alt+Right: Previous, Next\r\n"
                                    "Ctrl+G: Go to\r\n"
                                    "Ctrl+F: find the next note containing a text; F3: again\r\n"
                                    "F5: read the note file again\r\n"
                                    "Ctrl+O: Browse\r\n"
                                    "F1: About\r\n"
                                    "Ctrl+Q: Exit")
                         .arg(QString::fromLatin1(kVersion)),
                     MsgIcon::Information);
}

void Form1::Command4_Click() {
    close();
    QCoreApplication::exit(0);
}

}  // namespace lintrel
