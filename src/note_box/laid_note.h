// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

#include <cstddef>
#include <map>
#include <memory>
#include <string_view>

#include "core/block_text.h"
#include "core/note_blocks.h"
#include "note_box/laid_block.h"

namespace lintrel {

// A note's blocks in a code page, each decoded and laid out when it is first asked for, with the
// directions of the long lines they cut; the layouts are dropped when they hold too much.
class LaidNote {
  public:
    // A new note, none of it laid out; its bytes are kept alive by the caller.
    void Reset(const QByteArray& codePage, std::string_view note);
    // Forgets every layout, for a new font or width.
    void Forget();
    // Drops the layouts once they hold too much: the one place where they are dropped, so that
    // a LaidBlock& stays valid until the next Trim() or Forget().
    void Trim();

    const NoteBlocks& Blocks() const { return blocks_; }
    const QByteArray& CodePage() const { return codePage_; }
    // The block laid out in `font` in a box `width` pixels wide, `margin` from its edges (the
    // note's first block carries the top margin, its last the bottom margin).
    LaidBlock& Layout(const NoteBlock& block, const QFont& font, int width, int margin);
    // The block's layout when it has one.
    const LaidBlock* Laid(std::size_t start) const;
    // The block's text, from its layout when it has one.
    QString Decoded(const NoteBlock& block) const;

  private:
    QByteArray codePage_;
    NoteBlocks blocks_;
    std::map<std::size_t, std::unique_ptr<LaidBlock>> laid_;
    std::size_t laidChars_ = 0;
    LineDirections directions_;
};

}  // namespace lintrel
