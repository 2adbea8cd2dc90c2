#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Waits for the synchronisation lock db/sync.lck to go. Another program
// holds it while it writes the database; the file's disappearance is
// noticed by a file-system watch on the file and its folder, with a slow
// timer as a back-up for file systems that don't report changes. Nothing
// polls in a loop.
//
// CSincronizzazioneDlg runs one; a test may drive it directly:
//   CSyncLockWait wait(lockPath);
//   connect(&wait, &CSyncLockWait::Released, ...); wait.Start();
class CSyncLockWait : public QObject
{
    Q_OBJECT
public:
    explicit CSyncLockWait(const QString& lockPath, QObject* parent = nullptr);
    ~CSyncLockWait() override;

    bool IsLocked() const;
    // Starts watching; Released comes (once, from the event loop) when the
    // lock is gone, at once when it is already gone.
    void Start();
    // Stops watching; no Released comes after it.
    void Stop();
    bool IsWatching() const { return m_bWatching; }

    // The back-up timer's period.
    static constexpr int RecheckMs = 1000;

signals:
    void Released();

private:
    void Recheck();

    QString m_strLockPath;
    QFileSystemWatcher m_watcher;
    QTimer m_timer;
    bool m_bWatching = false;
};
