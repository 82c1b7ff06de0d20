#pragma once

#include <QString>

#include <optional>

#include "platform/common_dialog.h"

namespace lintrel {

class Host;

// Sets `dialog` up to open an existing file (title, filter list with its first entry chosen,
// read-only box hidden, cancel reported as a failure) and shows it. The chosen full path
// is returned and kept as the dialog's file name; nullopt for cancel or failure.
std::optional<QString> BrowseForFile(Host& host, CommonDialog& dialog, const QString& title,
                                     const QString& filter);

}  // namespace lintrel
