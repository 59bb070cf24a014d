// The lock that makes one start at a time ask for a running instance and
// begin to serve. An advisory lock on a small file: the system drops it when
// its holder dies, so no stale lock can stop a start, and nothing is written
// that would have to reach the disk first.
#pragma once

#include <QString>

namespace cartulo::shell {

class InstanceLock {
  public:
    // Waits up to `waitMs` for the lock; without it (a folder that cannot
    // be written to, a holder that hangs) the start goes on unlocked.
    InstanceLock(const QString& path, int waitMs);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool Held() const { return fd_ >= 0; }

  private:
    QByteArray path_;
    int fd_ = -1;
};

}  // namespace cartulo::shell
