#include "platform/process/InstanceLock.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vux {

QString userRuntimeFolder() {
    const QByteArray xdg = qgetenv("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QDir(QString::fromLocal8Bit(xdg)).exists())
        return QString::fromLocal8Bit(xdg);
    const QString folder = QDir::tempPath() + QStringLiteral("/vux-gmouse-%1").arg(getuid());
    const QByteArray native = QFile::encodeName(folder);
    ::mkdir(native.constData(), 0700);
    struct stat st {};
    // Only a folder that is ours and closed to others is trusted.
    if (::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
        (st.st_mode & 077) == 0)
        return folder;
    return QDir::homePath();
}

InstanceLock::InstanceLock(const QString& folder, const QString& name) {
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name + ".lock");
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace vux
