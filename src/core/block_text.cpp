// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/block_text.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/code_point.h"
#include "platform/code_page.h"

namespace lintrel {

bool HasLineBreakInside(const QString& text) {
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    const qsizetype next = breaks.toNextBoundary();
    return next >= 0 && next < text.size();
}

namespace {

constexpr char16_t kLre = 0x202A;
constexpr char16_t kRle = 0x202B;
constexpr char16_t kPdf = 0x202C;
constexpr char16_t kLro = 0x202D;
constexpr char16_t kRlo = 0x202E;
constexpr char16_t kLri = 0x2066;
constexpr char16_t kRli = 0x2067;
constexpr char16_t kFsi = 0x2068;
constexpr char16_t kPdi = 0x2069;
// The deepest embedding level.
constexpr int kMaxDepth = 125;

// The direction of the first strong character of `text` outside isolates; `depth` carries the
// isolates open from text before it.
std::optional<Qt::LayoutDirection> FirstStrong(const QString& text, int& depth) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const CodePoint c = CodePointAt(text, i);
        i += c.units - 1;
        switch (QChar::direction(c.value)) {
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

// A directional control in UTF-8 text: where it starts and which it is.
struct Control {
    std::size_t at = 0;
    char16_t code = 0;
};

// The first directional control (E2 80 AA-AE or E2 81 A6-A9) of UTF-8 `text` that starts in
// bytes [from, to).
std::optional<Control> NextControl(std::string_view text, std::size_t from, std::size_t to) {
    while (from < to) {
        const void* hit = std::memchr(text.data() + from, 0xE2, to - from);
        if (hit == nullptr) {
            return std::nullopt;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (at + 2 < text.size()) {
            const auto second = static_cast<unsigned char>(text[at + 1]);
            const auto third = static_cast<unsigned char>(text[at + 2]);
            if ((second == 0x80 && third >= 0xAA && third <= 0xAE) ||
                (second == 0x81 && third >= 0xA6 && third <= 0xA9)) {
                return Control{
                    at, static_cast<char16_t>(0x2000 | (second & 0x3F) << 6 | (third & 0x3F))};
            }
        }
        from = at + 1;
    }
    return std::nullopt;
}

bool IsRightToLeft(char16_t control) {
    return control == kRle || control == kRlo || control == kRli;
}

}  // namespace

// The explicit levels and directions of Unicode's bidirectional algorithm (UAX #9, rules X1
// to X8): each embedding, override or isolate initiator pushes the next odd or even level
// while it stays within the deepest level and nothing overflowed (X2 to X5c), else it counts
// as an overflow; a PDF pops an embedding or override unless an isolate overflowed, and never
// an isolate (X7); a PDI closes its isolate and everything opened inside it (X6a).
void LineDirections::Embeddings::Apply(char16_t control, int base) {
    const int level = valid.empty() ? base : valid.back().second;
    const int next = IsRightToLeft(control) ? (level + 1) | 1 : (level + 2) & ~1;
    const bool fits = next <= kMaxDepth && overflowIsolates == 0 && overflowEmbeddings == 0;
    switch (control) {
        case kLre:
        case kRle:
        case kLro:
        case kRlo:
            if (fits) {
                valid.emplace_back(control, next);
            } else if (overflowIsolates == 0 && overflowEmbeddings++ == 0) {
                firstOverflowEmbedding = control;
            }
            break;
        case kLri:
        case kRli:
            if (fits) {
                valid.emplace_back(control, next);
                ++validIsolates;
            } else if (overflowIsolates++ == 0) {
                firstOverflowIsolate = control;
            }
            break;
        case kPdi:
            // Closes the last isolate and everything opened inside it.
            if (overflowIsolates > 0) {
                --overflowIsolates;
            } else if (validIsolates > 0) {
                overflowEmbeddings = 0;
                while (valid.back().first != kLri && valid.back().first != kRli) {
                    valid.pop_back();
                }
                valid.pop_back();
                --validIsolates;
            }
            break;
        case kPdf:
            // Closes the last embedding or override, never an isolate.
            if (overflowIsolates > 0) {
                break;
            }
            if (overflowEmbeddings > 0) {
                --overflowEmbeddings;
            } else if (!valid.empty() && valid.back().first != kLri && valid.back().first != kRli) {
                valid.pop_back();
            }
            break;
        default:
            break;
    }
}

std::optional<std::size_t> LineDirections::LineOf(const NoteBlocks& blocks,
                                                  const NoteBlock& block) {
    const std::optional<NoteBlock> previous = blocks.Previous(block);
    if (!previous || previous->breakAfter) {
        return std::nullopt;
    }
    std::size_t line = 0;
    if (const auto met = lineOf_.find(block.start); met != lineOf_.end()) {
        return met->second;
    }
    if (const auto known = lineOf_.find(previous->start); known != lineOf_.end()) {
        line = known->second;
    } else if (const auto after = block.next ? lineOf_.find(*block.next) : lineOf_.end();
               after != lineOf_.end() && !block.breakAfter) {
        line = after->second;
    } else if (auto met = lineOf_.lower_bound(block.start); met != lineOf_.begin()) {
        // The line of the nearest stretch met before, unless a line break lies in between.
        --met;
        NoteBlocks::Sighting e2{'\xE2'};
        const std::optional<std::size_t> start =
            blocks.LineStartAfter(met->first, block.start, &e2);
        line = start.value_or(met->second);
        Quiet(start.value_or(met->first), e2.from);
    } else {
        NoteBlocks::Sighting e2{'\xE2'};
        line = blocks.LineStart(block.start, &e2);
        Quiet(line, e2.from);
    }
    lineOf_[block.start] = line;
    return line;
}

// Every control begins with 0xE2 in UTF-8, so where a search back for a line's start saw none,
// nothing opens or closes: the search for controls passes over it.
void LineDirections::Quiet(std::size_t from, std::size_t to) {
    if (to > from) {
        std::size_t& end = quiet_[from];
        end = std::max(end, to);
    }
}

std::optional<Qt::LayoutDirection> LineDirections::Of(const DecodedNote& note,
                                                      const NoteBlock& block) {
    const NoteBlocks& blocks = note.Blocks();
    std::optional<std::size_t> line = LineOf(blocks, block);
    if (!line) {
        if (block.breakAfter || !block.next) {
            return std::nullopt;
        }
        line = lineOf_[block.start] = block.start;
    }
    const auto [found, added] = direction_.try_emplace(*line, Qt::LeftToRight);
    if (added) {
        int depth = 0;
        for (std::optional<NoteBlock> part = blocks.At(*line); part && part->start < *line + kReach;
             part = part->breakAfter ? std::nullopt : blocks.Next(*part)) {
            if (const auto strong = FirstStrong(note.Decode(*part), depth)) {
                found->second = *strong;
                break;
            }
        }
    }
    return found->second;
}

char16_t LineDirections::ResolveFsi(const DecodedNote& note, std::size_t at) {
    if (const auto known = fsi_.find(at); known != fsi_.end()) {
        return known->second;
    }
    // Every FSI of the stretch at once: each takes the first strong character after it outside
    // the isolates within it, up to its PDI.
    const NoteBlock block = note.Blocks().At(at);
    std::vector<std::size_t> starts;
    for (auto c = NextControl(note.Bytes(), block.start, block.end); c;
         c = NextControl(note.Bytes(), c->at + 3, block.end)) {
        if (c->code == kFsi) {
            starts.push_back(c->at);
            fsi_[c->at] = kLri;
        }
    }
    const QString text = note.Decode(block);
    // The isolates open, each an FSI's number among `starts` while it waits for its strong
    // character, or -1.
    std::vector<int> open;
    std::size_t seen = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const CodePoint c = CodePointAt(text, i);
        i += c.units - 1;
        const QChar::Direction direction = QChar::direction(c.value);
        if (direction == QChar::DirFSI) {
            open.push_back(seen < starts.size() ? static_cast<int>(seen) : -1);
            ++seen;
        } else if (direction == QChar::DirLRI || direction == QChar::DirRLI) {
            open.push_back(-1);
        } else if (direction == QChar::DirPDI && !open.empty()) {
            open.pop_back();
        } else if ((direction == QChar::DirR || direction == QChar::DirAL) && !open.empty() &&
                   open.back() >= 0) {
            fsi_[starts[static_cast<std::size_t>(open.back())]] = kRli;
            open.back() = -1;
        } else if (direction == QChar::DirL && !open.empty()) {
            open.back() = -1;
        }
    }
    return fsi_.try_emplace(at, kLri).first->second;
}

LineDirections::Embeddings LineDirections::OpenBefore(const DecodedNote& note,
                                                      const NoteBlock& block, std::size_t line) {
    const int base = Of(note, block) == Qt::RightToLeft ? 1 : 0;
    // From the controls open at the nearest stretch met before, in the same line.
    std::size_t from = line;
    Embeddings open;
    if (auto met = open_.upper_bound(block.start);
        met != open_.begin() && std::prev(met)->first >= line) {
        --met;
        from = met->first;
        open = met->second;
    }
    // What is open is kept every kEvery bytes on the way, so that no stretch met later is
    // looked for from further back.
    constexpr std::size_t kEvery = std::size_t{1} << 20;
    const std::string_view bytes = note.Bytes();
    while (from < block.start) {
        if (auto quiet = quiet_.upper_bound(from);
            quiet != quiet_.begin() && std::prev(quiet)->second > from) {
            from = std::min(std::prev(quiet)->second, block.start);
            open_[from] = open;
            continue;
        }
        const std::size_t to = std::min(block.start, (from / kEvery + 1) * kEvery);
        for (auto c = NextControl(bytes, from, to); c; c = NextControl(bytes, c->at + 3, to)) {
            open.Apply(c->code == kFsi ? ResolveFsi(note, c->at) : c->code, base);
        }
        from = to;
        open_[from] = open;
    }
    return open;
}

QString LineDirections::OpenAt(const DecodedNote& note, const NoteBlock& block) {
    if (note.CodePage() != kUtf8) {
        return {};
    }
    const std::optional<std::size_t> line = LineOf(note.Blocks(), block);
    if (!line) {
        return {};
    }
    const Embeddings open = OpenBefore(note, block, *line);
    QString text;
    for (const auto& [control, level] : open.valid) {
        text += QChar(control);
    }
    if (open.overflowEmbeddings == 0 && open.overflowIsolates == 0) {
        return text;
    }
    // Past the deepest level only the number of controls counts, and only as far as the
    // PDFs and PDIs of the block can close them.
    const std::string_view bytes = note.Bytes();
    int pdfs = 0;
    int pdis = 0;
    for (auto c = NextControl(bytes, block.start, block.end); c;
         c = NextControl(bytes, c->at + 3, block.end)) {
        pdfs += c->code == kPdf ? 1 : 0;
        pdis += c->code == kPdi ? 1 : 0;
    }
    if (open.overflowEmbeddings > 0) {
        text += QChar(open.firstOverflowEmbedding);
        text += QString(std::min(open.overflowEmbeddings, pdfs + 1) - 1, QChar(kLre));
    }
    if (open.overflowIsolates > 0) {
        text += QChar(open.firstOverflowIsolate);
        text += QString(std::min(open.overflowIsolates, pdis + 1) - 1, QChar(kLri));
    }
    return text;
}

}  // namespace lintrel
