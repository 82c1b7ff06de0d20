// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/file_follower.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <sys/stat.h>
#include <algorithm>
#include <chrono>

namespace lintrel {

FileFollower::FileFollower(std::function<bool()> idle, std::function<void()> changed,
                           QObject* parent)
    : QObject(parent),
      idle_(std::move(idle)),
      changed_(std::move(changed)),
      clock_([] {
          return static_cast<qint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now().time_since_epoch())
                                         .count());
      }),
      watcher_(new QFileSystemWatcher(this)),
      timer_(new QTimer(this)),
      poll_(new QTimer(this)) {
    timer_->setSingleShot(true);
    poll_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &FileFollower::Check);
    connect(poll_, &QTimer::timeout, this, &FileFollower::Check);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::Noticed);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FileFollower::Noticed);
}

void FileFollower::Follow(const QStringList& paths) {
    // The same files read again keep the marks they had when the read began, so that a write
    // during the read is still seen.
    if (paths == paths_) {
        Watch();
        return;
    }
    if (!watcher_->files().isEmpty()) {
        watcher_->removePaths(watcher_->files());
    }
    if (!watcher_->directories().isEmpty()) {
        watcher_->removePaths(watcher_->directories());
    }
    watched_.clear();
    timer_->stop();
    poll_->stop();
    paths_ = paths;
    marks_.clear();
    for (const QString& path : paths_) {
        marks_.push_back(MarkOf(path));
    }
    Watch();
}

void FileFollower::SetIntervals(int settleMs, int pollMs) {
    settleMs_ = settleMs;
    poll_->setInterval(pollMs);
}

bool FileFollower::Polling() const {
    return poll_->isActive();
}

FileFollower::Mark FileFollower::MarkOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return {};
    }
    return {static_cast<long long>(st.st_dev),          static_cast<long long>(st.st_ino),
            static_cast<long long>(st.st_size),         static_cast<long long>(st.st_mtim.tv_sec),
            static_cast<long long>(st.st_mtim.tv_nsec), static_cast<long long>(st.st_ctim.tv_sec),
            static_cast<long long>(st.st_ctim.tv_nsec)};
}

bool FileFollower::WatchAsItIs(const QString& path) {
    const Mark identity = MarkOf(path);
    const auto known = std::find_if(watched_.begin(), watched_.end(),
                                    [&](const auto& w) { return w.first == path; });
    if (known != watched_.end()) {
        if (!identity.empty() &&
            std::equal(identity.begin(), identity.begin() + 2, known->second.begin())) {
            return true;
        }
        watcher_->removePath(path);
        watched_.erase(known);
    }
    if (identity.empty() || !watcher_->addPath(path)) {
        return false;
    }
    watched_.emplace_back(path, identity);
    return true;
}

void FileFollower::Watch() {
    bool blind = false;
    for (const QString& path : paths_) {
        // The folder too: a file replaced by a rename, or deleted and made again, is seen
        // there; a file that is gone is seen coming back there.
        if (!WatchAsItIs(QFileInfo(path).absolutePath())) {
            blind = true;
        }
        if (QFileInfo::exists(path) && !WatchAsItIs(path)) {
            blind = true;
        }
    }
    if (blind && !poll_->isActive()) {
        poll_->start();
    } else if (!blind) {
        poll_->stop();
    }
}

void FileFollower::RunEnded() {
    lastRunEnd_ = clock_();
}

void FileFollower::Noticed() {
    // Read a little after the first notice of a burst: an editor's save is over by then, and
    // a writer that never stops is still read (at most once a second).
    if (!timer_->isActive()) {
        timer_->start(settleMs_);
    }
}

void FileFollower::Check() {
    Watch();
    const qint64 now = clock_();
    if (ranOnce_ && now - lastRunEnd_ < kLeastGapMs) {
        timer_->start(static_cast<int>(kLeastGapMs - (now - lastRunEnd_)));
        return;
    }
    std::vector<Mark> marks;
    for (const QString& path : paths_) {
        marks.push_back(MarkOf(path));
    }
    // Nothing of ours changed (another file of the folder did), or the note file is gone.
    if (marks == marks_ || paths_.isEmpty() || marks.front().empty()) {
        return;
    }
    if (!idle_()) {
        timer_->start(settleMs_);
        return;
    }
    marks_ = marks;
    changed_();
    // The gap counts from the end of the read, so that a file written all the time leaves
    // the window its time between reads, however long a read takes.
    lastRunEnd_ = clock_();
    ranOnce_ = true;
}

}  // namespace lintrel
