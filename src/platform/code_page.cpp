// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/number_reading.h"

namespace lintrel {

int CharsetFromAnswer(const std::optional<QString>& answer) {
    if (!answer) {
        return 1;
    }
    const QByteArray text = answer->trimmed().toUtf8();
    const std::optional<double> value = ParseWholeNumber(text.toStdString());
    if (!value || *value != RoundHalfEven(*value)) {
        return 1;
    }
    const auto charset = RoundToInt32(*value);
    return charset ? *charset : 1;
}

namespace {

// Each character set the start-up question names, and its code page.
constexpr std::array<std::pair<int, const char*>, 18> kCharsets{{
    {0, "windows-1252"},
    {77, "macintosh"},
    {128, "windows-932"},
    {129, "windows-949"},
    {130, "johab"},
    {134, "GBK"},
    {136, "windows-950"},
    {161, "windows-1253"},
    {162, "windows-1254"},
    {163, "windows-1258"},
    {177, "windows-1255"},
    {178, "windows-1256"},
    {186, "windows-1257"},
    {204, "windows-1251"},
    {222, "windows-874"},
    {238, "windows-1250"},
    {255, "IBM437"},
    {1, kUtf8},
}};

}  // namespace

bool CharsetKnown(int charset) {
    return std::any_of(kCharsets.begin(), kCharsets.end(),
                       [charset](const auto& entry) { return entry.first == charset; });
}

QByteArray CodePageForCharset(int charset) {
    for (const auto& [number, name] : kCharsets) {
        if (number == charset) {
            // A table the converter does not know falls back to UTF-8 too.
            return QStringDecoder(name).isValid() ? QByteArray(name) : QByteArray(kUtf8);
        }
    }
    return QByteArray(kUtf8);
}

QStringDecoder NoteDecoder(const QByteArray& codePage) {
    QStringDecoder decoder(codePage.constData());
    if (!decoder.isValid()) {
        decoder = QStringDecoder(QStringDecoder::Utf8);
    }
    return decoder;
}

QString FlushDecoder(QStringDecoder& decoder) {
    // A line feed is one byte in every code page the program reads and never part of a
    // longer character: it ends whatever the decoder holds, which then shows as the converter
    // shows a bad character inside a text (some swallow the line feed with it).
    QString tail = decoder(QByteArrayView("\n", 1));
    if (tail.endsWith(QLatin1Char('\n'))) {
        tail.chop(1);
    }
    return tail;
}

QString DecodeText(const QByteArray& codePage, std::string_view bytes) {
    QStringDecoder decoder = NoteDecoder(codePage);
    QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return text + FlushDecoder(decoder);
}

QString DecodeLine(const QByteArray& codePage, std::string_view bytesAndBreak) {
    QString text = DecodeText(codePage, bytesAndBreak);
    const char16_t last = text.isEmpty() ? 0 : text.back().unicode();
    if (last == u'\r' || last == u'\n' || last == u'\u2029' || last == u'\ufdd0' ||
        last == u'\ufdd1') {
        text.chop(1);
    }
    return text;
}

std::string EncodeText(const QByteArray& codePage, const QString& text) {
    QStringEncoder encoder(codePage.constData());
    if (!encoder.isValid()) {
        encoder = QStringEncoder(QStringEncoder::Utf8);
    }
    const QByteArray bytes = encoder(text);
    return bytes.toStdString();
}

QString ShownText(const QByteArray& codePage, std::string_view note) {
    QString shown = DecodeText(codePage, note);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace lintrel
