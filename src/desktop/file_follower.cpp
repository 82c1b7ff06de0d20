// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/file_follower.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <sys/stat.h>
#include <algorithm>

namespace lintrel {

FileFollower::FileFollower(std::function<bool()> idle, std::function<void()> changed,
                           QObject* parent)
    : QObject(parent),
      idle_(std::move(idle)),
      changed_(std::move(changed)),
      watcher_(new QFileSystemWatcher(this)),
      timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &FileFollower::Settled);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::Noticed);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FileFollower::Noticed);
}

void FileFollower::Follow(const QStringList& paths) {
    if (!watcher_->files().isEmpty()) {
        watcher_->removePaths(watcher_->files());
    }
    if (!watcher_->directories().isEmpty()) {
        watcher_->removePaths(watcher_->directories());
    }
    timer_->stop();
    paths_ = paths;
    marks_.clear();
    for (const QString& path : paths_) {
        marks_.push_back(MarkOf(path));
        // The folder too: a file replaced by a rename, or deleted and made again, is seen
        // there, and the watch on the file itself is then taken up anew.
        watcher_->addPath(QFileInfo(path).absolutePath());
        if (QFileInfo::exists(path)) {
            watcher_->addPath(path);
        }
    }
}

FileFollower::Mark FileFollower::MarkOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return {};
    }
    return {static_cast<long long>(st.st_dev), static_cast<long long>(st.st_ino),
            static_cast<long long>(st.st_size), static_cast<long long>(st.st_mtim.tv_sec),
            static_cast<long long>(st.st_mtim.tv_nsec)};
}

void FileFollower::Noticed() {
    // Read a little after the first notice of a burst: an editor's save is over by then, and
    // a writer that never stops is still read (at most once a second).
    if (!timer_->isActive()) {
        timer_->start(kSettleMs);
    }
}

void FileFollower::Settled() {
    for (const QString& path : paths_) {
        if (QFileInfo::exists(path) && !watcher_->files().contains(path)) {
            watcher_->addPath(path);
        }
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastRun_ < kLeastGapMs) {
        timer_->start(static_cast<int>(kLeastGapMs - (now - lastRun_)));
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
        timer_->start(kSettleMs);
        return;
    }
    marks_ = marks;
    lastRun_ = now;
    changed_();
}

}  // namespace lintrel
