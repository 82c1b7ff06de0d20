// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

#include "platform/common_dialog.h"

namespace lintrel {

class Host;

// The file-type filters of the Browse commands for note files and for the editor.
inline const QString kNoteFileFilter =
    QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
inline const QString kEditorFileFilter =
    QStringLiteral("Executable Files (*.exe)|*.exe|All Files (*.*)|*.*");

// Sets `dialog` up to open an existing file (title, filter list with its first entry chosen,
// read-only box hidden, cancel reported as a failure) and shows it. The chosen full path
// is returned and kept as the dialog's file name; nullopt for cancel or failure.
std::optional<QString> BrowseForFile(Host& host, CommonDialog& dialog, const QString& title,
                                     const QString& filter);

}  // namespace lintrel
