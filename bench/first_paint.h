// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace lintrel::bench {

// Ends the event loop once `widget` has been painted for the first time.
class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QWidget& widget) { widget.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so that the paint itself is done first.
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace lintrel::bench
