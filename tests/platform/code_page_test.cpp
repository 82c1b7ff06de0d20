// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <ostream>

namespace lintrel {
namespace {

TEST(CharsetFromAnswerTest, AnythingButAWholeNumberIsTheDefault) {
    EXPECT_EQ(CharsetFromAnswer(std::nullopt), 1);
    EXPECT_EQ(CharsetFromAnswer(QString()), 1);
    EXPECT_EQ(CharsetFromAnswer(QStringLiteral("abc")), 1);
    EXPECT_EQ(CharsetFromAnswer(QStringLiteral("1.5")), 1);
    EXPECT_EQ(CharsetFromAnswer(QStringLiteral("1e99")), 1);
    EXPECT_EQ(CharsetFromAnswer(QStringLiteral(" 204 ")), 204);
    EXPECT_EQ(CharsetFromAnswer(QStringLiteral("0")), 0);
}

struct PageCase {
    int charset;
    const char* codePage;
};

// Shown in test names and failures as the charset and its code page.
void PrintTo(const PageCase& c, std::ostream* out) {
    *out << c.charset << " -> " << c.codePage;
}

class CodePageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(CodePageTest, Maps) {
    EXPECT_EQ(CodePageForCharset(GetParam().charset), QByteArray(GetParam().codePage));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodePageTest,
    ::testing::Values(PageCase{1, "UTF-8"}, PageCase{0, "windows-1252"}, PageCase{77, "macintosh"},
                      PageCase{128, "windows-932"}, PageCase{129, "windows-949"},
                      PageCase{134, "GBK"}, PageCase{136, "windows-950"},
                      PageCase{161, "windows-1253"}, PageCase{162, "windows-1254"},
                      PageCase{163, "windows-1258"}, PageCase{177, "windows-1255"},
                      PageCase{178, "windows-1256"}, PageCase{186, "windows-1257"},
                      PageCase{204, "windows-1251"}, PageCase{222, "windows-874"},
                      PageCase{238, "windows-1250"}, PageCase{255, "IBM437"}, PageCase{2, "UTF-8"},
                      PageCase{-7, "UTF-8"}));

TEST(DecodeTextTest, ShowsTextInTheChosenPage) {
    EXPECT_EQ(DecodeText("windows-1252", "caf\xe9"), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(DecodeText("windows-1251", "\xcf\xf0\xe8"), QStringLiteral("\u041f\u0440\u0438"));
    EXPECT_EQ(DecodeText("UTF-8", "caf\xc3\xa9"), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(DecodeText("IBM437", "\xb0"), QStringLiteral("\u2591"));
}

TEST(DecodeTextTest, InvalidBytesShowAsReplacement) {
    const QString text = DecodeText("UTF-8",
                                    "a\xff"
                                    "b");
    EXPECT_EQ(text, QStringLiteral("a\ufffdb"));
}

// A character the bytes end inside shows as U+FFFD, in every kind of page, and a decoder
// flushed at one end starts the next text afresh.
TEST(DecodeTextTest, BytesCutAtTheEndShowAsReplacement) {
    const struct {
        const char* page;
        std::string_view bytes;
        QString shown;
    } cases[] = {
        {"UTF-8", "abc\xe4\xb8", QStringLiteral("abc\ufffd")},
        {"UTF-8", "abc\xf0\x9f\x98", QStringLiteral("abc\ufffd")},
        {"GBK", "abc\xc4", QStringLiteral("abc\ufffd")},
        {"windows-949", "\xb0\xa1\xb0", QStringLiteral("\uac00\ufffd")},
        {"windows-932", "a\x82", QStringLiteral("a\u001a")},
        {"GBK", "abc", QStringLiteral("abc")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeText(c.page, c.bytes), c.shown) << c.page << " " << c.bytes.size();
        QStringDecoder decoder = NoteDecoder(c.page);
        decoder(QByteArrayView(c.bytes.data(), static_cast<qsizetype>(c.bytes.size())));
        FlushDecoder(decoder);
        EXPECT_EQ(decoder(QByteArrayView("ok")), QStringLiteral("ok")) << c.page;
    }
}

TEST(EncodeTextTest, TypedTextMatchesNoteBytes) {
    EXPECT_EQ(EncodeText("windows-1252", QStringLiteral("\u00e9")), "\xe9");
    EXPECT_EQ(EncodeText("UTF-8", QStringLiteral("\u00e9")), "\xc3\xa9");
}

}  // namespace
}  // namespace lintrel
