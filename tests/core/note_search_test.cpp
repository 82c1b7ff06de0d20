// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_search.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

#include "platform/code_page.h"

namespace lintrel {
namespace {

// Notes of every kind a search meets: full case folding, code pages, matches across the
// pieces a long note is searched in, and characters cut between those pieces.
TEST(NoteSearchTest, FindsAsTheNoteIsShownIgnoringCase) {
    const std::string piece(256 * 1024, 'a');
    const std::string gbkRun = [] {
        std::string run = "a";  // one byte ahead: the pairs straddle the piece ends
        for (int i = 0; i < 200000; ++i) {
            run += "\xd6\xd0";  // 中
        }
        return run + "\xce\xc4";  // 文
    }();
    const struct {
        const char* page;
        std::string note;
        QString text;
        bool found;
    } cases[] = {
        {"UTF-8",
         "Die Stra\xc3\x9f"
         "e",
         QStringLiteral("STRASSE"), true},
        {"UTF-8", "STRASSE", QStringLiteral("stra\u00dfe"), true},
        {"UTF-8", "\xef\xac\x81nance", QStringLiteral("FINANCE"), true},
        {"UTF-8", "\xc4\xb0STANBUL", QStringLiteral("istanbul"), true},
        {"UTF-8", "Istanbul", QStringLiteral("\u0130stanbul"), true},
        {"UTF-8", "\xce\xa3\xce\xbf\xcf\x86\xce\xaf\xce\xb1", QStringLiteral("\u03c3\u039f\u03a6"),
         true},
        {"UTF-8", "abc", QStringLiteral("abd"), false},
        {"UTF-8", "", QStringLiteral("a"), false},
        {"windows-1252", "caf\xc9", QStringLiteral("CAF\u00e9"), true},
        {"UTF-8", piece.substr(2) + "xyz" + piece, QStringLiteral("XYZ"), true},
        {"UTF-8", piece.substr(1) + "\xc3\x9f", QStringLiteral("ASS"), true},
        {"UTF-8", piece.substr(1) + "\xe4\xb8", QStringLiteral("a\ufffd"), true},
        {"UTF-8", piece.substr(1) + "\r\nX", QStringLiteral("a\nx"), true},
        {"UTF-8", piece.substr(1) + "\r\nX", QStringLiteral("a\n\nx"), false},
        {"GBK", gbkRun, QStringLiteral("\u4e2d\u6587"), true},
        {"GBK", gbkRun, QStringLiteral("\u6587\u4e2d"), false},
        // ASCII pieces are searched as bytes: matches into and across them, and what a
        // piece's first bytes are when the byte before it is not ASCII.
        {"windows-1252", piece.substr(2) + "xyZ" + piece, QStringLiteral("XYz"), true},
        {"UTF-8",
         piece.substr(3) +
             "\xc3\x9f"
             "a" +
             piece,
         QStringLiteral("SSAA"), true},
        {"UTF-8",
         piece.substr(1) + "b\xef\xbb\xbf"
                           "c",
         QStringLiteral("BC"), false},
        {"UTF-8",
         piece.substr(1) + "\xc3"
                           "bc",
         QStringLiteral("ABC"), false},
        {"UTF-8",
         piece.substr(1) + "\xc3"
                           "bc",
         QStringLiteral("A\uFFFDB"), true},
        {"GBK",
         piece.substr(1) + "\x81"
                           "AB",
         QStringLiteral("AB"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoteSearch(c.text).FoundIn(c.page, c.note), c.found)
            << c.page << " " << c.text.toStdString() << " in " << c.note.size() << " bytes";
    }
}

// Long notes of mixed fragments, searched piece by piece, against the whole note decoded,
// its line ends made line feeds, and folded at once.
TEST(NoteSearchTest, FindsWhatTheWholeNoteDecodedHolds) {
    const char* const fragments[] = {"lorem ",          "IPSUM", "\xc3\x9f", "caf\xc3\xa9",  "\xc3",
                                     "\xef\xbb\xbf",    "\r\n",  "\r",       "\xe4\xb8\xad", "Zz",
                                     "\xf0\x90\x90\x80"};
    std::mt19937 random(5);
    for (int round = 0; round < 12; ++round) {
        std::string note;
        while (note.size() < 600 * 1024) {
            // Long ASCII stretches, so that whole pieces are ASCII too.
            note += random() % 4 == 0 ? fragments[random() % std::size(fragments)] : "lorem ";
        }
        const char* page = round % 3 == 0 ? "windows-1252" : "UTF-8";
        QString shown = DecodeText(page, note);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        const QString folded = FoldCase(shown);
        for (int probe = 0; probe < 8; ++probe) {
            // A stretch of what is shown, some of which occur only once, or a text made of
            // fragments, which may occur nowhere.
            const auto at =
                static_cast<qsizetype>(random() % static_cast<unsigned>(shown.size() - 12));
            const QString text =
                probe % 2 == 0
                    ? shown.mid(at, 1 + static_cast<qsizetype>(random() % 12)).toUpper()
                    : DecodeText(page, std::string(fragments[random() % std::size(fragments)]) +
                                           fragments[random() % std::size(fragments)] + "Zz");
            ASSERT_EQ(NoteSearch(text).FoundIn(page, note), folded.contains(FoldCase(text)))
                << round << " " << text.toStdString();
        }
    }
}

}  // namespace
}  // namespace lintrel
