// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_format.h"

#include <QByteArrayView>

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "platform/number_reading.h"

namespace lintrel {

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))
               .compare(QByteArrayView(word.data(), static_cast<qsizetype>(word.size())),
                        Qt::CaseInsensitive) == 0;
}

}  // namespace

void FieldReader::SkipDelimiter() {
    closed_ = pos_ < input_.size();
    if (!closed_) {
        return;
    }
    if (input_[pos_] == ',' || input_[pos_] == '\n') {
        ++pos_;
    } else if (input_[pos_] == '\r') {
        ++pos_;
        if (pos_ < input_.size() && input_[pos_] == '\n') {
            ++pos_;
        }
    }
}

Field FieldReader::Next() {
    if (pos_ >= input_.size()) {
        throw SettingsError("input past the end of the file");
    }
    while (pos_ < input_.size() && input_[pos_] == ' ') {
        ++pos_;
    }
    Field field;
    if (pos_ < input_.size() && input_[pos_] == '"') {
        // Inside the quotes a doubled quote stands for one.
        std::size_t start = pos_ + 1;
        std::size_t close = input_.find('"', start);
        while (close != std::string_view::npos && close + 1 < input_.size() &&
               input_[close + 1] == '"') {
            field.text.append(input_.substr(start, close + 1 - start));
            start = close + 2;
            close = input_.find('"', start);
        }
        const std::size_t end = close == std::string_view::npos ? input_.size() : close;
        field.text.append(input_.substr(start, end - start));
        field.kind = Field::Kind::Text;
        pos_ = end;
        // Whatever follows the closing quote, up to the next comma or line end, is skipped.
        while (pos_ < input_.size() && input_[pos_] != ',' && !IsLineEnd(input_[pos_])) {
            ++pos_;
        }
        SkipDelimiter();
        return field;
    }
    std::size_t end = pos_;
    while (end < input_.size() && input_[end] != ',' && !IsLineEnd(input_[end])) {
        ++end;
    }
    std::string_view text = input_.substr(pos_, end - pos_);
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    pos_ = end;
    SkipDelimiter();
    field.text = std::string(text);
    if (text.empty()) {
        field.kind = Field::Kind::Nothing;
    } else if (const std::optional<double> number = ParseWholeNumber(text)) {
        field.kind = Field::Kind::Number;
        field.number = *number;
    } else {
        field.kind = Field::Kind::Text;
    }
    return field;
}

std::vector<Field> ReadFields(std::string_view input, std::size_t count) {
    FieldReader reader(input);
    std::vector<Field> fields;
    fields.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        fields.push_back(reader.Next());
    }
    return fields;
}

std::optional<double> NumberIn(const Field& field) {
    if (field.kind == Field::Kind::Number) {
        return field.number;
    }
    // A text between quotes that holds a number converts to it, as text converts to a number.
    std::string_view text = field.text;
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return field.kind == Field::Kind::Text ? ParseWholeNumber(text) : std::nullopt;
}

bool ReadBoolean(const Field& field) {
    if (field.kind == Field::Kind::Nothing) {
        return false;
    }
    if (EqualsIgnoringCase(field.text, "true")) {
        return true;
    }
    if (EqualsIgnoringCase(field.text, "false")) {
        return false;
    }
    if (const std::optional<double> number = NumberIn(field)) {
        return *number != 0.0;
    }
    throw SettingsError("not a boolean: " + field.text);
}

const std::string& ReadText(const Field& field) {
    return field.text;
}

namespace {

template <typename Int, typename Round>
Int ReadWhole(const Field& field, Round round) {
    if (field.kind == Field::Kind::Nothing) {
        return 0;
    }
    const std::optional<double> number = NumberIn(field);
    if (!number) {
        throw SettingsError("not a number: " + field.text);
    }
    const auto value = round(*number);
    if (!value) {
        throw SettingsError("number out of range: " + field.text);
    }
    return *value;
}

}  // namespace

std::int16_t ReadInt16(const Field& field) {
    return ReadWhole<std::int16_t>(field, RoundToInt16);
}

std::int32_t ReadInt32(const Field& field) {
    return ReadWhole<std::int32_t>(field, RoundToInt32);
}

double ReadSingleValue(const Field& field) {
    return ReadNumber(field.text);
}

SettingsWriter& SettingsWriter::At(std::size_t line) {
    if (line != lines_) {
        throw std::logic_error("a settings line written out of its place");
    }
    return *this;
}

void SettingsWriter::Line(std::string_view text) {
    bytes_.append(text);
    bytes_.append("\r\n");
    ++lines_;
}

void SettingsWriter::Boolean(bool value) {
    Line(value ? "True" : "False");
}

void SettingsWriter::Text(std::string_view value) {
    const bool cut =
        value.find_first_of(",\r\n") != std::string_view::npos ||
        (!value.empty() && (value.front() == ' ' || value.front() == '"' || value.back() == ' '));
    if (!cut) {
        Line(value);
        return;
    }
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    for (const char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    Line(quoted);
}

void SettingsWriter::Integer(std::int64_t value) {
    std::string text = value < 0 ? "" : " ";
    text += std::to_string(value);
    text += ' ';
    Line(text);
}

void SettingsWriter::Single(float value) {
    if (value == 0.0f || !std::isfinite(value)) {
        Line(" 0 ");
        return;
    }
    // Plain decimal digits, never an exponent, as few as read back as the same value.
    char digits[64];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    std::string text = value < 0 ? "" : " ";
    text.append(digits, result.ptr);
    text += ' ';
    Line(text);
}

}  // namespace lintrel
