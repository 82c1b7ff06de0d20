// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/block_text.h"

#include <QTextBoundaryFinder>

#include "platform/code_page.h"

namespace lintrel {

QString DecodeBlock(const QByteArray& codePage, const NoteBlocks& blocks, const NoteBlock& block) {
    // A block that ends at a line break decodes as it does before the break in the whole note.
    return block.breakAfter ? DecodeLine(codePage, blocks.BytesToDecode(block))
                            : DecodeText(codePage, blocks.Bytes(block));
}

QString TextBetween(const QByteArray& codePage, const NoteBlocks& blocks, BlockPlace from,
                    BlockPlace to) {
    QString text;
    for (std::optional<NoteBlock> block = blocks.At(from.block); block && block->start <= to.block;
         block = blocks.Next(*block)) {
        const QString decoded = DecodeBlock(codePage, blocks, *block);
        const int start = block->start == from.block ? from.index : 0;
        const int end = block->start == to.block ? to.index : static_cast<int>(decoded.size());
        text += decoded.mid(start, end - start);
        if (block->breakAfter && block->start != to.block) {
            text += QLatin1Char('\n');
        }
    }
    return text;
}

bool HasLineBreakInside(const QString& text) {
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    const qsizetype next = breaks.toNextBoundary();
    return next >= 0 && next < text.size();
}

namespace {

// The direction of the first strong character of `text` outside isolates; `depth` carries the
// isolates open from text before it.
std::optional<Qt::LayoutDirection> FirstStrong(const QString& text, int& depth) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        switch (QChar::direction(c)) {
            case QChar::DirLRI:
            case QChar::DirRLI:
            case QChar::DirFSI:
                ++depth;
                break;
            case QChar::DirPDI:
                depth = depth > 0 ? depth - 1 : 0;
                break;
            case QChar::DirL:
                if (depth == 0) {
                    return Qt::LeftToRight;
                }
                break;
            case QChar::DirR:
            case QChar::DirAL:
                if (depth == 0) {
                    return Qt::RightToLeft;
                }
                break;
            default:
                break;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Qt::LayoutDirection> LineDirections::Of(const QByteArray& codePage,
                                                      const NoteBlocks& blocks,
                                                      const NoteBlock& block) {
    const std::optional<NoteBlock> previous = blocks.Previous(block);
    const bool continues = previous && !previous->breakAfter;
    if (!continues && (block.breakAfter || !block.next)) {
        return std::nullopt;
    }
    std::size_t line = 0;
    if (!continues) {
        line = block.start;
    } else if (const auto known = lineOf_.find(previous->start); known != lineOf_.end()) {
        line = known->second;
    } else if (const auto after = block.next ? lineOf_.find(*block.next) : lineOf_.end();
               after != lineOf_.end() && !block.breakAfter) {
        line = after->second;
    } else {
        line = blocks.LineStart(block.start);
    }
    lineOf_[block.start] = line;
    const auto [found, added] = direction_.try_emplace(line, Qt::LeftToRight);
    if (added) {
        int depth = 0;
        for (std::optional<NoteBlock> part = blocks.At(line); part && part->start < line + kReach;
             part = part->breakAfter ? std::nullopt : blocks.Next(*part)) {
            if (const auto strong = FirstStrong(DecodeBlock(codePage, blocks, *part), depth)) {
                found->second = *strong;
                break;
            }
        }
    }
    return found->second;
}

}  // namespace lintrel
