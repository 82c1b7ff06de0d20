// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_list.h"

#include <cstring>
#include <utility>

#include "core/byte_scan.h"

namespace lintrel {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The notes whose start is held: every note that can be shown, and the one after it, whose
// start ends the last of them.
constexpr std::size_t kHeldStarts = static_cast<std::size_t>(kHighestShownNote) + 1;

// Where an occurrence may start once more text arrives: no earlier than `from`, and within the
// last bytes, too few for a whole occurrence.
std::size_t StillOpen(std::size_t size, std::size_t from, std::size_t separatorSize) {
    return size >= separatorSize && size - (separatorSize - 1) > from ? size - (separatorSize - 1)
                                                                      : from;
}

}  // namespace

NoteList NoteList::FromFile(std::string_view file, std::string_view separator) {
    NoteListBuilder builder{std::string(separator)};
    builder.Feed(file);
    return builder.Finish();
}

std::string_view NoteList::Note(std::size_t k) const {
    if (k == 0 || k > count_ || k > static_cast<std::size_t>(kHighestShownNote)) {
        return {};
    }
    std::size_t begin = starts_[k - 1];
    std::size_t end = k < count_ ? starts_[k] - separatorSize_ : size_;
    const char* d = text_.get();
    while (begin < end && d[begin] == ' ') {
        ++begin;
    }
    while (end > begin && d[end - 1] == ' ') {
        --end;
    }
    return {d + begin, end - begin};
}

NoteListBuilder::NoteListBuilder(std::string separator) : separator_(std::move(separator)) {
    if (separator_.empty()) {
        separator_ = kLineBreak;  // an empty separator would match everywhere
    }
    list_.separatorSize_ = separator_.size();
    // Room for every start that is held; pages never written are never backed by memory.
    list_.starts_.reserve(kHeldStarts);
}

bool NoteListBuilder::Feed(std::string_view bytes) {
    if (bytes.empty() || failed_) {
        return !failed_;
    }
    if (!started_) {
        started_ = true;
        Accept(kLineBreak);
    }
    std::size_t begin = 0;
    if (pendingCr_) {
        pendingCr_ = false;
        pendingBreak_ = true;
        if (bytes[0] == '\n') {
            begin = 1;
        }
    }
    if (begin == bytes.size()) {
        return !failed_;
    }
    // More bytes follow the pending line break: it starts a line.
    if (pendingBreak_) {
        pendingBreak_ = false;
        Accept(kLineBreak);
    }
    // A line break at the very end waits for what follows it.
    std::size_t end = bytes.size();
    if (bytes[end - 1] == '\r') {
        --end;
        pendingCr_ = true;
    } else if (end - begin >= 2 && bytes[end - 2] == '\r' && bytes[end - 1] == '\n') {
        end -= 2;
        pendingBreak_ = true;
    }
    const std::string_view body = bytes.substr(begin, end - begin);
    // The body with one more byte, so that a CR at its end is judged by what follows.
    const std::string_view judged = bytes.substr(begin, end - begin + (end < bytes.size()));
    if (!HasLoneCr(judged)) {
        Accept(body);
        return !failed_;
    }
    scratch_.clear();
    for (std::size_t i = 0; i < body.size(); ++i) {
        scratch_ += body[i];
        if (body[i] == '\r' && judged[i + 1] != '\n') {
            scratch_ += '\n';
        }
    }
    Accept(scratch_);
    return !failed_;
}

NoteList NoteListBuilder::Finish() {
    // A line break still pending ends the last line and starts no further one.
    if (failed_) {
        return {};
    }
    // Give back the room that was not used.
    if (list_.capacity_ > list_.size_ && list_.size_ > 0) {
        (void)Grow(list_.size_);  // when even that fails, the room stays
    }
    return std::move(list_);
}

void NoteListBuilder::Accept(std::string_view joined) {
    if (failed_ || joined.empty()) {
        return;
    }
    if (!holding_) {
        CountOccurrences(joined);
    } else if (!Append(joined)) {
        failed_ = true;
    } else {
        SearchHeld();
    }
}

void NoteListBuilder::Reserve(std::size_t bytes) {
    if (bytes > list_.capacity_) {
        (void)Grow(bytes);  // without the room, the text grows as it comes
    }
}

bool NoteListBuilder::Grow(std::size_t capacity) {
    NoteList& l = list_;
    char* grown = static_cast<char*>(std::realloc(l.text_.get(), capacity));
    if (grown == nullptr) {
        return false;
    }
    (void)l.text_.release();
    l.text_.reset(grown);
    l.capacity_ = capacity;
    return true;
}

bool NoteListBuilder::Append(std::string_view joined) {
    NoteList& l = list_;
    if (l.size_ + joined.size() > l.capacity_) {
        std::size_t capacity = l.capacity_ < 65536 ? 65536 : l.capacity_ * 2;
        while (capacity < l.size_ + joined.size()) {
            capacity *= 2;
        }
        if (!Grow(capacity)) {
            return false;
        }
    }
    std::memcpy(l.text_.get() + l.size_, joined.data(), joined.size());
    l.size_ += joined.size();
    return true;
}

void NoteListBuilder::SearchHeld() {
    NoteList& l = list_;
    const char* text = l.text_.get();
    const std::size_t sepSize = separator_.size();
    for (;;) {
        const std::size_t at = FindBytes({text, l.size_}, searchFrom_, separator_);
        if (at == std::string_view::npos) {
            searchFrom_ = StillOpen(l.size_, searchFrom_, sepSize);
            return;
        }
        searchFrom_ = at + sepSize;
        l.starts_.push_back(searchFrom_);
        ++l.count_;
        if (l.starts_.size() == kHeldStarts) {
            // Every note that can be shown is held: the rest of the text is only counted.
            holding_ = false;
            const std::string_view rest(text + searchFrom_, l.size_ - searchFrom_);
            l.size_ = searchFrom_;
            CountOccurrences(rest);
            return;
        }
    }
}

void NoteListBuilder::CountOccurrences(std::string_view joined) {
    NoteList& l = list_;
    if (separator_ == kLineBreak) {
        // Every CR of the joined text is followed by LF: each one is an occurrence.
        l.count_ += CountByte(joined, '\r');
        return;
    }
    const std::size_t sepSize = separator_.size();
    std::size_t from = 0;
    if (!carry_.empty()) {
        // An occurrence that starts in the carried bytes ends within the first bytes of this
        // piece.
        std::string head = carry_;
        head.append(joined.substr(0, sepSize - 1));
        std::size_t pos = 0;
        for (std::size_t at = FindBytes(head, 0, separator_);
             at != std::string_view::npos && at < carry_.size();
             at = FindBytes(head, pos, separator_)) {
            ++l.count_;
            pos = at + sepSize;
        }
        if (joined.size() < sepSize - 1) {
            carry_ = head.substr(StillOpen(head.size(), pos, sepSize));
            return;
        }
        from = pos > carry_.size() ? pos - carry_.size() : 0;
    }
    l.count_ += CountBytes(joined, from, separator_, from);
    carry_ = joined.substr(StillOpen(joined.size(), from, sepSize));
}

std::string_view FirstLine(std::string_view bytes, bool& found) {
    found = !bytes.empty();
    const std::size_t cr = bytes.find('\r');
    return cr == std::string_view::npos ? bytes : bytes.substr(0, cr);
}

}  // namespace lintrel
