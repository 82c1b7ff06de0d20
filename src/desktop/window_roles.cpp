// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/window_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace lintrel {

namespace {

QAccessibleInterface* WindowRole(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow()) {
        return nullptr;
    }
    if (className == QLatin1String("lintrel::Form1")) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    if (className == QLatin1String("lintrel::Dialog")) {
        return new QAccessibleWidget(widget, QAccessible::Dialog);
    }
    return nullptr;
}

}  // namespace

void InstallWindowRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(WindowRole);
        return true;
    }();
    (void)installed;
}

}  // namespace lintrel
