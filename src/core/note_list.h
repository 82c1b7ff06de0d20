// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_scan.h"
#include "core/page_populator.h"

namespace lintrel {

// The highest note number that can be shown: the shown number is a 16-bit signed number.
constexpr int kHighestShownNote = 32767;

// A note's bytes and what keeps them alive: whoever holds the value can read the bytes, even
// after the list they came from is gone.
struct NoteText {
    std::string_view bytes;
    std::shared_ptr<const void> keeper;

    // A text of its own.
    static NoteText Own(std::string text) {
        auto held = std::make_shared<const std::string>(std::move(text));
        return NoteText{*held, held};
    }
};

// The notes of a loaded file. The joined text of the file (see NoteListBuilder) is held up to
// the start of the first note that can never be shown; later notes are only counted. A note
// is read on demand, trimmed of its leading and trailing spaces; no note is copied.
class NoteList {
  public:
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    // A block of text from malloc.
    using Text = std::unique_ptr<char, Free>;

    NoteList() = default;
    // Takes the held text (`size` bytes), the start of each held note after the first and the
    // start of the note after them, the separator's length, and the count of all notes.
    NoteList(Text text, std::size_t size, std::vector<std::size_t> starts,
             std::size_t separatorSize, std::size_t count);

    // The notes of a file's bytes cut at `separator` (never empty).
    static NoteList FromFile(std::string_view file, std::string_view separator);

    std::size_t Count() const { return count_; }
    // Note `k`, 1-based, 1 <= k <= Count(), without its leading and trailing spaces. Notes
    // above kHighestShownNote are not held and read as empty.
    std::string_view Note(std::size_t k) const;
    // A note that is empty once every space is removed from it.
    bool IsBlank(std::size_t k) const { return Note(k).empty(); }
    // Note `k` as Note() reads it, travelling with what keeps its bytes alive.
    NoteText TextOf(std::size_t k) const { return NoteText{Note(k), text_}; }

  private:
    std::shared_ptr<const char> text_;
    std::size_t size_ = 0;
    // Start of note i + 1 in the text, for the notes that are held.
    std::vector<std::size_t> starts_;
    std::size_t separatorSize_ = 0;
    std::size_t count_ = 0;
};

// Joins the lines of a note file given in pieces: every line is preceded by CR LF, a line ends
// at CR LF or at a lone CR (a lone LF is an ordinary character), and the line break after the
// last line starts no further line. What is joined goes to a sink as it is decided.
class LineJoiner {
  public:
    // Takes the next bytes of the file; hands `out` (called with a std::string_view) the
    // joined text they decide, in order.
    template <typename Sink>
    void Feed(std::string_view bytes, Sink&& out);
    // How far ahead of the joined text so far the next bytes must lie for their joined text
    // to be where they are: the line break it hands out before them. (After a CR whose LF
    // may begin the next bytes, the break comes before them all the same, and the bytes past
    // that LF are moved back by one.)
    std::size_t Ahead() const { return !started_ || pendingBreak_ || pendingCr_ ? 2 : 0; }

  private:
    // The file's bytes so far are not empty.
    bool started_ = false;
    // The bytes so far end with a CR whose line break is not known yet to be CR LF or lone.
    bool pendingCr_ = false;
    // The bytes so far end with a line break that starts a line only if more bytes follow.
    bool pendingBreak_ = false;
    std::string scratch_;
};

// Cuts joined text, given in pieces, at every occurrence of a separator, scanning left to
// right with matched occurrences consumed; the piece before the first occurrence is dropped
// and every later piece is a note. The text of the notes that can be shown is held; later
// occurrences are only counted.
class NoteCutter {
  public:
    // `separator` is never empty.
    explicit NoteCutter(std::string separator);

