// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "core/decoded_note.h"
#include "core/note_blocks.h"

namespace lintrel {

// Whether a line may break inside `text` (not only at its end). A text without such a place,
// as a word longer than a stretch, wraps the same anywhere, and is laid out far faster so: the
// layout looks for the word's end again on every line.
bool HasLineBreakInside(const QString& text);

// What a stretch of a long line takes from the text before it, so that it is laid out as
// within its whole line (one paragraph): the base direction, and the embedding, override and
// isolate controls still open where it starts.
class LineDirections {
  public:
    // How far into a line its first strong character is looked for.
    static constexpr std::size_t kReach = std::size_t{1} << 20;

    // The line's direction: that of its first strong character outside isolates, looked for
    // in its first kReach bytes, as a text box takes a paragraph's; left to right when there is
    // none there. nullopt for a block that is a whole line, whose layout finds its own.
    std::optional<Qt::LayoutDirection> Of(const DecodedNote& note, const NoteBlock& block);
    // The controls (LRE, RLE, LRO, RLO, LRI, RLI, FSI) still open where `block` starts, in
    // the order they were opened, as a text to lay the block out behind; nothing for a block
    // that starts a line. An FSI is given as the LRI or RLI it stands for, taken from the text
    // up to the end of its own stretch, as that stretch is laid out. Controls past the deepest
    // level are given only as far as the block can close them. Of the code pages read, only
    // UTF-8 can hold these controls.
    QString OpenAt(const DecodedNote& note, const NoteBlock& block);
    void Clear() {
        lineOf_.clear();
        direction_.clear();
        open_.clear();
        fsi_.clear();
        quiet_.clear();
    }

  private:
    // The controls open at a place of a line, by the rules of the bidirectional algorithm.
    struct Embeddings {
        // The controls within the deepest level, each with the level it opens.
        std::vector<std::pair<char16_t, int>> valid;
        int validIsolates = 0;
        // Controls past the deepest level: how many, and the first of each kind.
        int overflowEmbeddings = 0;
        char16_t firstOverflowEmbedding = 0;
        int overflowIsolates = 0;
        char16_t firstOverflowIsolate = 0;
        void Apply(char16_t control, int base);
    };
    // The line that `block` continues; nullopt for a block that starts a line.
    std::optional<std::size_t> LineOf(const NoteBlocks& blocks, const NoteBlock& block);
    // That no control lies in [from, to), learnt on a search back for a line's start.
    void Quiet(std::size_t from, std::size_t to);
    // The controls open where `block` starts, found from the nearest place before it in
    // `line` whose open controls are known.
    Embeddings OpenBefore(const DecodedNote& note, const NoteBlock& block, std::size_t line);
    // LRI or RLI for the FSI at byte `at`.
    char16_t ResolveFsi(const DecodedNote& note, std::size_t at);

    // The line start of each stretch met, so that a stretch next to one met needs no search
    // back to its line's start.
    std::map<std::size_t, std::size_t> lineOf_;
    std::map<std::size_t, Qt::LayoutDirection> direction_;
    // The controls open before a byte, at each stretch met and at places on the way to it, so
    // that another stretch's are found from the nearest place before it.
    std::map<std::size_t, Embeddings> open_;
    std::map<std::size_t, char16_t> fsi_;
    // Stretches of bytes that hold no control, by where they start.
    std::map<std::size_t, std::size_t> quiet_;
};

}  // namespace lintrel
