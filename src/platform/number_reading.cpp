// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/number_reading.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace lintrel {

namespace {

bool IsIgnored(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The place after the blanks from `pos` on, when blanks inside a number are ignored.
size_t PastBlanks(std::string_view text, size_t pos, bool skipBlanks) {
    while (skipBlanks && pos < text.size() && IsIgnored(text[pos])) {
        ++pos;
    }
    return pos;
}

// Takes a sign at `pos` into `out`, and the blanks after it.
void TakeSign(std::string_view text, size_t& pos, bool skipBlanks, std::string& out) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        out += text[pos++];
        pos = PastBlanks(text, pos, skipBlanks);
    }
}

// The exponent at `pos`, as "e" with its sign and digits, leaving `pos` after it; nothing,
// and `pos` where it was, unless at least one digit follows the letter.
std::string ScanExponent(std::string_view text, size_t& pos, bool skipBlanks) {
    if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
        return {};
    }
    size_t p = PastBlanks(text, pos + 1, skipBlanks);
    std::string exponent = "e";
    TakeSign(text, p, skipBlanks, exponent);
    bool digits = false;
    while (p < text.size() && IsDigit(text[p])) {
        exponent += text[p++];
        digits = true;
        p = PastBlanks(text, p, skipBlanks);
    }
    if (!digits) {
        return {};
    }
    pos = p;
    return exponent;
}

// Scans a number from `text` at `pos`; returns the characters that make it up (without the
// ignored blanks) and leaves `pos` after the last one taken. `skipBlanks` chooses whether
// blanks inside the number are ignored.
std::string ScanNumber(std::string_view text, size_t& pos, bool skipBlanks) {
    std::string out;
    pos = PastBlanks(text, pos, skipBlanks);
    TakeSign(text, pos, skipBlanks, out);
    bool digits = false;
    bool point = false;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsDigit(c)) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        out += c;
        pos = PastBlanks(text, pos + 1, skipBlanks);
    }
    if (!digits) {
        return {};
    }
    return out + ScanExponent(text, pos, skipBlanks);
}

double ToDouble(const std::string& number) {
    if (number.empty()) {
        return 0.0;
    }
    size_t start = 0;
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        start = 1;
    }
    std::string body = number.substr(start);
    if (body[0] == '.') {
        body.insert(body.begin(), '0');
    }
    double value = 0.0;
    const auto result = std::from_chars(body.data(), body.data() + body.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Either far too large or far too small: tell them apart by the exponent's sign.
        const auto e = body.find('e');
        const bool tiny = e != std::string::npos && e + 1 < body.size() && body[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

}  // namespace

double ReadNumber(std::string_view text) {
    size_t pos = 0;
    return ToDouble(ScanNumber(text, pos, true));
}

std::optional<double> ParseWholeNumber(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    const std::string number = ScanNumber(text, pos, false);
    if (number.empty()) {
        return std::nullopt;
    }
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    return ToDouble(number);
}

double RoundHalfEven(double value) {
    // The default rounding mode rounds to the nearest, a half to the even neighbour; the
    // program never changes it.
    return std::nearbyint(value);
}

namespace {

template <typename Int>
std::optional<Int> RoundTo(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<std::int16_t> RoundToInt16(double value) {
    return RoundTo<std::int16_t>(value);
}
std::optional<std::int32_t> RoundToInt32(double value) {
    return RoundTo<std::int32_t>(value);
}

}  // namespace lintrel