    // Makes room for `bytes` bytes of joined text at once, when the file's size is known, so
    // that the held text never moves while it grows. Only what is written is backed by memory.
    void Reserve(std::size_t bytes);
    // Takes the next piece of joined text. It may lie in the held text's room already, where
    // Room put it, or overlap it.
    void Accept(std::string_view joined);
    // Room for `bytes` bytes of joined text `ahead` bytes past the held text, so that joined
    // text can be read where it is held instead of copied there; empty when the text is no
    // longer held or there is no memory.
    char* Room(std::size_t ahead, std::size_t bytes);
    // Memory for the notes ran out: the notes are lost.
    bool Failed() const { return failed_; }
    // The text is still held (not yet past the notes that can be shown).
    bool Holding() const { return holding_ && !failed_; }
    // The notes of all the joined text.
    NoteList Finish();

  private:
    bool Append(std::string_view joined);
    // Moves the held text to a block of `capacity` bytes; false when there is no memory.
    bool Grow(std::size_t capacity);
    // Room for `bytes` bytes of held text, grown by doubling; false when there is no memory.
    bool Ensure(std::size_t bytes);
    // Backs the room up to byte `upTo`, and some way past it, with memory in one call: the
    // pages a read would fault in one by one, with one trap into the kernel for many of them.
    void Populate(std::size_t upTo);
    // Finds the occurrences in the held text that start at or after searchFrom_.
    void SearchHeld();
    // Counts the occurrences in joined text past the held notes.
    void CountOccurrences(std::string_view joined);

    std::string separator_;
    // The held text, grown by realloc: a block reserved for the whole file is backed by
    // memory only where it is written, and giving back the unused end does not copy it.
    // (A std::string would fill its reserve and copy itself to shrink; bench/buffer_bench
    // measures both.)
    NoteList::Text text_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    // The room is backed with memory up to here, and by a thread of its own ahead of the
    // reads when the room was made at once (declared after text_, so stopped before it goes).
    std::size_t populated_ = 0;
    bool reserved_ = false;
    PagePopulator populator_;
    std::vector<std::size_t> starts_;
    std::size_t count_ = 0;
    bool holding_ = true;
    std::size_t searchFrom_ = 0;
    // The last bytes of the joined text past the held notes where an occurrence may start.
    std::string carry_;
    bool failed_ = false;
};

// Builds a NoteList from a note file's bytes, given in pieces in their order: the lines are
// joined (LineJoiner), and the joined text is cut into notes (NoteCutter).
class NoteListBuilder {
  public:
    // `separator` is never empty.
    explicit NoteListBuilder(std::string separator) : cutter_(std::move(separator)) {}

    void Reserve(std::size_t bytes) { cutter_.Reserve(bytes); }
    // Where to read the next `bytes` bytes of the file (at most kPiece): where their joined
    // text will be held, so that they are not copied again, or a piece of scratch.
    static constexpr std::size_t kPiece = std::size_t{128} * 1024;
    char* Room(std::size_t bytes);
    // Takes the next bytes of the file. False when memory for the notes ran out.
    bool Feed(std::string_view bytes);
    // Whether Room still gives a place in the held text: once it does not, the rest of the
    // file is only counted, and may be read ahead into buffers of the reader's own.
    bool Holding() const { return cutter_.Holding(); }
    // The notes of all bytes fed.
    NoteList Finish() { return cutter_.Finish(); }

  private:
    LineJoiner joiner_;
    NoteCutter cutter_;
    std::unique_ptr<char[]> scratch_;
};

template <typename Sink>
void LineJoiner::Feed(std::string_view bytes, Sink&& out) {
    if (bytes.empty()) {
        return;
    }
    if (!started_) {
        started_ = true;
        out(std::string_view("\r\n"));
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
        return;
    }
    // More bytes follow the pending line break: it starts a line.
    if (pendingBreak_) {
        pendingBreak_ = false;
        out(std::string_view("\r\n"));
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
        out(body);
        return;
    }
    scratch_.clear();
    for (std::size_t i = 0; i < body.size(); ++i) {
        scratch_ += body[i];
        if (body[i] == '\r' && judged[i + 1] != '\n') {
            scratch_ += '\n';
        }
    }
    out(scratch_);
}

}  // namespace lintrel
