#pragma once
// One running instance per user. The lock is an flock on a file in the user's
// runtime folder: the kernel drops it on any exit, so a crash never leaves a
// stale lock behind.

#include <QString>

namespace vux {

// The user's private runtime folder: $XDG_RUNTIME_DIR, else a 0700 folder of
// our own under the temporary folder.
QString userRuntimeFolder();

class InstanceLock {
public:
    // Tries to take the lock named name in folder; held() says whether it was taken.
    InstanceLock(const QString& folder, const QString& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace vux
