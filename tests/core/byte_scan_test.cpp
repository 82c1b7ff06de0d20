// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/byte_scan.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>

namespace lintrel {
namespace {

// Each test runs at every vector width the processor has.
class ByteScanTest : public testing::TestWithParam<unsigned> {
  protected:
    void SetUp() override {
        before_ = ScanWidth();
        if (!SetScanWidth(GetParam())) {
            GTEST_SKIP() << "no " << GetParam() << "-byte scans on this processor";
        }
    }
    void TearDown() override { SetScanWidth(before_); }

  private:
    unsigned before_ = 0;
};
INSTANTIATE_TEST_SUITE_P(Widths, ByteScanTest, testing::Values(16u, 32u),
                         [](const auto& width) { return std::to_string(width.param) + "bytes"; });

// Every length around the block sizes of the fast scan, with CRs and LFs at random places.
TEST_P(ByteScanTest, AgreesWithAPlainScan) {
    std::mt19937 random(7);
    const std::string alphabet = "\r\n\ra";
    for (std::size_t length = 0; length < 300; ++length) {
        for (int round = 0; round < 20; ++round) {
            std::string bytes(length, 'x');
            for (char& c : bytes) {
                if (random() % 8 == 0) {
                    c = alphabet[random() % alphabet.size()];
                }
            }
            std::size_t crs = 0;
            bool lone = false;
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                crs += bytes[i] == '\r';
                lone = lone || (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] != '\n');
            }
            ASSERT_EQ(CountByte(bytes, '\r'), crs) << bytes.size();
            ASSERT_EQ(HasLoneCr(bytes), lone) << bytes.size();
        }
    }
}

// Needles of several lengths, made of the bytes a text is made of, found from every place.
TEST_P(ByteScanTest, FindsWhatAPlainSearchFinds) {
    std::mt19937 random(11);
    const std::string alphabet = "ab\r\n #";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 80, 'a');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        std::string needle(1 + random() % 5, 'a');
        for (char& c : needle) {
            c = alphabet[random() % alphabet.size()];
        }
        for (std::size_t from = 0; from <= text.size(); ++from) {
            ASSERT_EQ(FindBytes(text, from, needle), std::string_view(text).find(needle, from))
                << round << " " << from;
        }
    }
}

// Counting, short and long needles alike, agrees with one plain search after another, and
// tells where the scan may go on.
TEST_P(ByteScanTest, CountsWhatPlainSearchesFind) {
    std::mt19937 random(12);
    const std::string alphabet = "aab\r\n";
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 300, 'a');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        // Needles of 1 to 40 bytes, most of them runs that a text of a's matches everywhere.
        std::string needle(1 + random() % 40, 'a');
        if (random() % 2 == 0) {
            needle[random() % needle.size()] = alphabet[random() % alphabet.size()];
        }
        const std::size_t from = text.empty() ? 0 : random() % text.size();
        std::size_t expected = 0;
        std::size_t expectedEnd = from;
        for (std::size_t at = text.find(needle, from); at != std::string::npos;
             at = text.find(needle, expectedEnd)) {
            ++expected;
            expectedEnd = at + needle.size();
        }
        const ByteCount counted = CountBytes(text, from, needle);
        ASSERT_EQ(counted.count, expected) << round;
        ASSERT_EQ(counted.end, expectedEnd) << round;
        ASSERT_EQ(FindBytes(text, from, needle), text.find(needle, from)) << round;
    }
}

// Lane counters that would wrap after 255 hits in a row.
TEST_P(ByteScanTest, CountsLongRunsOfTheSameByte) {
    const std::string run(100000, '\r');
    EXPECT_EQ(CountByte(run, '\r'), run.size());
    EXPECT_EQ(CountByte(run, '\n'), 0u);
    EXPECT_TRUE(HasLoneCr(run));
    EXPECT_FALSE(HasLoneCr(std::string(5000, 'a') + "\r"));
}

