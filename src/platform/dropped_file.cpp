// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dropped_file.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace lintrel {

std::optional<QString> DroppedFile(const QMimeData& data) {
    if (!data.hasUrls()) {
        return std::nullopt;
    }
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = urls.front().toLocalFile();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace lintrel
