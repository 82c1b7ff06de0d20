// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_file_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <memory>
#include <optional>
#include <semaphore>
#include <system_error>
#include <thread>

#include "core/page_populator.h"
#include "platform/file_test.h"

namespace lintrel {

namespace {

// Reads the rest of the open file `fd`, up to `left` bytes, on a thread of its own, into a
// ring of buffers, while the calling thread feeds them to `builder` in order: the counting
// of the notes past those held then costs no more time than the reading. How many bytes it
// read, none on a failure.
std::optional<qint64> ReadAheadInto(int fd, qint64 left, NoteListBuilder& builder) {
    constexpr int kRing = 4;
    constexpr std::size_t kBuffer = std::size_t{1} << 20;
    struct Buffer {
        std::unique_ptr<char[]> bytes = std::make_unique_for_overwrite<char[]>(kBuffer);
        ssize_t size = 0;  // what was read; 0 at the end, -1 on a failure
    };
    std::array<Buffer, kRing> ring;
    std::counting_semaphore<kRing> empty(kRing);
    std::counting_semaphore<kRing> full(0);
    std::atomic<bool> stop{false};
    std::jthread reader([&, toRead = left]() mutable {
        for (int i = 0;; i = (i + 1) % kRing) {
            empty.acquire();
            if (stop.load()) {
                return;
            }
            Buffer& buffer = ring[static_cast<std::size_t>(i)];
            const auto want = static_cast<std::size_t>(std::min<qint64>(toRead, kBuffer));
            do {
                buffer.size = want == 0 ? 0 : ::read(fd, buffer.bytes.get(), want);
            } while (buffer.size < 0 && errno == EINTR);
            toRead -= std::max<ssize_t>(buffer.size, 0);
            full.release();
            if (buffer.size <= 0) {
                return;
            }
        }
    });
    // However the feeding ends, a memory failure's exception included, a reader still at work
    // is told to stop and let through before the thread is joined.
    const auto letGo = qScopeGuard([&] {
        stop.store(true);
        empty.release();
    });
    qint64 read = 0;
    bool fed = true;
    for (int i = 0;; i = (i + 1) % kRing) {
        full.acquire();
        const Buffer& buffer = ring[static_cast<std::size_t>(i)];
        if (buffer.size <= 0) {
            fed = buffer.size == 0;
            break;
        }
        read += buffer.size;
        fed = builder.Feed({buffer.bytes.get(), static_cast<std::size_t>(buffer.size)});
        if (!fed) {
            break;
        }
        empty.release();
    }
    return fed ? std::optional(read) : std::nullopt;
}

// Reads `file` into `builder` up to its end or `limit` bytes, in pieces small enough to stay
// in the cache, each where the builder holds it; how many bytes it read, none on a failure.
std::optional<qint64> ReadInto(QFile& file, qint64 limit, NoteListBuilder& builder) {
    constexpr auto kPiece = static_cast<qint64>(NoteListBuilder::kPiece);
    qint64 left = limit;
    while (left > 0) {
        // Past the notes held, with another processor to read on.
        if (!builder.Holding() && left > kPiece && HasAnotherProcessor()) {
            try {
                const std::optional<qint64> rest = ReadAheadInto(file.handle(), left, builder);
                return rest ? std::optional(limit - left + *rest) : std::nullopt;
            } catch (const std::system_error&) {
                // No thread to be had: read on here.
            }
        }
        const qint64 want = std::min(kPiece, left);
        char* const piece = builder.Room(static_cast<std::size_t>(want));
        const qint64 got = file.read(piece, want);
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;  // the file got shorter meanwhile
        }
        if (!builder.Feed({piece, static_cast<std::size_t>(got)})) {
            return std::nullopt;
        }
        left -= got;
    }
    return limit - left;
}

// The separator file's first line, read no further than it reaches nor than `limit` bytes:
// a line longer than the note file can never match, so its first `limit` bytes stand for it.
std::optional<std::string> ReadSeparatorLine(const QString& path, std::size_t limit) {
    QFile file;
    if (!OpenRegularFile(file, path)) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < limit) {
        const qint64 got =
            file.read(chunk, static_cast<qint64>(std::min(sizeof chunk, limit - bytes.size())));
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
        if (bytes.find('\r', bytes.size() - static_cast<std::size_t>(got)) != std::string::npos) {
            break;
        }
    }
    const std::optional<std::string_view> line = FirstLine(bytes);
    if (!line) {
        return std::nullopt;  // an empty separator file names no separator
    }
    return std::string(*line);
}

}  // namespace

std::optional<std::string_view> FirstLine(std::string_view bytes) {
    if (bytes.empty()) {
        return std::nullopt;
    }
    const std::size_t cr = bytes.find('\r');
    return cr == std::string_view::npos ? bytes : bytes.substr(0, cr);
}

QString SeparatorFilePath(const QString& notePath) {
    const qsizetype dot = notePath.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        return {};
    }
    return notePath.left(dot) + QStringLiteral(".ltrsep");
}

NoteFileResult ReadNoteFile(const QString& path, const std::string& separatorSetting) {
    NoteFileResult result;
    if (!FileExists(path)) {
        result.status = LoadStatus::Missing;
        return result;
    }
    const QString separatorPath = SeparatorFilePath(path);
    if (separatorPath.isEmpty()) {
        return result;
    }
    std::string separator;
    if (FileExists(separatorPath)) {
        // Longer than the note file, and than what a file system file of size 0 may still hold.
        constexpr std::size_t kLeast = 1 << 20;
        const auto noteSize = static_cast<std::size_t>(std::max<qint64>(QFileInfo(path).size(), 0));
        const std::optional<std::string> line =
            ReadSeparatorLine(separatorPath, std::max(noteSize, kLeast) + 1);
        if (!line) {
            return result;
        }
        separator = "\r\n" + *line + "\r\n";
    } else if (!separatorSetting.empty()) {
        separator = separatorSetting;
    } else {
        separator = "\r\n";
    }

    QFile file;
    if (!OpenRegularFile(file, path)) {
        return result;
    }
    // The file is read as far as it reached when it was opened: a file that a writer keeps
    // growing meanwhile would otherwise be read until the writer stops. A file larger than the
    // memory that can be had is refused unread. A file the system calls empty is read to its
    // end when that comes within a bound: those that hold bytes all the same are the system's
    // own generated files (/proc), and some of them never end.
    const qint64 size = file.size();
    if (static_cast<std::uint64_t>(size) > AvailableMemory()) {
        return result;
    }
    NoteListBuilder builder(std::move(separator));
    // The joined text is the file's bytes and two more, unless the file has lone CRs.
    if (size > 0) {
        builder.Reserve(static_cast<std::size_t>(size) + 2);
    }
    const auto bound = static_cast<qint64>(kEmptySizeReadBound);
    const std::optional<qint64> read = ReadInto(file, size > 0 ? size : bound + 1, builder);
    file.close();
    if (!read || (size == 0 && *read > bound)) {
        return result;
    }
    result.notes = builder.Finish();
    result.status = LoadStatus::Loaded;
    return result;
}

}  // namespace lintrel
