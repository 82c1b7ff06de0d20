// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace lintrel {

// Turns the signals by which the desktop ends a program (SIGTERM at logout, shutdown or
// `kill`, SIGHUP when its terminal closes, SIGINT for Ctrl+C) into a call of `end` from the
// event loop. The handler only writes the signal's number to a pipe; the loop reads it, so
// nothing but that write ever runs inside the handler. `end` runs for every signal; the
// caller makes ending happen once. One instance at a time; the old handlers come back when
// it goes.
class SessionEnd : public QObject {
    Q_OBJECT

  public:
    explicit SessionEnd(std::function<void(int signal)> end, QObject* parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

  private:
    void ReadSignals();

    std::function<void(int signal)> end_;
    int fds_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lintrel
