// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/startup_choice.h"

#include "platform/number_reading.h"

namespace lintrel {

std::optional<QString> StartupFileFor(StartupFileOption option, const QString& settingsFolder,
                                      const QString& lastFile, const QString& specifiedFile) {
    switch (option) {
        case StartupFileOption::Default:
            // With no folder for the settings there is no default file either.
            return settingsFolder.isEmpty() ? QString()
                                            : settingsFolder + QLatin1Char('/') + kDefaultNoteFile;
        case StartupFileOption::Last:
            return lastFile;
        case StartupFileOption::Nothing:
            return QString();
        case StartupFileOption::Specified:
            return specifiedFile;
        case StartupFileOption::None:
            break;
    }
    return std::nullopt;
}

namespace {

StartupLine Show(long long note) {
    if (note < -32768 || note > 32767) {
        return {StartupLine::Kind::Fail, 0};
    }
    return {StartupLine::Kind::Show, static_cast<std::int16_t>(note)};
}

}  // namespace

StartupLine StartupLineFor(StartupLineOption option, std::size_t count, std::int16_t shownLast,
                           std::string_view numberText) {
    switch (option) {
        case StartupLineOption::First:
            return Show(1);
        case StartupLineOption::Last:
            return Show(static_cast<long long>(count));
        case StartupLineOption::LastLoaded:
            return Show(shownLast);
        case StartupLineOption::PreviousToLast:
            return Show(shownLast - 1LL);
        case StartupLineOption::NextToLast:
            return Show(shownLast + 1LL);
        case StartupLineOption::Random:
            return {StartupLine::Kind::Random, 0};
        case StartupLineOption::Number:
            if (const auto n = RoundToInt16(ReadNumber(numberText))) {
                return {StartupLine::Kind::Show, *n};
            }
            return {StartupLine::Kind::Fail, 0};
        case StartupLineOption::None:
            break;
    }
    return {};
}

}  // namespace lintrel
