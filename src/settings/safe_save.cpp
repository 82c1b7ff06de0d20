// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <memory>

namespace lintrel {

namespace {

int SystemMakeTemporary(char* pattern) {
    return ::mkostemp(pattern, O_CLOEXEC);
}
ssize_t SystemWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}
int SystemFsync(int fd) {
    return ::fsync(fd);
}
int SystemClose(int fd) {
    return ::close(fd);
}

// Writes all of `bytes` from the file's start, cuts the file to their length, then flushes
// them to the disk and closes `fd`; false when any step fails (the descriptor is closed
// either way).
bool WriteAll(int fd, const std::string& bytes, const FileOps& ops) {
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ops.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ok && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ops.fsync(fd) == 0;
    return ops.close(fd) == 0 && ok;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Flushes the folder that holds `file`, so that a rename into it survives a power cut. The
// new bytes are already on the disk and in place; a folder that cannot be flushed (some
// file systems refuse) does not undo the save.
void SyncFolderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : (slash == 0 ? "/" : file.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

const FileOps& SystemFileOps() {
    static const FileOps ops{SystemMakeTemporary, SystemWrite, SystemFsync, SystemClose};
    return ops;
}

bool IsMarkedReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return false;
    }
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

SaveResult SaveFileSafely(const std::string& path, const std::string& bytes, const FileOps& ops) {
    // Where the bytes go: the file itself, or the file a link names.
    std::string target = path;
    struct stat st {};
    bool exists = false;
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            if (::stat(path.c_str(), &st) != 0) {
                return SaveResult::DanglingLink;
            }
            const std::unique_ptr<char, decltype(&std::free)> real(
                ::realpath(path.c_str(), nullptr), &std::free);
            if (real == nullptr) {
                return SaveResult::Failed;
            }
            target = real.get();
        }
        if (!S_ISREG(st.st_mode)) {
            return SaveResult::NotAFile;
        }
        exists = true;
        if (IsMarkedReadOnly(target)) {
            return SaveResult::ReadOnly;
        }
    } else if (errno != ENOENT) {
        return SaveResult::Failed;
    }

    std::string temporary = target + ".XXXXXX";
    const int fd = ops.makeTemporary(temporary.data());
    if (fd < 0) {
        if (!exists || (errno != EACCES && errno != EPERM && errno != EROFS)) {
            return SaveResult::Failed;
        }
        // The folder takes no new file, but the file itself may be written: write it in place,
        // over its old bytes (their room is already the file's, even on a full disk), and cut
        // it to the new length once they are all written.
        const int in = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (in < 0) {
            return SaveResult::Failed;
        }
        return WriteAll(in, bytes, ops) ? SaveResult::Saved : SaveResult::Failed;
    }
    const mode_t mode = exists ? (st.st_mode & 07777) : NewFileMode();
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes, ops);
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return SaveResult::Failed;
    }
    SyncFolderOf(target);
    return SaveResult::Saved;
}

}  // namespace lintrel
