// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lintrel {

// The file-open dialog object that the main window keeps and all Browse commands share.
// Its file name stays from its last use.
struct CommonDialog {
    static constexpr int kHideReadOnly = 0x4;
    static constexpr int kFileMustExist = 0x1000;

    QString DialogTitle;
    QString Filter;  // "description|pattern|description|pattern..."
    int FilterIndex = 0;
    int Flags = 0;
    bool CancelError = false;
    QString FileName;
};

}  // namespace lintrel
