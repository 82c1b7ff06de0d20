// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/button_mnemonics.h"

#include <QAbstractButton>
#include <QEvent>
#include <QShortcutEvent>

namespace lintrel {

namespace {

// Turns the button's own shortcut (its mnemonic) into a click; an ambiguous one (two buttons
// with one letter) keeps Qt's answer, moving the focus between them.
class MnemonicClick : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut ||
            static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            return false;
        }
        auto* button = static_cast<QAbstractButton*>(watched);
        if (button->isEnabled()) {
            button->click();
        }
        return true;
    }
};

}  // namespace

void ClickOnEveryMnemonic(QAbstractButton* button) {
    button->installEventFilter(new MnemonicClick(button));
}

}  // namespace lintrel
