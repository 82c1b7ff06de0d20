// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace lintrel {

// Turns the signals by which the desktop ends a program (SIGTERM at logout, shutdown or
// `kill`, SIGHUP when its terminal closes, SIGINT for Ctrl+C) into a call of `end` from the
// event loop. The handler only writes the signal's number to a pipe; the loop reads it, so
// nothing but that write ever runs inside the handler. `end` runs for the first signal; a
// further one, once that end has begun (it may wait on a message box nobody answers at a
// logout), calls `endNow`, which by default ends the process at once: what was saved stays
// saved, as every save is whole or nothing. One instance at a time; the old handlers come
// back when it goes.
class SessionEnd : public QObject {
    Q_OBJECT

  public:
    explicit SessionEnd(std::function<void(int signal)> end,
                        std::function<void(int signal)> endNow = EndNow, QObject* parent = nullptr);
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

  private:
    [[noreturn]] static void EndNow(int signal);
    void ReadSignals();

    std::function<void(int signal)> end_;
    std::function<void(int signal)> endNow_;
    bool ending_ = false;
    int fds_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lintrel
