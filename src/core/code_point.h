// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace lintrel {

// The code point that begins at unit `i` of UTF-16 text, and how many units it takes: a high
// surrogate followed by a low one is one code point of two units; any other unit, a lone
// surrogate too, is one of its own.
struct CodePoint {
    char32_t value;
    qsizetype units;
};
inline CodePoint CodePointAt(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        return {QChar::surrogateToUcs4(c, text[i + 1]), 2};
    }
    return {c.unicode(), 1};
}

}  // namespace lintrel
