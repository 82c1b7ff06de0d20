// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

class QFile;

namespace lintrel {

// True when `path` names a regular file (links count as their target) whose name does not
// start with "." (a hidden file). Folders and hidden files count as missing.
bool FileExists(const QString& path);

// Opens `file` on `path` for reading, unbuffered, as `path` is at this moment: without waiting
// on whatever stands there (a FIFO or a device swapped in after FileExists said yes is opened
// at once), and only when what was opened is a regular file. False, with `file` closed,
// otherwise.
bool OpenRegularFile(QFile& file, const QString& path);

// The bytes of memory the program can still be given: what the system has available, held to
// what is left under the memory limit of the program's control group. The largest number when
// neither can be read.
std::uint64_t AvailableMemory();

// How far a file that says it holds no bytes (the generated files of /proc, which may be
// endless) is read before it is refused.
constexpr std::uint64_t kEmptySizeReadBound = std::uint64_t{64} << 20;

}  // namespace lintrel
