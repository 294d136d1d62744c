#pragma once
// The one-copy check: a lock file in the user's runtime folder, held while the program runs.
// A lock left behind by a copy that was killed is recognised by its dead process id and taken
// over, so a crash never blocks the next start.

#include <QLockFile>
#include <QString>
#include <memory>

class SingleInstance
{
public:
    // The lock file of the signed-in user: in the runtime folder, or the temporary folder
    // when the platform has none.
    static QString defaultLockPath();

    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    // True when this is the only running copy; the lock is then held until destruction.
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
