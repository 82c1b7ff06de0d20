// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a note file into the main window.
#include <QLabel>
#include <QLineEdit>
#include <QThread>

#include <algorithm>
#include <memory>
#include <new>

#include "core/note_file_reader.h"
#include "desktop/busy_cursor.h"
#include "desktop/file_follower.h"
#include "main_window/form1.h"
#include "platform/code_page.h"
#include "platform/host.h"
#include "settings_dialog/dialog.h"

namespace lintrel {

std::string Form1::SeparatorSetting() {
    return EncodeText(codePage_, SettingsDialog().notes_separation_characters->text());
}

bool Form1::LoadNoteFile(const QString& path) {
    NoteFileResult result;
    try {
        const BusyCursor busy;
        result = ReadNoteFile(path, SeparatorSetting());
    } catch (const std::bad_alloc&) {
        return false;  // a file too large for the memory left: nothing changes
    }
    return TakeNoteFile(path, std::move(result));
}

bool Form1::TakeNoteFile(const QString& path, NoteFileResult result) {
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
    // One read at a time, on a worker, so that the window answers while a large file is read;
    // it holds the new notes beside the ones shown until they are taken in.
    if (reader_ != nullptr || loadedFile_.isEmpty()) {
        return;
    }
    auto result = std::make_shared<NoteFileResult>();
    reader_ = QThread::create([path = loadedFile_, separator = SeparatorSetting(), result] {
        try {
            *result = ReadNoteFile(path, separator);
        } catch (const std::bad_alloc&) {
            result->status = LoadStatus::Failed;
        }
    });
    // Owned by the window too, so that a window closed before the notes are taken in leaves
    // no thread object behind (its destructor waits for the read to end).
    reader_->setParent(this);
    connect(reader_, &QThread::finished, this, [this, path = loadedFile_, result] {
        reader_->deleteLater();
        reader_ = nullptr;
        follower_->RunEnded();
        TakeReadAgain(path, std::move(*result));
    });
    reader_->start();
}

void Form1::TakeReadAgain(const QString& path, NoteFileResult result) {
    // Another file loaded meanwhile stays.
    if (path != loadedFile_) {
        return;
    }
    // Nothing on screen moves when the note's text is the same; a changed text keeps the
    // place of the box's top as far as it reaches.
    const NoteText before = Text1->Note().Text();
    const NoteView::View view = Text1->SavedView();
    if (TakeNoteFile(path, std::move(result))) {
        ShowAgain();
        Text1->RestoreView(view, Text1->Note().Bytes() == before.bytes);
    }
}

bool Form1::ReadAgain() {
    if (!LoadNoteFile(loadedFile_)) {
        return false;
    }
    ShowAgain();
    return true;
}

void Form1::ShowAgain() {
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
