// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <compare>

namespace lintrel {

// A count of characters (UTF-16 units) in one kind of text, a type of its own for each kind,
// so that one cannot be passed where another is wanted, nor a byte of the note (a size_t)
// where either is: each is made from a number only by name.
template <typename Kind>
struct TextCount {
    int value = 0;

    constexpr TextCount() = default;
    constexpr explicit TextCount(int count) : value(count) {}
    friend constexpr auto operator<=>(TextCount, TextCount) = default;

    // Moved by a number of characters.
    friend constexpr TextCount operator+(TextCount at, int n) { return TextCount(at.value + n); }
    friend constexpr TextCount operator-(TextCount at, int n) { return TextCount(at.value - n); }
    TextCount& operator+=(int n) {
        value += n;
        return *this;
    }
    TextCount& operator-=(int n) {
        value -= n;
        return *this;
    }
    // How many characters lie between two places of the same text.
    friend constexpr int operator-(TextCount to, TextCount from) { return to.value - from.value; }
};

// A character of a block's decoded text: its index there.
using TextIndex = TextCount<struct BlockTextKind>;
// A character of the whole text as the box shows it (as screen readers count): its offset
// from the note's start.
using TextOffset = TextCount<struct WholeTextKind>;

// The index past the last character of a block's text.
inline TextIndex EndOf(const QString& text) {
    return TextIndex(static_cast<int>(text.size()));
}

}  // namespace lintrel
