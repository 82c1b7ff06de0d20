// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The common format of the four settings files: one value per line, CR LF after each, no
// keys. Reading goes field by field; writing produces the whole file's bytes.
namespace lintrel {

// Any failure while a settings file is read, written or acted on.
class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A value as read: it remembers whether it was read as nothing, a number or text. `text`
// holds the field's characters in every case.
struct Field {
    enum class Kind { Nothing, Number, Text };
    Kind kind = Kind::Nothing;
    double number = 0.0;
    std::string text;
};

// Reads fields one after another from a running position. A field that begins with a
// double quote runs to the next double quote that is not doubled (a doubled one stands for
// one quote); any other runs to a comma, a line end (CR LF,
// CR or LF) or the end of the input. Spaces before a field are skipped.
class FieldReader {
  public:
    explicit FieldReader(std::string_view input) : input_(input) {}
    // The next field; throws SettingsError when the input ends before it.
    Field Next();
    // Whether the last field read ended at a comma or a line end, not at the input's end
    // (where more input could still have made it longer).
    bool LastFieldClosed() const { return pos_ > 0 && pos_ <= input_.size() && closed_; }

  private:
    void SkipDelimiter();

    std::string_view input_;
    std::size_t pos_ = 0;
    bool closed_ = false;
};

// Reads exactly `count` fields from the start of `input`; lines beyond them are ignored.
std::vector<Field> ReadFields(std::string_view input, std::size_t count);

// The number a field holds: a number as read, or a text (from between quotes) that is a
// whole number; nullopt otherwise.
std::optional<double> NumberIn(const Field& field);

// The read rules of the value kinds; each throws SettingsError for a value it refuses.
bool ReadBoolean(const Field& field);
const std::string& ReadText(const Field& field);
std::int16_t ReadInt16(const Field& field);
std::int32_t ReadInt32(const Field& field);
// The number at the start of the field's text, not yet narrowed to single precision.
double ReadSingleValue(const Field& field);
inline float ReadSingle(const Field& field) {
    return static_cast<float>(ReadSingleValue(field));
}

// Builds a settings file line by line in the written forms of the value kinds.
class SettingsWriter {
  public:
    // Names the line written next, by its place in the file: a line written out of its
    // place is a fault of the program (std::logic_error).
    SettingsWriter& At(std::size_t line);
    std::size_t Lines() const { return lines_; }

    void Boolean(bool value);
    // A text that would not read back whole (a comma, a line break, a leading or trailing
    // space, a leading double quote) is written between double quotes, with each double
    // quote inside doubled.
    void Text(std::string_view value);
    void Integer(std::int64_t value);
    void Single(float value);

    const std::string& Bytes() const { return bytes_; }

  private:
    void Line(std::string_view text);

    std::string bytes_;
    std::size_t lines_ = 0;
};

}  // namespace lintrel
