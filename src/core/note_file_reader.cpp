#include "core/note_file_reader.h"

#include <QFile>

#include <cstring>

#include <optional>

#include "platform/file_test.h"

namespace lintrel {

namespace {

// Reads the whole of `file` into a buffer after `headroom` spare bytes.
std::optional<TextBuffer> ReadAll(QFile& file, std::size_t headroom) {
    const qint64 expected = file.size();
    if (expected < 0) {
        return std::nullopt;
    }
    TextBuffer buffer = TextBuffer::Allocate(headroom + static_cast<std::size_t>(expected));
    std::size_t filled = headroom;
    for (;;) {
        if (filled == buffer.size) {
            // The file may have grown since its size was taken: read on in larger steps.
            char probe = 0;
            const qint64 got = file.read(&probe, 1);
            if (got < 0) {
                return std::nullopt;
            }
            if (got == 0) {
                break;
            }
            TextBuffer larger = TextBuffer::Allocate(buffer.size * 2 + 4096);
            std::memcpy(larger.data.get(), buffer.data.get(), filled);
            larger.data[filled++] = probe;
            buffer = std::move(larger);
            continue;
        }
        const qint64 got =
            file.read(buffer.data.get() + filled, static_cast<qint64>(buffer.size - filled));
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    buffer.size = filled;
    return buffer;
}

// The separator file's first line, read no further than it reaches.
std::optional<std::string> ReadSeparatorLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[65536];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
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
    bool found = false;
    const std::string_view line = FirstLine(bytes, found);
    if (!found) {
        return std::nullopt;  // an empty separator file names no separator
    }
    return std::string(line);
}

}  // namespace

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
        const std::optional<std::string> line = ReadSeparatorLine(separatorPath);
        if (!line) {
            return result;
        }
        separator = "\r\n" + *line + "\r\n";
    } else if (!separatorSetting.empty()) {
        separator = separatorSetting;
    } else {
        separator = "\r\n";
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return result;
    }
    std::optional<TextBuffer> raw = ReadAll(file, kJoinHeadroom);
    file.close();
    if (!raw) {
        return result;
    }
    result.notes = NoteList::Cut(JoinLines(std::move(*raw)), separator);
    result.status = LoadStatus::Loaded;
    return result;
}

}  // namespace lintrel
