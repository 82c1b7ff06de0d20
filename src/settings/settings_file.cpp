#include "settings/settings_file.h"

#include <QFile>
#include <QSaveFile>

#include "platform/file_test.h"
#include "platform/host.h"

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw SettingsError("cannot create the file");
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.commit()) {
        throw SettingsError("cannot write the file");
    }
}

void RunSettingsProcedure(Host& host, const QString& fileName, bool saving,
                          const std::function<void(const QString& path)>& body) {
    const QString path = SettingsPath(host.ProgramFolder(), fileName);
    try {
        body(path);
    } catch (const SettingsError&) {
        host.MessageBox(
            QStringLiteral("Error in %1 \"%2\".")
                .arg(saving ? QStringLiteral("saving") : QStringLiteral("loading"), fileName),
            MsgIcon::Critical);
        // A file that cannot be deleted stays; the next start then reports it again.
        if (QFile::exists(path)) {
            QFile::remove(path);
        }
    }
}

std::string SettingsBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

QString SettingsText(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace lintrel
