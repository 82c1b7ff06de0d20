// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <optional>
#include <string>
#include <string_view>

namespace lintrel {

// The code page of the default character set, and the one whose bytes the note box reads
// itself rather than through a decoder's tables alone.
inline constexpr char kUtf8[] = "UTF-8";

// The character-set number of the start-up question, read from its answer: empty, Cancel
// or not a whole number give 1, the default set.
int CharsetFromAnswer(const std::optional<QString>& answer);

// The code page in which note text of character set `charset` is shown (a name that
// QStringDecoder knows). Unknown sets give UTF-8.
QByteArray CodePageForCharset(int charset);
// Whether `charset` is one of the character sets the start-up question names.
bool CharsetKnown(int charset);

// A decoder for `codePage`, UTF-8 when the name is unknown. It keeps a character cut between
// two calls whole.
QStringDecoder NoteDecoder(const QByteArray& codePage);
// What `decoder` still holds of a character the bytes ended inside, shown as the converter
// shows a bad character (U+FFFD; U+001A in windows-932), or nothing. The decoder is ready for
// a new text afterwards.
QString FlushDecoder(QStringDecoder& decoder);

// Note bytes to display text, and typed text to note bytes, in `codePage`. Bytes that do not
// decode show as U+FFFD.
QString DecodeText(const QByteArray& codePage, std::string_view bytes);
// A line's bytes followed by the first character of its line break (CR, LF or a paragraph
// separator), decoded as they decode within the whole text, without the break: a character cut
// by the break shows as the converter shows it there.
QString DecodeLine(const QByteArray& codePage, std::string_view bytesAndBreak);
std::string EncodeText(const QByteArray& codePage, const QString& text);

// A note as the note box shows it: decoded in `codePage`, with CR LF, a lone CR and a lone LF
// each one line break.
QString ShownText(const QByteArray& codePage, std::string_view note);

}  // namespace lintrel
