#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_format.h"

namespace lintrel {

class Host;

// Where a settings file lives: the program's folder and its name.
QString SettingsPath(const QString& programFolder, const QString& fileName);

// Reads `count` fields from the settings file at `path`; nullopt when the file does not
// exist. Throws SettingsError when it cannot be read or ends too soon.
std::optional<std::vector<Field>> ReadSettingsFile(const QString& path, std::size_t count);

// Writes the whole file so that it holds either all of its old bytes or all of the new ones
// (see SaveFileSafely). Throws SettingsError on failure.
void WriteSettingsFile(const QString& path, const std::string& bytes);

// Runs one saver or loader. Any SettingsError ends it with the critical message
// "Error in saving "NAME"." or "Error in loading "NAME".", the file deleted; the caller
// carries on.
void RunSettingsProcedure(Host& host, const QString& fileName, bool saving,
                          const std::function<void(const QString& path)>& body);

// A control's text in the settings file's bytes (UTF-8), and back.
std::string SettingsBytes(const QString& text);
QString SettingsText(const std::string& bytes);

}  // namespace lintrel
