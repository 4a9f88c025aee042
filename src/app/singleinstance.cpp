#include "singleinstance.h"

#include <QDir>
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

SingleInstance::SingleInstance(const QString &lockPath) : lock_(std::make_unique<QLockFile>(lockPath))
{
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

} // namespace zarfan
