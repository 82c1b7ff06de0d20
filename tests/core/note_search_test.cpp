// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/note_search.h"

#include <gtest/gtest.h>

#include <string>

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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoteSearch(c.text).FoundIn(c.page, c.note), c.found)
            << c.page << " " << c.text.toStdString() << " in " << c.note.size() << " bytes";
    }
}

}  // namespace
}  // namespace lintrel
