// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lintrel {

// The highest note number that can be shown: the shown number is a 16-bit signed number.
constexpr int kHighestShownNote = 32767;

// The notes of a loaded file. The joined text of the file (see NoteListBuilder) is held up to
// the start of the first note that can never be shown; later notes are only counted. A note
// is read on demand, trimmed of its leading and trailing spaces; no note is copied.
class NoteList {
  public:
    NoteList() = default;

    // The notes of a file's bytes cut at `separator` (never empty).
    static NoteList FromFile(std::string_view file, std::string_view separator);

    std::size_t Count() const { return count_; }
    // Note `k`, 1-based, 1 <= k <= Count(), without its leading and trailing spaces. Notes
    // above kHighestShownNote are not held and read as empty.
    std::string_view Note(std::size_t k) const;
    // A note that is empty once every space is removed from it.
    bool IsBlank(std::size_t k) const { return Note(k).empty(); }

  private:
    friend class NoteListBuilder;
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };

    std::unique_ptr<char, Free> text_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    // Start of note i + 1 in the text, for the notes that are held.
    std::vector<std::size_t> starts_;
    std::size_t separatorSize_ = 0;
    std::size_t count_ = 0;
};

// Builds a NoteList from a note file's bytes, given in pieces in their order. The lines are
// joined: every line is preceded by CR LF, a line ends at CR LF or at a lone CR (a lone LF is
// an ordinary character), and the line break after the last line starts no further line. The
// joined text is cut at every occurrence of the separator, scanning left to right with
// matched occurrences consumed; the piece before the first occurrence is dropped and every
// later piece is a note.
class NoteListBuilder {
  public:
    // `separator` is never empty.
    explicit NoteListBuilder(std::string separator);

    // Makes room for `bytes` bytes of joined text at once, when the file's size is known, so
    // that the held text never moves while it grows. Only what is written is backed by memory.
    void Reserve(std::size_t bytes);
    // Takes the next bytes of the file. False when memory for the notes ran out.
    bool Feed(std::string_view bytes);
    // The notes of all bytes fed.
    NoteList Finish();

  private:
    // Takes the next piece of the joined text; failed_ tells when memory ran out.
    void Accept(std::string_view joined);
    bool Append(std::string_view joined);
    // Moves the held text to a block of `capacity` bytes; false when there is no memory.
    bool Grow(std::size_t capacity);
    // Finds the occurrences in the held text that start at or after searchFrom_.
    void SearchHeld();
    // Counts the occurrences in joined text past the held notes.
    void CountOccurrences(std::string_view joined);

    std::string separator_;
    NoteList list_;
    bool holding_ = true;
    std::size_t searchFrom_ = 0;
    // The last bytes of the joined text past the held notes where an occurrence may start.
    std::string carry_;
    // The file's bytes so far are not empty.
    bool started_ = false;
    // The bytes so far end with a CR whose line break is not known yet to be CR LF or lone.
    bool pendingCr_ = false;
    // The bytes so far end with a line break that starts a line only if more bytes follow.
    bool pendingBreak_ = false;
    std::string scratch_;
    bool failed_ = false;
};

// The first line of `bytes` (up to the first CR, or all of it); an empty result is told apart
// by `found`, false when `bytes` holds no line at all.
std::string_view FirstLine(std::string_view bytes, bool& found);

}  // namespace lintrel
