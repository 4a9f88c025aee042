#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace zarfan {

// One running copy per user: a lock file held for the whole run. Only a lock
// held by a live copy of this program refuses a start: one left by a crashed
// copy, or one that cannot be read, is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    bool isFirst() const { return first_; }
    // Something other than a file stands at the lock path; no lock is held.
    bool notALock() const { return notALock_; }
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
    bool notALock_ = false;
};

} // namespace zarfan
