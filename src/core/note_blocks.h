// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string_view>

#include "platform/code_page.h"

namespace lintrel {

// A note is shown as a run of blocks, each decoded and laid out on its own, so that showing
// a note costs what its visible part costs. A block is a whole line of the note (a line break
// is CR LF, a lone CR or a lone LF) when the line is at most `wholeLine` bytes long, so that
// it wraps, flows and reads as one paragraph, exactly as in a text box. In UTF-8 a paragraph
// separator (U+2029) also ends a line, as it ends a paragraph in a text box. A longer line is cut
// into stretches on a fixed grid of `stretch` bytes: the block holding any byte is found by
// scanning at most two stretches. A stretch begins after a space or tab near its grid point,
// where a line may break anyway; failing that (a word longer than a stretch, or text written
// without spaces), where a character begins (see NoteBlocks::CutAt).
struct BlockLimits {
    // Laying out 128 KiB of text takes about 20 ms, so a screen of such lines answers a resize
    // at once.
    std::size_t wholeLine = std::size_t{128} * 1024;
    std::size_t stretch = std::size_t{64} * 1024;
};

struct NoteBlock {
    // The block's bytes are [start, end) of the note.
    std::size_t start = 0;
    std::size_t end = 0;
    // A line break follows the block (the next block starts a new line).
    bool breakAfter = false;
    // Where the next block starts; none for the note's last block.
    std::optional<std::size_t> next;

    friend bool operator==(const NoteBlock&, const NoteBlock&) = default;
};

// The blocks of a note in a code page (a name as QStringDecoder knows it).
class NoteBlocks {
  public:
    NoteBlocks() : NoteBlocks({}, kUtf8) {}
    NoteBlocks(std::string_view note, std::string_view codePage, BlockLimits limits = {});

    std::string_view Note() const { return note_; }
    std::string_view Bytes(const NoteBlock& block) const {
        return note_.substr(block.start, block.end - block.start);
    }
    // The block's bytes and, when a line break follows, the break's first character (CR, LF,
    // a separator): what decodes as the block does within the whole note.
    std::string_view BytesToDecode(const NoteBlock& block) const {
        std::size_t first = 0;
        if (block.breakAfter) {
            const char c = note_[block.end];
            first = c == '\r' || c == '\n' ? 1 : *block.next - block.end;
        }
        return note_.substr(block.start, block.end - block.start + first);
    }
    // The bytes of the line break after the block; none when no break follows.
    std::string_view BreakBytes(const NoteBlock& block) const {
        return block.breakAfter ? note_.substr(block.end, *block.next - block.end)
                                : std::string_view();
    }
    // The block that holds byte `pos` (0 <= pos <= size); a byte of a line break belongs to
    // the block before the break.
    NoteBlock At(std::size_t pos) const;
    NoteBlock First() const { return At(0); }
    NoteBlock Last() const { return At(note_.size()); }
    // The bytes from the block's start to the next block's (or the note's end): the block
    // and the line break after it.
    std::size_t Span(const NoteBlock& block) const {
        return block.next.value_or(note_.size()) - block.start;
    }
    // The blocks around `block`, none past either end of the note.
    std::optional<NoteBlock> Next(const NoteBlock& block) const;
    std::optional<NoteBlock> Previous(const NoteBlock& block) const;
    // Where a byte was seen on a search back: none of it lies in [the search's end, from).
    struct Sighting {
        char byte = 0;
        std::size_t from = 0;
    };
    // Where the line holding byte `pos` starts, however far back; with `sighting`, also where
    // its byte may first lie in the line before `pos` (pos when nowhere), found on the way.
    std::size_t LineStart(std::size_t pos, Sighting* sighting = nullptr) const;
    // Where the line holding byte `pos` starts when a line break lies in [from, pos); none
    // otherwise. A sighting as above.
    std::optional<std::size_t> LineStartAfter(std::size_t from, std::size_t pos,
                                              Sighting* sighting = nullptr) const;

  private:
    enum class Encoding { SingleByte, Utf8, DoubleByte };
    // How many bytes the line break that begins at byte `p` has (CR LF, CR, LF, a separator);
    // 0 when none begins there.
    std::size_t BreakAt(std::size_t p) const;
    // The first byte of the line break that holds byte `p` past its first byte; else `p`.
    std::size_t BreakHolding(std::size_t p) const;
    // The first byte of the first line break that begins in [from, to), or npos.
    std::size_t FindBreak(std::size_t from, std::size_t to) const;
    // The last byte of the last line break that ends in [from, to), or npos; `sighting`, when
    // given, is set to where its byte may first lie after that break (`to` when nowhere).
    std::size_t FindBreakBack(std::size_t from, std::size_t to, Sighting* sighting = nullptr) const;
    // Where the stretch from grid point `g` (0 < g < size, inside a long line) begins.
    std::size_t CutAt(std::size_t g) const;
    // In a double-byte code page: where the first character that ends after byte `g` begins
    // (g itself, or g + 1 when g is a character's second byte).
    std::size_t DoubleByteStart(std::size_t g) const;
    std::size_t Utf8Start(std::size_t g) const;
    NoteBlock Stretch(std::size_t pos, std::optional<std::size_t> lineStart,
                      std::optional<std::size_t> lineEnd) const;

    std::string_view note_;
    BlockLimits limits_;
    Encoding encoding_ = Encoding::Utf8;
    // For a double-byte code page: the bytes that can begin a two-byte character.
    std::array<bool, 256> lead_{};
    // And the bytes that may follow a lead byte.
    std::array<bool, 256> trail_{};
    // Character starts found in double-byte text, by grid point, so that a long run of
    // two-byte characters is paired up from its start only once.
    mutable std::map<std::size_t, std::size_t> pairedStarts_;
};

}  // namespace lintrel
