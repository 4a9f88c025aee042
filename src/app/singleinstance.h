#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace zarfan {

// One running copy per user: a lock file held for the whole run. A lock
// left by a crashed copy is stale and taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    bool isFirst() const { return first_; }
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};

} // namespace zarfan
