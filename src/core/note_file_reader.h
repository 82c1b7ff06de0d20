// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

#include "core/note_list.h"

namespace lintrel {

enum class LoadStatus {
    Loaded,   // `notes` holds the file's notes
    Missing,  // the path names no existing file: nothing was read
    Failed,   // the separator file or the note file could not be formed, opened or read
};

struct NoteFileResult {
    LoadStatus status = LoadStatus::Failed;
    NoteList notes;
};

// The first line of `bytes` (up to the first CR, or all of it); nullopt when `bytes` holds no
// line at all.
std::optional<std::string_view> FirstLine(std::string_view bytes);

// The separator file beside `notePath`: the path up to its last "." followed by ".ltrsep";
// empty when the path has no ".".
QString SeparatorFilePath(const QString& notePath);

// Reads the note file at `path` and cuts it into notes. The separator is the separator
// file's first line as a whole line when that file exists, else `separatorSetting` when not
// empty, else CR LF. Every file opened here is closed before it returns.
NoteFileResult ReadNoteFile(const QString& path, const std::string& separatorSetting);

}  // namespace lintrel
