// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <string>

namespace lintrel {

// The system calls a save makes to write and flush a file; tests replace them to make them
// fail.
struct FileOps {
    // Creates and opens a new file named after `pattern`, whose last six characters are
    // "XXXXXX" and are replaced (mkostemp).
    int (*makeTemporary)(char* pattern);
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
};
const FileOps& SystemFileOps();

// Why a save failed.
enum class SaveResult {
    Saved,
    ReadOnly,      // the file exists and its user marked it read-only
    NotAFile,      // the path is a folder, a device, a FIFO, or a link to anything but a file
    DanglingLink,  // a link to nothing: no file is made through it
    Failed,        // creating, writing, flushing or replacing failed; the old file is intact
};

// Writes `bytes` as the whole file at `path` (a file-system path), so that the file holds
// either all of the old bytes or all of the new ones. It writes a temporary file beside the
// file and puts it in the file's place; where the folder does not allow that but the file
// itself is writable, it writes the file in place. A link is followed only to a file that
// exists; the file's permissions are kept.
SaveResult SaveFileSafely(const std::string& path, const std::string& bytes,
                          const FileOps& ops = SystemFileOps());

// Whether the file at `path` exists and is marked read-only: no write permission bits, or
// not writable by this user.
bool IsMarkedReadOnly(const std::string& path);

}  // namespace lintrel
