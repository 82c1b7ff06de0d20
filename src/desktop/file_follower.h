// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

class QFileSystemWatcher;
class QTimer;

namespace lintrel {

// Follows files on disk (a note file and its separator file) through the file system's own
// notices, not by polling: when one of them is written in place, replaced by a rename, or
// deleted and made again, `changed` runs once the writing has settled, at most once a second,
// and only while `idle` says that nobody is busy (else later). A file that is gone runs
// nothing until it comes back.
class FileFollower : public QObject {
    Q_OBJECT

  public:
    FileFollower(std::function<bool()> idle, std::function<void()> changed,
                 QObject* parent = nullptr);

    // Follows `paths` from now on, as they are now; an empty list follows nothing.
    void Follow(const QStringList& paths);

    // How long the files must be left alone before they are read, and the least time between
    // two reads.
    static constexpr int kSettleMs = 300;
    static constexpr int kLeastGapMs = 1000;

  private:
    // What tells a file's change: its identity, size and time of change; empty when it is gone.
    using Mark = std::vector<long long>;
    static Mark MarkOf(const QString& path);
    void Noticed();
    void Settled();

    std::function<bool()> idle_;
    std::function<void()> changed_;
    QFileSystemWatcher* watcher_;
    QTimer* timer_;
    QStringList paths_;
    std::vector<Mark> marks_;
    qint64 lastRun_ = -kLeastGapMs;
};

}  // namespace lintrel
