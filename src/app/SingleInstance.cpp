#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

QString SingleInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("kalvuner.lock"));
}

SingleInstance::SingleInstance(const QString &lockPath) : m_path(lockPath), m_lock(std::make_unique<QLockFile>(lockPath))
{
    // A running copy keeps its lock however long it runs; only a lock whose process is gone
    // (or whose id now belongs to another program) counts as stale.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}
