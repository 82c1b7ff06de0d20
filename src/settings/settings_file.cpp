// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <new>
#include <stdexcept>

#include "platform/file_test.h"
#include "platform/host.h"
#include "settings/safe_save.h"

namespace lintrel {

QString SettingsPath(const QString& folder, const QString& fileName) {
    return folder + QLatin1Char('/') + fileName;
}

QString SettingsFolder(const QString& programFolder, const QString& configHome,
                       const std::function<bool(const QString& path)>& writable) {
    if (writable(programFolder)) {
        return programFolder;
    }
    for (const QString& name : kSettingsFiles) {
        const QString path = SettingsPath(programFolder, name);
        if (FileExists(path) && writable(path)) {
            return programFolder;
        }
    }
    return configHome + QStringLiteral("/lintrel");
}

QString SettingsFolder(const QString& programFolder) {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG base directory rules take only an absolute path.
    if (!configHome.startsWith(QLatin1Char('/'))) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return SettingsFolder(programFolder, configHome, [](const QString& path) {
        return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
    });
}

namespace {

// The fields when `bytes` already holds all `count` of them, each closed by its delimiter.
std::optional<std::vector<Field>> CompleteFields(std::string_view bytes, std::size_t count) {
    try {
        FieldReader reader(bytes);
        std::vector<Field> fields;
        for (std::size_t i = 0; i < count; ++i) {
            fields.push_back(reader.Next());
        }
        if (reader.LastFieldClosed()) {
            return fields;
        }
    } catch (const SettingsError&) {
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<Field>> ReadSettingsFile(const QString& path, std::size_t count) {
    if (!FileExists(path)) {
        return std::nullopt;
    }
    QFile file;
    if (!OpenRegularFile(file, path)) {
        throw SettingsError("cannot open the file");
    }
    // Only the lines the file has are read: what follows them is never looked at. No field
    // the program writes comes near the bound, so a file that reaches it before its last
    // field ends is read as far as the bound.
    constexpr qint64 kChunk = qint64{64} * 1024;
    constexpr qsizetype kMost = qsizetype{1024} * 1024;
    QByteArray bytes;
    for (;;) {
        const QByteArray more = file.read(kChunk);
        if (file.error() != QFileDevice::NoError) {
            throw SettingsError("cannot read the file");
        }
        bytes += more;
        const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (more.size() < kChunk || bytes.size() >= kMost) {
            return ReadFields(view, count);
        }
        if (auto fields = CompleteFields(view, count)) {
            return fields;
        }
    }
}

void WriteSettingsFile(const QString& path, const std::string& bytes) {
    if (SaveFileSafely(QFile::encodeName(path).toStdString(), bytes) != SaveResult::Saved) {
        throw SettingsError("cannot write the file");
    }
}

namespace {

// The failure path deletes the file so that the next start takes the defaults; a file the
// user marked read-only, and anything that is not a file or a link, stays.
void DeleteAfterFailure(const QString& path) {
    const std::string name = QFile::encodeName(path).toStdString();
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) {
        return;
    }
    if (!IsMarkedReadOnly(name)) {
        QFile::remove(path);
    }
}

// Runs one saver's or loader's work; any failure ends it with the message. A failed load
// deletes the file, so that the next start takes the defaults; a failed save leaves the file
// as the save found it (SaveFileSafely never leaves half a file in its place), since deleting
// it would only lose good settings.
void RunOnFailurePath(Host& host, const QString& fileName, const QString& verb,
                      bool deleteOnFailure, const std::function<void(const QString& path)>& work) {
    const QString folder = SettingsFolder(host.ProgramFolder());
    const QString path = SettingsPath(folder, fileName);
    try {
        work(path);
        return;
    } catch (const SettingsError&) {
    } catch (const std::bad_alloc&) {
        // A file too large to hold fails as any other bad file does.
    }
    host.MessageBox(QStringLiteral("Error in %1 \"%2\".").arg(verb, fileName), MsgIcon::Critical);
    // A file that cannot be deleted stays; the next start then reports it again.
    if (deleteOnFailure) {
        DeleteAfterFailure(path);
    }
}

}  // namespace

void SaveSettingsFile(Host& host, const QString& fileName, const SettingsLines& lines) {
    RunOnFailurePath(host, fileName, QStringLiteral("saving"), false, [&](const QString& path) {
        std::vector<const SettingsLine*> inFileOrder;
        for (const SettingsLine& line : lines) {
            inFileOrder.push_back(&line);
        }
        std::sort(inFileOrder.begin(), inFileOrder.end(),
                  [](const auto* a, const auto* b) { return a->line < b->line; });
        // A line missing or declared twice is out of place for the writer.
        SettingsWriter w;
        for (const SettingsLine* line : inFileOrder) {
            line->save(w.At(line->line));
        }
        if (w.Lines() != lines.size()) {
            throw std::logic_error("a settings line that writes no value");
        }
        // The user's configuration folder is made at the first save there.
        if (!QDir().mkpath(QFileInfo(path).path())) {
            throw SettingsError("cannot make the settings folder");
        }
        WriteSettingsFile(path, w.Bytes());
    });
}

void LoadSettingsFile(Host& host, const QString& fileName, const SettingsLines& lines,
                      const std::function<void()>& then, const std::function<void()>& missing) {
    RunOnFailurePath(host, fileName, QStringLiteral("loading"), true, [&](const QString& path) {
        const auto fields = ReadSettingsFile(path, lines.size());
        if (!fields) {
            if (missing) {
                missing();
            }
            return;
        }
        for (const SettingsLine& line : lines) {
            line.load(fields->at(line.line));
        }
        if (then) {
            then();
        }
    });
}

std::string SettingsBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

QString SettingsText(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace lintrel
