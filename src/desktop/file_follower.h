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
// notices: when one of them is written in place, replaced by a rename, deleted and made again,
// or its folder is, `changed` runs once the writing has settled, at most once a second counted
// from the end of the last run, and only while `idle` says that nobody is busy (else later).
// Where the file system gives no notices (a folder that is gone, watches used up), it looks
// every few seconds instead. A file that is gone runs nothing until it comes back.
class FileFollower : public QObject {
    Q_OBJECT

  public:
    // Milliseconds on a clock that never goes back.
    using Clock = std::function<qint64()>;

    FileFollower(std::function<bool()> idle, std::function<void()> changed,
                 QObject* parent = nullptr);

    // Follows `paths` from now on, as they are now (the same paths again: as they were when
    // their last read began); an empty list follows nothing.
    void Follow(const QStringList& paths);
    // Looks at the files now: what the follower's timers run; tests call it to look at once.
    void Check();
    // Tells that a run that `changed` started (a read on a worker) has ended: the least gap to
    // the next run counts from now.
    void RunEnded();
    // The clock times are read from (the system's monotonic clock unless set), and how long
    // it waits after a notice and between looks without notices: tests set their own.
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    void SetIntervals(int settleMs, int pollMs);
    // Whether it looks by itself every few seconds, having no notices to wait for.
    bool Polling() const;

    // How long the files must be left alone before they are read, the least time between the
    // end of one read and the next, and how often it looks without notices.
    static constexpr int kSettleMs = 300;
    static constexpr int kLeastGapMs = 1000;
    static constexpr int kPollMs = 2000;

  private:
    // What tells a file's change: its identity, size, time of change and time of its last
    // change of state (a chmod); empty when it is gone.
    using Mark = std::vector<long long>;
    static Mark MarkOf(const QString& path);
    void Noticed();
    // Watches the followed files and their folders as they are now, and polls where it cannot.
    void Watch();
    // Watches `path` as the file or folder it now is (another one under the same name, made
    // again or renamed there, is watched instead); false when it cannot be.
    bool WatchAsItIs(const QString& path);

    std::function<bool()> idle_;
    std::function<void()> changed_;
    Clock clock_;
    QFileSystemWatcher* watcher_;
    QTimer* timer_;
    QTimer* poll_;
    int settleMs_ = kSettleMs;
    QStringList paths_;
    std::vector<Mark> marks_;
    // What is watched, by path, with the mark it had then.
    std::vector<std::pair<QString, Mark>> watched_;
    qint64 lastRunEnd_ = 0;
    bool ranOnce_ = false;
};

}  // namespace lintrel
