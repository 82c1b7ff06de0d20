// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a note file into the main window.
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <new>

#include "core/note_file_reader.h"
#include "desktop/busy_cursor.h"
#include "main_window/form1.h"
#include "platform/code_page.h"
#include "platform/host.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

bool Form1::LoadNoteFile(const QString& path) {
    // The typed separator is matched as note bytes, in the code page the notes are shown in.
    const std::string separator =
        EncodeText(codePage_, SettingsDialog().notes_separation_characters->text());
    NoteFileResult result;
    try {
        const BusyCursor busy;
        result = ReadNoteFile(path, separator);
    } catch (const std::bad_alloc&) {
        return false;  // a file too large for the memory left: nothing changes
    }
    if (result.status != LoadStatus::Loaded) {
        return false;
    }
    NoteList = std::move(result.notes);
    PieceIndex = NoteList.Count() + 1;
    file_name->setText(path);
    // A long path runs under Browse; its tooltip shows it whole.
    file_name->setToolTip(path);
    loadedFile_ = path;
    return true;
}

void Form1::ReloadNoteFile() {
    if (loadedFile_.isEmpty()) {
        return;
    }
    if (!LoadNoteFile(loadedFile_)) {
        host_.MessageBox(QStringLiteral("The note file could not be read again."),
                         MsgIcon::Information);
        return;
    }
    if (CurrentLine < 1) {
        return;  // no note was shown
    }
    if (NoteList.Count() == 0) {
        Text1->clear();
        return;
    }
    // The note of the number shown, or the last one of a file that got shorter.
    ShowLine(static_cast<std::int16_t>(
        std::min<std::size_t>(static_cast<std::size_t>(CurrentLine), NoteList.Count())));
}

}  // namespace lintrel
