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

// Writes `bytes` as the whole file at `path` (a file-system path). A link is followed only to
// a file that exists; the file's permissions are kept. Two ways, with what each promises:
// - Beside the file (the usual way): the bytes go to a new temporary file in the same folder,
//   which is flushed, then renamed over the file, and the folder is flushed. Whatever fails,
//   the file holds either all of its old bytes or all of the new ones, and no temporary file
//   is left.
// - In place, only where the folder takes no new file but the file itself is writable: the
//   bytes are written over the old ones from the start, and the file is cut to their length.
//   A failure before the first byte is written leaves the file as it was; a failure after it
//   (a crash, a write error midway) can leave a mix of new and old bytes, which the loader
//   then reports as a bad file.
// Any failure returns a reason other than Saved; no path ever deletes the file.
SaveResult SaveFileSafely(const std::string& path, const std::string& bytes,
                          const FileOps& ops = SystemFileOps());

// Whether the file at `path` exists and is marked read-only: no write permission bits, or
// not writable by this user.
bool IsMarkedReadOnly(const std::string& path);

}  // namespace lintrel
