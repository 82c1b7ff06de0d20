// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a note file into the main window.
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <new>

#include "core/note_file_reader.h"
#include "desktop/busy_cursor.h"
#include "desktop/file_follower.h"
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
    // A long path runs under Browse; its tooltip shows it whole, and says it is followed.
    file_name->setToolTip(path + QStringLiteral("\n(followed: changes show by themselves)"));
    loadedFile_ = path;
    // Followed from now on: an edit saved in another program shows here by itself.
    QStringList followed{path};
    if (const QString separatorFile = SeparatorFilePath(path); !separatorFile.isEmpty()) {
        followed << separatorFile;
    }
    follower_->Follow(followed);
    return true;
}

void Form1::ReloadNoteFile() {
    if (!loadedFile_.isEmpty() && !ReadAgain()) {
        host_.MessageBox(QStringLiteral("The note file could not be read again."),
                         MsgIcon::Information);
    }
}

void Form1::NoteFileChanged() {
    // Nothing on screen moves when the note's text is the same; a changed text keeps the
    // place of the box's top as far as it reaches.
    const NoteText before = Text1->Note();
    const NoteView::View view = Text1->SavedView();
    if (ReadAgain()) {
        Text1->RestoreView(view, Text1->Note().bytes == before.bytes);
    }
}

bool Form1::ReadAgain() {
    if (!LoadNoteFile(loadedFile_)) {
        return false;
    }
    if (CurrentLine < 1) {
        return true;  // no note was shown
    }
    if (NoteList.Count() == 0) {
        Text1->clear();
        return true;
    }
    // The note of the number shown, or the last one of a file that got shorter.
    ShowLine(static_cast<std::int16_t>(
        std::min<std::size_t>(static_cast<std::size_t>(CurrentLine), NoteList.Count())));
    return true;
}

}  // namespace lintrel
