// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_test.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

namespace lintrel {

namespace {

// The first number in the file at `path`; none when it holds none ("max").
std::optional<std::uint64_t> NumberIn(const std::string& path) {
    std::ifstream in(path);
    std::uint64_t number = 0;
    if (in >> number) {
        return number;
    }
    return std::nullopt;
}

// What is left under the memory limit of the control group the program runs in (version 2,
// or the memory controller of version 1).
std::optional<std::uint64_t> LeftInControlGroup() {
    std::ifstream groups("/proc/self/cgroup");
    std::string line;
    while (std::getline(groups, line)) {
        std::string limit;
        std::string usage;
        if (line.rfind("0::", 0) == 0) {
            const std::string dir = "/sys/fs/cgroup" + line.substr(3);
            limit = dir + "/memory.max";
            usage = dir + "/memory.current";
        } else if (const std::size_t at = line.find(":memory:"); at != std::string::npos) {
            const std::string dir = "/sys/fs/cgroup/memory" + line.substr(at + 8);
            limit = dir + "/memory.limit_in_bytes";
            usage = dir + "/memory.usage_in_bytes";
        } else {
            continue;
        }
        const std::optional<std::uint64_t> max = NumberIn(limit);
        const std::optional<std::uint64_t> used = NumberIn(usage);
        if (max && used) {
            return *max > *used ? *max - *used : 0;
        }
    }
    return std::nullopt;
}

}  // namespace

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.isFile() && !info.fileName().startsWith(QLatin1Char('.'));
}

bool OpenRegularFile(QFile& file, const QString& path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

std::uint64_t AvailableMemory() {
    std::uint64_t available = std::numeric_limits<std::uint64_t>::max();
    std::ifstream info("/proc/meminfo");
    std::string name;
    std::uint64_t kibibytes = 0;
    while (info >> name >> kibibytes) {
        if (name == "MemAvailable:") {
            available = kibibytes * 1024;
            break;
        }
        info.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    if (const std::optional<std::uint64_t> left = LeftInControlGroup()) {
        available = std::min(available, *left);
    }
    return available;
}

}  // namespace lintrel
