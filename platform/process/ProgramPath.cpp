#include "platform/process/ProgramPath.h"

#include <QFile>

#include <climits>
#include <unistd.h>

namespace vux {

QString programFilePath() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    return QFile::decodeName(QByteArray(buf, static_cast<int>(n)));
}

QString folderOf(const QString& programPath) {
    const qsizetype slash = programPath.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : programPath.left(slash);
}

} // namespace vux