// A text that ends right before a page that cannot be read, at every length: no scan reads a
// byte past the text's end.
// The line-break scans on texts of CR, LF, paragraph separators and pieces of them, from and to
// places around the rounds of 64: nothing they pass over holds a break (or the marked byte
// below where they say it may be), and they pass over a round without one.
TEST_P(ByteScanTest, BreakScansPassOverNoBreak) {
    const char* pieces[] = {"\xe2\x80\xa9", "\xef\xb7\x90", "\xef\xb7\x91", "\xe2\x80\x99",
                            "\xef\xb7\x92", "\xa9",         "\xe2",         "\r",
                            "\n",           "\x91"};
    std::mt19937 random(17);
    for (int round = 0; round < 400; ++round) {
        std::string text(64 + random() % 400, 'x');
        for (int k = random() % 4; k > 0; --k) {
            const std::string piece = pieces[random() % std::size(pieces)];
            text.replace(random() % (text.size() - 3), piece.size(), piece);
        }
        for (const bool utf8 : {true, false}) {
            const auto begins = [&](std::size_t b) {
                return text[b] == '\r' || text[b] == '\n' ||
                       (utf8 && text.compare(b, 3, "\xe2\x80\xa9") == 0) ||
                       (utf8 && text.compare(b, 3, "\xef\xb7\x90") == 0) ||
                       (utf8 && text.compare(b, 3, "\xef\xb7\x91") == 0);
            };
            const auto ends = [&](std::size_t e) {
                return text[e] == '\r' || text[e] == '\n' ||
                       (e >= 2 && begins(e - 2) && text[e - 2] < 0);
            };
            const std::size_t from = random() % 70;
            const std::size_t to = std::max(from, text.size() - random() % 70);
            const std::size_t forward = ScanForBreak(text, from, to, utf8);
            ASSERT_GE(forward, from);
            ASSERT_LE(forward, to);
            for (std::size_t b = from; b < forward; ++b) {
                ASSERT_FALSE(begins(b)) << round << " at " << b;
            }
            const BreakBackScan back = ScanBackForBreak(text, from, to, utf8, 0xE2);
            ASSERT_GE(back.stopped, from);
            ASSERT_LE(back.stopped, to);
            const std::size_t marked = std::min(back.marked, to);
            ASSERT_GE(marked, back.stopped);
            for (std::size_t e = back.stopped; e < to; ++e) {
                ASSERT_FALSE(ends(e)) << round << " at " << e;
                ASSERT_TRUE(e >= marked || text[e] != '\xe2') << round << " at " << e;
            }
            // Rounds of 64 without a break are passed over: only the bytes after the first
            // break, or a round's worth near the ends, are left.
            std::size_t first = from;
            while (first < to && !begins(first)) {
                ++first;
            }
            EXPECT_GT(forward + 64 + 2, std::min(first, to > 66 ? to - 2 : 0)) << round;
        }
    }
}

// Finds and counts a needle of each length the strategies meet at in `text` as `copy` (the
// same bytes, held apart) finds them; the needles are taken from the text's end, so that the
// last match runs up to whatever follows the text.
void ExpectNeedlesFound(std::string_view text, const std::string& copy) {
    const std::size_t length = text.size();
    for (const std::size_t n : {1, 2, 7, 16, 17, 32, 33}) {
        const std::string needle = n <= length ? copy.substr(length - n) : std::string(n, 'a');
        ASSERT_EQ(FindBytes(text, 0, needle), copy.find(needle)) << length << " " << n;
        std::size_t expected = 0;
        for (std::size_t at = copy.find(needle); at != std::string::npos;
             at = copy.find(needle, at + n)) {
            ++expected;
        }
        ASSERT_EQ(CountBytes(text, 0, needle).count, expected) << length << " " << n;
    }
}

TEST_P(ByteScanTest, ReadsNothingPastTheText) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void* pages =
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(static_cast<char*>(pages) + page, page, PROT_NONE), 0);
    char* const guard = static_cast<char*>(pages) + page;
    std::mt19937 random(13);
    const std::string alphabet = "abQZ@[\r\n";
    for (std::size_t length = 0; length <= 300; ++length) {
        char* const start = guard - length;
        for (std::size_t i = 0; i < length; ++i) {
            start[i] = alphabet[random() % alphabet.size()];
        }
        // Every third text has a byte that is not ASCII, anywhere.
        if (length > 0 && length % 3 == 0) {
            start[random() % length] = '\xc3';
        }
        const std::string_view text(start, length);
        const std::string copy(text);
        bool lone = false;
        for (std::size_t i = 0; i + 1 < length; ++i) {
            lone = lone || (copy[i] == '\r' && copy[i + 1] != '\n');
        }
        ASSERT_EQ(CountByte(text, '\r'), std::count(copy.begin(), copy.end(), '\r')) << length;
        ASSERT_EQ(HasLoneCr(text), lone) << length;
        ASSERT_LE(ScanForBreak(text, 0, length, true), length);
        ASSERT_LE(ScanBackForBreak(text, 0, length, true, '\r').stopped, length);
        std::string lowered(length, '\0');
        const bool ascii = LowerAscii(text, lowered.data());
        ASSERT_EQ(ascii, copy.find('\xc3') == std::string::npos) << length;
        if (ascii) {
            std::string expected = copy;
            for (char& c : expected) {
                c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
            }
            ASSERT_EQ(lowered, expected) << length;
        }
        ExpectNeedlesFound(text, copy);
    }
    munmap(pages, 2 * page);
}

}  // namespace
}  // namespace lintrel
