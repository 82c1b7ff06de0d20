// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace lintrel {

// The one readable file that `data` carries, as a file manager drops it; nullopt for
// anything else: several files, a folder, a web address, plain text.
std::optional<QString> DroppedFile(const QMimeData& data);

}  // namespace lintrel
