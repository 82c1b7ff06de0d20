// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>

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

namespace {

// Where the bytes of a save go: the file itself, or the file a link names; whether it is
// there, and its permissions; or why no save can be made there.
struct SaveTarget {
    std::string path;
    bool exists = false;
    mode_t mode = 0;
    std::optional<SaveResult> refused;
};

SaveTarget TargetOf(const std::string& path) {
    SaveTarget target;
    target.path = path;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            target.refused = SaveResult::Failed;
        }
        return target;
    }
    if (S_ISLNK(st.st_mode)) {
        if (::stat(path.c_str(), &st) != 0) {
            target.refused = SaveResult::DanglingLink;
            return target;
        }
        const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                               &std::free);
        if (real == nullptr) {
            target.refused = SaveResult::Failed;
            return target;
        }
        target.path = real.get();
    }
    if (!S_ISREG(st.st_mode)) {
        target.refused = SaveResult::NotAFile;
    } else if (IsMarkedReadOnly(target.path)) {
        target.refused = SaveResult::ReadOnly;
    }
    target.exists = true;
    target.mode = st.st_mode & 07777;
    return target;
}

// Writes the file in place, over its old bytes (their room is already the file's, even on a
// full disk), and cuts it to the new length once they are all written.
SaveResult WriteInPlace(const std::string& path, const std::string& bytes, const FileOps& ops) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return SaveResult::Failed;
    }
    return WriteAll(fd, bytes, ops) ? SaveResult::Saved : SaveResult::Failed;
}

}  // namespace

SaveResult SaveFileSafely(const std::string& path, const std::string& bytes, const FileOps& ops) {
    const SaveTarget target = TargetOf(path);
    if (target.refused) {
        return *target.refused;
    }
    std::string temporary = target.path + ".XXXXXX";
    const int fd = ops.makeTemporary(temporary.data());
    if (fd < 0) {
        // A folder that takes no new file may still hold a file that can be written.
        const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
        return target.exists && refused ? WriteInPlace(target.path, bytes, ops)
                                        : SaveResult::Failed;
    }
    const mode_t mode = target.exists ? target.mode : NewFileMode();
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes, ops);
    if (!written || ::rename(temporary.c_str(), target.path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return SaveResult::Failed;
    }
    SyncFolderOf(target.path);
    return SaveResult::Saved;
}

}  // namespace lintrel
