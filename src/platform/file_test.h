// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lintrel {

// True when `path` names a regular file (links count as their target) whose name does not
// start with "." (a hidden file). Folders and hidden files count as missing.
bool FileExists(const QString& path);

}  // namespace lintrel
