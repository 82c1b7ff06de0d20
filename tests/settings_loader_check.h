// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

#include <string>

#include "fake_host.h"
#include "main_window/form1.h"

namespace lintrel::test {

// The four settings loaders, each with its file.
struct SettingsLoader {
    const char* file;
    void (Form1::*load)();
};
inline constexpr SettingsLoader kSettingsLoaders[] = {
    {"FileSettings.ini", &Form1::LoadFileSettings},
    {"GeneralSettings.ini", &Form1::LoadGeneralSettings},
    {"WindowSettings.ini", &Form1::LoadWindowSettings},
    {"FontSettings.ini", &Form1::LoadFontSettings},
};

// Runs `loader` on whatever its file in `folder` holds. Every load must end quietly or with
// the loader's own critical message, after which its file is gone. Returns what went wrong,
// or an empty text.
inline std::string LoadAndCheck(Form1& form, FakeHost& host, const SettingsLoader& loader,
                                const QString& folder) {
    const QString name = QString::fromLatin1(loader.file);
    const QString path = folder + QLatin1Char('/') + name;
    host.messages.clear();
    host.inputAnswers.clear();
    (form.*loader.load)();
    for (const auto& m : host.messages) {
        if (m.icon != MsgIcon::Critical) {
            continue;
        }
        if (m.text != QStringLiteral("Error in loading \"%1\".").arg(name)) {
            return "unexpected message: " + m.text.toStdString();
        }
        if (QFile::exists(path)) {
            return "the refused file " + name.toStdString() + " was kept";
        }
    }
    return {};
}

}  // namespace lintrel::test
