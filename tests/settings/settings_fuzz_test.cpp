#include <random>

#include "form_fixture.h"

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
    const std::vector<std::pair<QString, void (Form1::*)()>> loaders = {
        {QStringLiteral("FileSettings.ini"), &Form1::LoadFileSettings},
        {QStringLiteral("GeneralSettings.ini"), &Form1::LoadGeneralSettings},
        {QStringLiteral("WindowSettings.ini"), &Form1::LoadWindowSettings},
        {QStringLiteral("FontSettings.ini"), &Form1::LoadFontSettings}};
    for (int round = 0; round < 300; ++round) {
        for (const auto& [name, load] : loaders) {
            host.messages.clear();
            Write(name, RandomBytes(gen));
            ((*form).*load)();
            for (const auto& m : host.messages) {
                if (m.icon == MsgIcon::Critical) {
                    ASSERT_EQ(m.text, QStringLiteral("Error in loading \"%1\".").arg(name));
                    ASSERT_FALSE(Exists(name));
                }
            }
        }
    }
}

}  // namespace
}  // namespace lintrel
