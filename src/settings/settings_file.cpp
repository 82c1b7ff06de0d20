// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <QFile>

#include <sys/stat.h>
#include <new>

#include "platform/file_test.h"
#include "platform/host.h"
#include "settings/safe_save.h"

namespace lintrel {

QString SettingsPath(const QString& programFolder, const QString& fileName) {
    return programFolder + QLatin1Char('/') + fileName;
}

std::optional<std::vector<Field>> ReadSettingsFile(const QString& path, std::size_t count) {
    if (!FileExists(path)) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw SettingsError("cannot open the file");
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw SettingsError("cannot read the file");
    }
    file.close();
    return ReadFields(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                      count);
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

// Runs one saver's or loader's work; any failure ends it on the failure path.
void RunOnFailurePath(Host& host, const QString& fileName, const QString& verb,
                      const std::function<void(const QString& path)>& work) {
    const QString path = SettingsPath(host.ProgramFolder(), fileName);
    try {
        work(path);
        return;
    } catch (const SettingsError&) {
    } catch (const std::bad_alloc&) {
        // A file too large to hold fails as any other bad file does.
    }
    host.MessageBox(QStringLiteral("Error in %1 \"%2\".").arg(verb, fileName), MsgIcon::Critical);
    // A file that cannot be deleted stays; the next start then reports it again.
    DeleteAfterFailure(path);
}

}  // namespace

void SaveSettingsFile(Host& host, const QString& fileName,
                      const std::function<void(SettingsWriter& w)>& lines) {
    RunOnFailurePath(host, fileName, QStringLiteral("saving"), [&](const QString& path) {
        SettingsWriter w;
        lines(w);
        WriteSettingsFile(path, w.Bytes());
    });
}

void LoadSettingsFile(Host& host, const QString& fileName, std::size_t count,
                      const std::function<void(const std::vector<Field>& f)>& apply,
                      const std::function<void()>& missing) {
    RunOnFailurePath(host, fileName, QStringLiteral("loading"), [&](const QString& path) {
        const auto fields = ReadSettingsFile(path, count);
        if (!fields) {
            if (missing) {
                missing();
            }
            return;
        }
        apply(*fields);
    });
}

std::string SettingsBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

QString SettingsText(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace lintrel
