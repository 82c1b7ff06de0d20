// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_format.h"

namespace lintrel {

class Host;

// Where a settings file lives: its folder and its name.
QString SettingsPath(const QString& folder, const QString& fileName);

// The names of the four settings files.
inline const QString kFileSettings = QStringLiteral("FileSettings.ini");
inline const QString kGeneralSettings = QStringLiteral("GeneralSettings.ini");
inline const QString kWindowSettings = QStringLiteral("WindowSettings.ini");
inline const QString kFontSettings = QStringLiteral("FontSettings.ini");
inline const QStringList kSettingsFiles = {kFileSettings, kGeneralSettings, kWindowSettings,
                                           kFontSettings};

// The user's configuration folder: $XDG_CONFIG_HOME (`xdgConfigHome`) when it is an absolute
// path, else `home`/.config for a home folder that exists (not "/"); empty when there is none,
// so that no folder such as /.config is ever made.
QString ConfigHome(const QString& xdgConfigHome, const QString& home);

// The folder of the four settings files (and of Default.txt). The program is portable: its own
// folder, where that folder takes new files or one of the four files there may be written in
// place. A program installed where its user cannot write, and one built in the system layout
// (`systemLayout`), keeps them in `configHome`/lintrel instead; empty when there is no
// configuration folder either. `writable` says whether a path may be written (a folder:
// whether it takes new files).
QString SettingsFolder(const QString& programFolder, const QString& configHome,
                       const std::function<bool(const QString& path)>& writable,
                       bool systemLayout = false);
// The same for this process: the folders' permissions, $XDG_CONFIG_HOME or ~/.config, and the
// layout it was built for.
QString SettingsFolder(const QString& programFolder);

// Reads `count` fields from the settings file at `path`; nullopt when the file does not
// exist. Throws SettingsError when it cannot be read or ends too soon.
std::optional<std::vector<Field>> ReadSettingsFile(const QString& path, std::size_t count);

// Writes the whole file so that it holds either all of its old bytes or all of the new ones
// (see SaveFileSafely). Throws SettingsError on failure.
void WriteSettingsFile(const QString& path, const std::string& bytes);

// One line of a settings file: its place in the file, how its value is written, and how the
// field read from it is applied. A file is declared as the list of its lines, in the order a
// load applies them; a save writes them in the file's order.
struct SettingsLine {
    std::size_t line;
    std::function<void(SettingsWriter& w)> save;
    std::function<void(const Field& f)> load;
};
using SettingsLines = std::vector<SettingsLine>;

// Saves the settings file `fileName` in the program's folder, one line for each of `lines`.
// Any failure ends the save with the critical message "Error in saving "NAME"."; the file
// keeps what it held before (see SaveFileSafely), and the caller carries on.
void SaveSettingsFile(Host& host, const QString& fileName, const SettingsLines& lines);

// Loads the settings file `fileName`: each of `lines` takes its field, in the list's order,
// then `then` runs; `missing`, when given, runs instead when there is no such file. Any
// failure, in reading or in applying (a SettingsError), ends the load with the critical
// message "Error in loading "NAME".", the file deleted; what was applied stays applied, and
// the caller carries on.
void LoadSettingsFile(Host& host, const QString& fileName, const SettingsLines& lines,
                      const std::function<void()>& then = {},
                      const std::function<void()>& missing = {});

// A control's text in the settings file's bytes (UTF-8), and back.
std::string SettingsBytes(const QString& text);
QString SettingsText(const std::string& bytes);

}  // namespace lintrel
