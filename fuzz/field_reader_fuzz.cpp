// SPDX-License-Identifier: GPL-3.0-or-later
// The settings field reader and the read rules on any bytes. A malformed file is refused with
// SettingsError, which the loaders turn into their message; anything else is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string_view>

#include "platform/number_reading.h"
#include "settings/settings_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Every field count a loader asks for, and one more.
    for (std::size_t count = 1; count <= 12; ++count) {
        try {
            for (const auto& field : lintrel::ReadFields(input, count)) {
                // What a field holds agrees with how it was read.
                using Kind = lintrel::Field::Kind;
                if ((field.kind == Kind::Nothing && !field.text.empty()) ||
                    (field.kind == Kind::Number && !lintrel::ParseWholeNumber(field.text))) {
                    std::abort();
                }
                const std::function<void()> rules[] = {[&] { (void)lintrel::ReadBoolean(field); },
                                                       [&] { (void)lintrel::ReadText(field); },
                                                       [&] { (void)lintrel::ReadInt16(field); },
                                                       [&] { (void)lintrel::ReadInt32(field); },
                                                       [&] { (void)lintrel::ReadSingle(field); }};
                for (const auto& rule : rules) {
                    try {
                        rule();
                    } catch (const lintrel::SettingsError&) {
                    }
                }
            }
        } catch (const lintrel::SettingsError&) {
        }
    }
    return 0;
}
