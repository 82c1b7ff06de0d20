// SPDX-License-Identifier: GPL-3.0-or-later
// Where a line may break, and the direction and open controls a stretch of a long line takes.
#include "core/block_text.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

#include "core/decoded_note.h"
#include "core/note_blocks.h"
#include "core/note_blocks_helper.h"
#include "qt_printers.h"

namespace lintrel {
namespace {

using test::kLimits;
using test::Walk;

TEST(HasLineBreakInsideTest, FindsAPlaceToBreakBeforeTheEnd) {
    const struct {
        QString text;
        bool inside;
    } cases[] = {
        {QString(5000, u'x'), false},
        {QString(5000, u'x') + u' ', false},
        {QString(2500, u'x') + u' ' + QString(2500, u'x'), true},
        {QString(5000, QChar(0x4e2d)), true},  // Chinese may break between characters
        {QString(2500, u'x') + u'-' + QString(2500, u'x'), true},
        {QString(), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HasLineBreakInside(c.text), c.inside) << c.text.left(3).toStdString();
    }
}

// Words for a line three times as long as a line laid out whole.
std::string LongWords() {
    std::string words;
    while (words.size() < 3 * kLimits.wholeLine) {
        words += "plain words ";
    }
    return words;
}

// Every stretch of a long line takes the line's direction, that of its first strong
// character outside isolates, however far into the line the stretch lies; whole lines are
// left to their own layout.
TEST(LineDirectionsTest, StretchesTakeTheirLinesDirection) {
    const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d ";  // "shalom "
    const std::string latin = LongWords();
    const struct {
        const char* name;
        std::string line;
        Qt::LayoutDirection direction;
    } cases[] = {
        {"Hebrew first", "123 " + hebrew + latin, Qt::RightToLeft},
        {"Latin first", "(" + latin + hebrew, Qt::LeftToRight},
        {"Hebrew isolated", "\xe2\x81\xa7" + hebrew + "\xe2\x81\xa9" + latin, Qt::LeftToRight},
        {"no strong letter", std::string(3 * kLimits.wholeLine, '7'), Qt::LeftToRight},
    };
    for (const auto& c : cases) {
        const std::string note = "short\r\n" + c.line + "\r\nshort";
        const DecodedNote decoded(kUtf8, NoteText{note, {}}, kLimits);
        const NoteBlocks& blocks = decoded.Blocks();
        LineDirections directions;
        // From the end backwards too, so that stretches are met before their line's start.
        const std::vector<NoteBlock> walked = Walk(blocks);
        ASSERT_GT(walked.size(), 4u) << c.name;
        for (auto block = walked.rbegin(); block != walked.rend(); ++block) {
            const bool whole = block == walked.rbegin() || block + 1 == walked.rend();
            EXPECT_EQ(directions.Of(decoded, *block),
                      whole ? std::nullopt : std::optional(c.direction))
                << c.name << " block at " << block->start;
        }
    }
}

// A stretch met after one of another line, or of its own line further back, takes its own
// line's direction, in whichever order the stretches are met.
TEST(LineDirectionsTest, StretchesMetAcrossLinesTakeTheirOwnLinesDirection) {
    const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d ";
    const std::string rightToLeft = hebrew + LongWords();
    const std::string note = rightToLeft + "\r\n" + LongWords() + "\n" + rightToLeft;
    const DecodedNote decoded(kUtf8, NoteText{note, {}}, kLimits);
    const NoteBlocks& blocks = decoded.Blocks();
    const std::vector<NoteBlock> walked = Walk(blocks);
    std::vector<Qt::LayoutDirection> expected;
    for (const NoteBlock& block : walked) {
        const bool latin = block.start > rightToLeft.size() && block.start < note.rfind('\n');
        expected.push_back(latin ? Qt::LeftToRight : Qt::RightToLeft);
    }
    // Every other stretch from the start, then the rest from the end.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < walked.size(); i += 2) {
        order.push_back(i);
    }
    for (std::size_t i = walked.size(); i-- > 0;) {
        if (i % 2 == 1) {
            order.push_back(i);
        }
    }
    LineDirections directions;
    for (const std::size_t i : order) {
        if (const auto direction = directions.Of(decoded, walked[i])) {
            EXPECT_EQ(*direction, expected[i]) << "stretch " << i;
        }
    }
}

// The controls still open where each stretch of a long line starts, met from the line's start
// and from its end; an FSI as the isolate it stands for.
TEST(LineDirectionsTest, StretchesOpenTheControlsOpenBeforeThem) {
    const std::string hebrew = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d";
    const std::string lre = "\xe2\x80\xaa", rle = "\xe2\x80\xab", pdf = "\xe2\x80\xac",
                      lro = "\xe2\x80\xad", rlo = "\xe2\x80\xae", lri = "\xe2\x81\xa6",
                      rli = "\xe2\x81\xa7", fsi = "\xe2\x81\xa8", pdi = "\xe2\x81\xa9";
    std::string rles;
    for (int i = 0; i < 70; ++i) {
        rles += rle;
    }
    const std::string latin = LongWords();
    const struct {
        const char* name;
        std::string head;
        std::string open;
    } cases[] = {
        {"override open", rlo + "ab ", rlo},
        {"closed", rlo + "ab" + pdf, ""},
        {"nested", lri + "a" + rle + "b", lri + rle},
        {"isolate closes what it holds", rli + lre + "a" + pdi + lro, lro},
        {"PDF does not close an isolate", lri + "a" + pdf, lri},
        {"closers without openers", pdi + pdf + "ab" + rle, rle},
        {"FSI before Hebrew", fsi + "12 " + hebrew, rli},
        {"FSI before Latin", fsi + "ab " + hebrew, lri},
        {"FSI over an isolate", fsi + lri + "ab" + pdi + hebrew, rli},
        {"FSI closed unresolved", fsi + "12" + pdi + fsi + hebrew, rli},
        // 63 levels fit; of the seven past them, one is kept, as no PDF follows to close them.
        {"past the deepest level", rles, rles.substr(0, 64 * rle.size())},
    };
    for (const auto& c : cases) {
        const std::string note = "short\r\n" + c.head + latin + "\r\nshort";
        const DecodedNote decoded(kUtf8, NoteText{note, {}}, kLimits);
        const NoteBlocks& blocks = decoded.Blocks();
        const std::vector<NoteBlock> walked = Walk(blocks);
        ASSERT_GT(walked.size(), 4u) << c.name;
        LineDirections forward;
        LineDirections backward;
        // The first stretch of the line and the short lines open nothing.
        auto expected = [&](std::size_t i) {
            return i > 1 && i + 1 < walked.size() ? QString::fromStdString(c.open) : QString();
        };
        for (std::size_t i = 0; i < walked.size(); ++i) {
            EXPECT_EQ(forward.OpenAt(decoded, walked[i]), expected(i)) << c.name << i;
            const std::size_t back = walked.size() - 1 - i;
            EXPECT_EQ(backward.OpenAt(decoded, walked[back]), expected(back))
                << c.name << " backwards " << back;
        }
    }
    // No other code page read holds these controls, so only UTF-8 is looked at.
    for (const int charset :
         {0, 77, 128, 129, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255}) {
        const QByteArray page = CodePageForCharset(charset);
        const QString controls =
            QString::fromStdString(lre + rle + pdf + lro + rlo + lri + rli + fsi + pdi);
        for (const QChar control : controls) {
            EXPECT_NE(DecodeText(page, EncodeText(page, QString(control))), QString(control))
                << page.constData() << " " << static_cast<int>(control.unicode());
        }
    }
}

}  // namespace
}  // namespace lintrel
