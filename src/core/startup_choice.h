// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lintrel {

// The name of the default note file in the program's folder.
inline const QString kDefaultNoteFile = QStringLiteral("Default.txt");

// The start-up file option chosen in "File settings"; None when no option is chosen.
enum class StartupFileOption { None, Default, Last, Nothing, Specified };

// The file the option loads at start-up: the default file of the settings' folder, the file
// loaded last, no file (an empty path), or the specified one; nullopt when no option is
// chosen, so that the start-up path stays as it was.
std::optional<QString> StartupFileFor(StartupFileOption option, const QString& settingsFolder,
                                      const QString& lastFile, const QString& specifiedFile);

// The start-up line option chosen in "General settings"; None when no option is chosen.
enum class StartupLineOption {
    None,
    First,
    Last,
    LastLoaded,
    PreviousToLast,
    NextToLast,
    Random,
    Number
};

// What start-up shows: nothing, the note `note` (through ShowLine, which reports a number
// outside the list), a random note, or a failed load (a number beyond 16 bits).
struct StartupLine {
    enum class Kind { Nothing, Show, Random, Fail };
    Kind kind = Kind::Nothing;
    std::int16_t note = 0;
};

// The start-up line for `option`, over `count` notes, with the note shown last and the text
// of the line number box.
StartupLine StartupLineFor(StartupLineOption option, std::size_t count, std::int16_t shownLast,
                           std::string_view numberText);

}  // namespace lintrel
