#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zarfan {

QString SingleInstance::defaultLockPath()
{
    const QString overridden = qEnvironmentVariable("ZARFAN_LOCK_FILE");
    if (!overridden.isEmpty())
        return overridden;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("zarfan-%1.lock").arg(qEnvironmentVariable("USER", QStringLiteral("user"))));
}

SingleInstance::SingleInstance(const QString &lockPath)
{
    // A pipe there would block the start for ever, a folder would look held:
    // only a regular file (or none) is taken as the lock.
    const QFileInfo existing(lockPath);
    if ((existing.exists() || existing.isSymLink()) && !existing.isFile()) {
        notALock_ = true;
        first_ = true;
        return;
    }
    lock_ = std::make_unique<QLockFile>(lockPath);
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
    if (first_)
        return;
    if (lock_->error() != QLockFile::LockFailedError) {
        // No lock can be made here (an unwritable folder): one copy too many
        // is better than none.
        first_ = true;
        return;
    }
    qint64 pid = 0;
    QString host, app;
    if (lock_->getLockInfo(&pid, &host, &app))
        return; // held by a live copy: a lock of a dead one was taken over above
    // Empty or garbage: no copy can hold it.
    lock_->removeStaleLockFile();
    first_ = lock_->tryLock(0) || lock_->error() != QLockFile::LockFailedError;
}

} // namespace zarfan
