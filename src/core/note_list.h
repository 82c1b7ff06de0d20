#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace lintrel {

// A block of bytes allocated without being cleared, so that a large file is read straight
// into it.
struct TextBuffer {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;

    static TextBuffer Allocate(std::size_t size);
    static TextBuffer FromBytes(std::string_view bytes);
    std::string_view View() const { return {data.get(), size}; }
};

// The notes of a loaded file: one buffer of the joined text, and where each note starts in
// it. A note is read on demand, trimmed of its leading and trailing spaces; no note is copied.
class NoteList {
  public:
    NoteList() = default;

    // Cuts the joined text at every occurrence of `separator` (never empty), scanning left to
    // right with matched occurrences consumed. The piece before the first occurrence is
    // dropped; every later piece is a note.
    static NoteList Cut(TextBuffer text, std::string_view separator);

    std::size_t Count() const { return count_; }
    // Note `k`, 1-based, 1 <= k <= Count(), without its leading and trailing spaces.
    std::string_view Note(std::size_t k) const;
    // A note that is empty once every space is removed from it.
    bool IsBlank(std::size_t k) const { return Note(k).empty(); }

  private:
    std::size_t StartOf(std::size_t i) const { return wide_ ? starts64_[i] : starts32_[i]; }

    TextBuffer text_;
    // Start of note i + 1 in the text. Offsets of a text below 4 GiB are kept in 32 bits.
    std::vector<std::uint32_t> starts32_;
    std::vector<std::uint64_t> starts64_;
    bool wide_ = false;
    std::size_t separatorSize_ = 0;
    std::size_t count_ = 0;
};

// The joined text of a note file: every line preceded by CR LF, with no line break after the
// last line. A line ends at CR LF or at a lone CR; a lone LF is an ordinary character.
// `buffer` holds two spare bytes followed by the file's bytes (see ReserveForJoin).
TextBuffer JoinLines(TextBuffer buffer);

// Spare bytes that JoinLines needs in front of the file's bytes.
constexpr std::size_t kJoinHeadroom = 2;

// The first line of `bytes` (up to the first CR, or all of it); nullopt-like empty result is
// told apart by `found`, false when `bytes` holds no line at all.
std::string_view FirstLine(std::string_view bytes, bool& found);

}  // namespace lintrel
