#include "desktop/shell/projects/CSyncLockWait.h"

#include <QFileInfo>

CSyncLockWait::CSyncLockWait(const QString& lockPath, QObject* parent)
    : QObject(parent), m_strLockPath(lockPath)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CSyncLockWait::Recheck);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CSyncLockWait::Recheck);
    connect(&m_timer, &QTimer::timeout, this, &CSyncLockWait::Recheck);
    m_timer.setInterval(RecheckMs);
}

CSyncLockWait::~CSyncLockWait() { Stop(); }

bool CSyncLockWait::IsLocked() const { return QFileInfo::exists(m_strLockPath); }

void CSyncLockWait::Start()
{
    if (m_bWatching)
        return;
    m_bWatching = true;
    // The folder too: a file that is deleted and made again is no longer
    // watched by its own entry, and its removal may be reported only there.
    m_watcher.addPath(m_strLockPath);
    m_watcher.addPath(QFileInfo(m_strLockPath).absolutePath());
    m_timer.start();
    // Checked once from the event loop, so a lock gone already ends the
    // wait the same way a lock that goes later does.
    QTimer::singleShot(0, this, &CSyncLockWait::Recheck);
}

void CSyncLockWait::Stop()
{
    if (!m_bWatching)
        return;
    m_bWatching = false;
    m_timer.stop();
    const QStringList paths = m_watcher.files() + m_watcher.directories();
    if (!paths.isEmpty())
        m_watcher.removePaths(paths);
}

void CSyncLockWait::Recheck()
{
    if (!m_bWatching || IsLocked())
        return;
    Stop();
    emit Released();
}
