#include "core/note_list.h"

#include <cstring>
#include <limits>

namespace lintrel {

TextBuffer TextBuffer::Allocate(std::size_t size) {
    TextBuffer buffer;
    buffer.data = std::make_unique_for_overwrite<char[]>(size == 0 ? 1 : size);
    buffer.size = size;
    return buffer;
}

TextBuffer TextBuffer::FromBytes(std::string_view bytes) {
    TextBuffer buffer = Allocate(bytes.size());
    if (!bytes.empty()) {
        std::memcpy(buffer.data.get(), bytes.data(), bytes.size());
    }
    return buffer;
}

namespace {

// Calls `hit(position)` for every non-overlapping occurrence of `separator` in `text`.
template <typename Hit>
void ForEachOccurrence(std::string_view text, std::string_view separator, Hit hit) {
    const char* const begin = text.data();
    const std::size_t size = text.size();
    const std::size_t sepSize = separator.size();
    std::size_t pos = 0;
    if (separator == "\r\n") {
        while (pos + 1 < size) {
            const void* cr = std::memchr(begin + pos, '\r', size - pos - 1);
            if (cr == nullptr) {
                break;
            }
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - begin);
            if (begin[at + 1] == '\n') {
                hit(at);
                pos = at + 2;
            } else {
                pos = at + 1;
            }
        }
        return;
    }
    while (pos + sepSize <= size) {
        const void* found = memmem(begin + pos, size - pos, separator.data(), sepSize);
        if (found == nullptr) {
            break;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - begin);
        hit(at);
        pos = at + sepSize;
    }
}

}  // namespace

NoteList NoteList::Cut(TextBuffer text, std::string_view separator) {
    NoteList list;
    list.separatorSize_ = separator.size();
    list.wide_ = text.size > std::numeric_limits<std::uint32_t>::max();
    const std::size_t sepSize = separator.size();
    if (list.wide_) {
        ForEachOccurrence(text.View(), separator,
                          [&](std::size_t at) { list.starts64_.push_back(at + sepSize); });
        list.count_ = list.starts64_.size();
    } else {
        ForEachOccurrence(text.View(), separator, [&](std::size_t at) {
            list.starts32_.push_back(static_cast<std::uint32_t>(at + sepSize));
        });
        list.count_ = list.starts32_.size();
    }
    list.text_ = std::move(text);
    return list;
}

std::string_view NoteList::Note(std::size_t k) const {
    std::size_t begin = StartOf(k - 1);
    std::size_t end = k < count_ ? StartOf(k) - separatorSize_ : text_.size;
    const char* d = text_.data.get();
    while (begin < end && d[begin] == ' ') {
        ++begin;
    }
    while (end > begin && d[end - 1] == ' ') {
        --end;
    }
    return {d + begin, end - begin};
}

TextBuffer JoinLines(TextBuffer buffer) {
    std::size_t size = buffer.size - kJoinHeadroom;  // the file's bytes
    char* file = buffer.data.get() + kJoinHeadroom;
    if (size == 0) {
        buffer.size = 0;
        return buffer;
    }
    // The line break that ends the last line starts no further line.
    if (size >= 2 && file[size - 2] == '\r' && file[size - 1] == '\n') {
        size -= 2;
    } else if (file[size - 1] == '\r') {
        size -= 1;
    }
    buffer.data[0] = '\r';
    buffer.data[1] = '\n';

    // A lone CR ends a line as CR LF does; it becomes CR LF in the joined text.
    std::size_t loneCrs = 0;
    for (const char* p = file; (p = static_cast<const char*>(std::memchr(
                                    p, '\r', static_cast<std::size_t>(file + size - p))));
         ++p) {
        if (p + 1 == file + size || p[1] != '\n') {
            ++loneCrs;
        }
    }
    if (loneCrs == 0) {
        buffer.size = size + kJoinHeadroom;
        return buffer;
    }
    TextBuffer joined = TextBuffer::Allocate(size + kJoinHeadroom + loneCrs);
    char* out = joined.data.get();
    *out++ = '\r';
    *out++ = '\n';
    for (std::size_t i = 0; i < size; ++i) {
        *out++ = file[i];
        if (file[i] == '\r' && (i + 1 == size || file[i + 1] != '\n')) {
            *out++ = '\n';
        }
    }
    return joined;
}

std::string_view FirstLine(std::string_view bytes, bool& found) {
    found = !bytes.empty();
    const std::size_t cr = bytes.find('\r');
    return cr == std::string_view::npos ? bytes : bytes.substr(0, cr);
}

}  // namespace lintrel
