// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browse.h"

#include "platform/host.h"

namespace lintrel {

std::optional<QString> BrowseForFile(Host& host, CommonDialog& dialog, const QString& title,
                                     const QString& filter) {
    dialog.DialogTitle = title;
    dialog.Filter = filter;
    dialog.FilterIndex = 1;
    dialog.Flags = CommonDialog::kFileMustExist | CommonDialog::kHideReadOnly;
    dialog.CancelError = true;
    std::optional<QString> chosen = host.OpenFileDialog(dialog);
    if (chosen) {
        dialog.FileName = *chosen;
    }
    return chosen;
}

}  // namespace lintrel
