// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/file_test.h"
#include "platform/host.h"
#include "settings/safe_save.h"
#include "version.h"

namespace lintrel {

QString SettingsPath(const QString& folder, const QString& fileName) {
    return folder + QLatin1Char('/') + fileName;
}

QString ConfigHome(const QString& xdgConfigHome, const QString& home) {
    // The XDG base directory rules take only an absolute path.
    if (xdgConfigHome.startsWith(QLatin1Char('/'))) {
        return xdgConfigHome;
    }
    if (home.startsWith(QLatin1Char('/')) && QDir(home) != QDir::root() &&
        QFileInfo(home).isDir()) {
        return home + QStringLiteral("/.config");
    }
    return {};
}

QString SettingsFolder(const QString& programFolder, const QString& configHome,
                       const std::function<bool(const QString& path)>& writable,
                       bool systemLayout) {
    if (!systemLayout) {
        if (writable(programFolder)) {
            return programFolder;
        }
        for (const QString& name : kSettingsFiles) {
            const QString path = SettingsPath(programFolder, name);
            if (FileExists(path) && writable(path)) {
                return programFolder;
            }
        }
    }
    return configHome.isEmpty() ? QString() : configHome + QStringLiteral("/lintrel");
}

QString SettingsFolder(const QString& programFolder) {
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) {
        // Without HOME, the home folder the system has for the user.
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr) {
            home = QFile::decodeName(user->pw_dir);
        }
    }
    return SettingsFolder(
        programFolder, ConfigHome(qEnvironmentVariable("XDG_CONFIG_HOME"), home),
        [](const QString& path) {
            return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
        },
        kSystemLayout);
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
    QString why;
    if (folder.isEmpty()) {
        // Nowhere to keep them: nothing to load, and a save says why.
        if (deleteOnFailure) {
            return;
        }
        why = QStringLiteral(
            "no folder for the settings: the program's folder cannot be "
            "written, and neither HOME nor XDG_CONFIG_HOME names a folder");
    }
    const QString path = SettingsPath(folder, fileName);
    if (!folder.isEmpty()) {
        try {
            work(path);
            return;
        } catch (const SettingsError& error) {
            why = QString::fromUtf8(error.what());
        } catch (const std::bad_alloc&) {
            // A file too large to hold fails as any other bad file does.
            why = QStringLiteral("too large to hold");
        }
    }
    host.TellTerminal(
        QStringLiteral("lintrel: error in %1 %2 in %3: %4")
            .arg(verb, fileName, folder.isEmpty() ? QStringLiteral("-") : folder, why));
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
        const QString folder = QFileInfo(path).path();
        errno = 0;
        if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
            throw SettingsError(QFileInfo::exists(folder)
                                    ? "cannot make the settings folder: something else stands there"
                                    : std::string("cannot make the settings folder: ") +
                                          std::strerror(errno));
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
