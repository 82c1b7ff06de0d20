// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/session_end.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace lintrel {

namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe's writing end, for the handler; -1 while no SessionEnd stands.
volatile std::sig_atomic_t writeEnd = -1;
std::array<struct sigaction, kSignals.size()> previous{};

void OnSignal(int signal) {
    const int saved = errno;
    const int fd = writeEnd;
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signal);
        // A full pipe already holds a signal the loop will read: this one may be dropped.
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

}  // namespace

SessionEnd::SessionEnd(std::function<void(int signal)> end, std::function<void(int signal)> endNow,
                       QObject* parent)
    : QObject(parent), end_(std::move(end)), endNow_(std::move(endNow)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds_) != 0) {
        fds_[0] = fds_[1] = -1;
        return;  // no pipe: the signals keep their usual effect
    }
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::ReadSignals);
    writeEnd = fds_[0];
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(kSignals[i], &action, &previous[i]);
    }
}

SessionEnd::~SessionEnd() {
    if (fds_[0] < 0) {
        return;
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], &previous[i], nullptr);
    }
    writeEnd = -1;
    ::close(fds_[0]);
    ::close(fds_[1]);
}

void SessionEnd::EndNow(int signal) {
    std::_Exit(128 + signal);
}

void SessionEnd::ReadSignals() {
    // One signal at a time: while the first one's end waits in a message box's loop, the
    // next one is read there.
    unsigned char signal = 0;
    if (::read(fds_[1], &signal, 1) != 1) {
        return;
    }
    if (ending_) {
        endNow_(signal);
        return;
    }
    ending_ = true;
    end_(signal);
}

}  // namespace lintrel
