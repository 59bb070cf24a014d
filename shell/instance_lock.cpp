#include "shell/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace cartulo::shell {

namespace {

// Whether the file locked through `fd` is still the one at `path`: a holder
// removes the file before it lets go, so a lock taken on a removed file
// locks nothing.
bool stillThere(int fd, const QByteArray& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

InstanceLock::InstanceLock(const QString& path, int waitMs) : path_(QFile::encodeName(path)) {
    QElapsedTimer waited;
    waited.start();
    while (true) {
        const int fd = ::open(path_.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (stillThere(fd, path_)) {
                fd_ = fd;
                return;
            }
        } else if (errno != EWOULDBLOCK) {
            ::close(fd);
            return;
        }
        ::close(fd);
        if (waited.elapsed() >= waitMs) return;
        QThread::msleep(5);
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ < 0) return;
    ::unlink(path_.constData());
    ::close(fd_);
}

}  // namespace cartulo::shell
