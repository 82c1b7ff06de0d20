// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_test.h"

#include <QFileInfo>

namespace lintrel {

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.isFile() && !info.fileName().startsWith(QLatin1Char('.'));
}

}  // namespace lintrel
