// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_box/laid_note.h"

#include <algorithm>

namespace lintrel {

namespace {

// More laid-out blocks, or more characters in them, than this are dropped and laid out again
// as they come back on screen.
constexpr std::size_t kLaidBlocks = 512;
constexpr std::size_t kLaidChars = std::size_t{4} << 20;

}  // namespace

void LaidNote::Reset(const QByteArray& codePage, std::string_view note) {
    Forget();
    directions_.Clear();
    codePage_ = codePage;
    blocks_ = NoteBlocks(
        note, std::string_view(codePage.constData(), static_cast<std::size_t>(codePage.size())));
}

void LaidNote::Forget() {
    laid_.clear();
    laidChars_ = 0;
}

void LaidNote::Trim() {
    if (laid_.size() > kLaidBlocks || laidChars_ > kLaidChars) {
        Forget();
    }
}

LaidBlock& LaidNote::Layout(const NoteBlock& block, const QFont& font, int width, int margin) {
    auto& slot = laid_[block.start];
    if (!slot) {
        slot = std::make_unique<LaidBlock>(DecodeBlock(codePage_, blocks_, block),
                                           directions_.OpenAt(codePage_, blocks_, block), font,
                                           directions_.Of(codePage_, blocks_, block), margin,
                                           std::max(1, width - 2 * margin),
                                           block.start == 0 ? margin : 0, block.next ? 0 : margin);
        laidChars_ += static_cast<std::size_t>(slot->Text().size());
    }
    return *slot;
}

const LaidBlock* LaidNote::Laid(std::size_t start) const {
    const auto found = laid_.find(start);
    return found == laid_.end() ? nullptr : found->second.get();
}

QString LaidNote::Decoded(const NoteBlock& block) const {
    if (const LaidBlock* laid = Laid(block.start)) {
        return laid->Text();
    }
    return DecodeBlock(codePage_, blocks_, block);
}

}  // namespace lintrel
