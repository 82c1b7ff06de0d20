// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/byte_scan.h"

namespace lintrel {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// How far ahead of the text being read its room is backed with memory in one call.
constexpr std::size_t kPopulateAhead = std::size_t{2} << 20;

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

NoteList::NoteList(Text text, std::size_t size, std::vector<std::size_t> starts,
                   std::size_t separatorSize, std::size_t count)
    : text_(std::move(text)),
      size_(size),
      starts_(std::move(starts)),
      separatorSize_(separatorSize),
      count_(count) {}

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

char* NoteListBuilder::Room(std::size_t bytes) {
    if (char* room = cutter_.Room(joiner_.Ahead(), bytes)) {
        return room;
    }
    if (!scratch_) {
        scratch_ = std::make_unique_for_overwrite<char[]>(kPiece);
    }
    return scratch_.get();
}

bool NoteListBuilder::Feed(std::string_view bytes) {
    if (!cutter_.Failed()) {
        joiner_.Feed(bytes, [this](std::string_view joined) { cutter_.Accept(joined); });
    }
    return !cutter_.Failed();
}

NoteCutter::NoteCutter(std::string separator) : separator_(std::move(separator)) {
    if (separator_.empty()) {
        separator_ = kLineBreak;  // an empty separator would match everywhere
    }
    // Room for every start that is held; pages never written are never backed by memory.
    starts_.reserve(kHeldStarts);
}

NoteList NoteCutter::Finish() {
    populator_.Stop();
    if (failed_) {
        return {};
    }
    // Give back the room that was not used.
    if (capacity_ > size_ && size_ > 0) {
        (void)Grow(size_);  // when even that fails, the room stays
    }
    return {std::move(text_), size_, std::move(starts_), separator_.size(), count_};
}

void NoteCutter::Accept(std::string_view joined) {
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

void NoteCutter::Reserve(std::size_t bytes) {
    if (bytes > capacity_) {
        reserved_ = Grow(bytes);  // without the room, the text grows as it comes
    }
}

char* NoteCutter::Room(std::size_t ahead, std::size_t bytes) {
    if (failed_ || !holding_ || size_ + ahead + bytes < size_) {
        return nullptr;
    }
    if (!Ensure(size_ + ahead + bytes)) {
        return nullptr;
    }
    Populate(size_ + ahead + bytes);
    // A large held text goes on being backed on another processor, when the room will not
    // move: only when it was made for the whole file at once.
    if (reserved_ && size_ >= PagePopulator::kLeast) {
        reserved_ = false;
        populator_.Start(text_.get(), capacity_, size_ + ahead);
    }
    populator_.Reached(size_ + ahead);
    return text_.get() + size_ + ahead;
}

bool NoteCutter::Grow(std::size_t capacity) {
    populator_.Stop();  // the block may move
    char* grown = static_cast<char*>(std::realloc(text_.get(), capacity));
    if (grown == nullptr) {
        return false;
    }
    (void)text_.release();
    text_.reset(grown);
    capacity_ = capacity;
    populated_ = std::min(populated_, size_);
    return true;
}

void NoteCutter::Populate(std::size_t upTo) {
    if (upTo <= populated_) {
        return;
    }
    const std::size_t end = std::min(capacity_, std::max(upTo, populated_ + kPopulateAhead));
    // Where the kernel cannot, the pages are backed as they are written instead.
    (void)BackPages(text_.get(), populated_, end);
    populated_ = end;
}

bool NoteCutter::Ensure(std::size_t bytes) {
    if (bytes <= capacity_) {
        return true;
    }
    std::size_t capacity = capacity_ < 65536 ? 65536 : capacity_ * 2;
    while (capacity < bytes) {
        capacity *= 2;
    }
    return Grow(capacity);
}

bool NoteCutter::Append(std::string_view joined) {
    if (!Ensure(size_ + joined.size())) {
        return false;
    }
    // Joined text read into the room is in place already.
    if (joined.data() != text_.get() + size_) {
        std::memmove(text_.get() + size_, joined.data(), joined.size());
    }
    size_ += joined.size();
    return true;
}

void NoteCutter::SearchHeld() {
    const char* text = text_.get();
    const std::size_t sepSize = separator_.size();
    for (;;) {
        const std::size_t at = FindBytes({text, size_}, searchFrom_, separator_);
        if (at == std::string_view::npos) {
            searchFrom_ = StillOpen(size_, searchFrom_, sepSize);
            return;
        }
        searchFrom_ = at + sepSize;
        starts_.push_back(searchFrom_);
        ++count_;
        if (starts_.size() == kHeldStarts) {
            // Every note that can be shown is held: the rest of the text is only counted.
            holding_ = false;
            populator_.Stop();
            const std::string_view rest(text + searchFrom_, size_ - searchFrom_);
            size_ = searchFrom_;
            CountOccurrences(rest);
            return;
        }
    }
}

void NoteCutter::CountOccurrences(std::string_view joined) {
    if (separator_ == kLineBreak) {
        // Every CR of the joined text is followed by LF: each one is an occurrence.
        count_ += CountByte(joined, '\r');
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
            ++count_;
            pos = at + sepSize;
        }
        if (joined.size() < sepSize - 1) {
            carry_ = head.substr(StillOpen(head.size(), pos, sepSize));
            return;
        }
        from = pos > carry_.size() ? pos - carry_.size() : 0;
    }
    const ByteCount counted = CountBytes(joined, from, separator_);
    count_ += counted.count;
    from = counted.end;
    carry_ = joined.substr(StillOpen(joined.size(), from, sepSize));
}

}  // namespace lintrel
