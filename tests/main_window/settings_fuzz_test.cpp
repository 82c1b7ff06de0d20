// SPDX-License-Identifier: GPL-3.0-or-later
#include <random>

#include "form_fixture.h"
#include "settings_loader_check.h"

namespace lintrel {
namespace {

// Random bytes in each settings file: each loader shows its message or nothing, deletes a
// file it refused, and never crashes or hangs.
class SettingsFuzzTest : public test::FormTest {};

std::string RandomBytes(std::mt19937& gen) {
    static const std::string alphabet =
        std::string("\"\r\n, 0123456789.-+eETrueFals", 28) + std::string("\0\xff\x80 ab", 6);
    std::string bytes(gen() % 300, ' ');
    for (char& c : bytes) {
        c = alphabet[gen() % alphabet.size()];
    }
    return bytes;
}

TEST_F(SettingsFuzzTest, LoadersSurviveRandomFiles) {
    LoadLines({"a", "b", "c"});
    std::mt19937 gen(20261208);
    for (int round = 0; round < 300; ++round) {
        for (const test::SettingsLoader& loader : test::kSettingsLoaders) {
            Write(QString::fromLatin1(loader.file), RandomBytes(gen));
            ASSERT_EQ(test::LoadAndCheck(*form, host, loader, dir.path()), "") << round;
        }
    }
}

}  // namespace
}  // namespace lintrel
