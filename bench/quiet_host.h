// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/qt_host.h"

namespace lintrel::bench {

// The real host without its modal prompts: messages are dropped, questions are cancelled.
class QuietHost : public QtHost {
  public:
    void MessageBox(const QString&, MsgIcon) override {}
    std::optional<QString> InputBox(const QString&, const QString&) override {
        return std::nullopt;
    }
};

}  // namespace lintrel::bench
