// Where the DDE layer's sockets live: see dde_folder.h.
#include "platform/dde/dde_folder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tk70::dde {

QString socketFolder()
{
    const QString own = qEnvironmentVariable("TK70_DDE_DIR");
    if (!own.isEmpty())
        return own;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(QStringLiteral("tk70pro"));
    return QStringLiteral("/tmp/tk70pro-%1").arg(getuid());
}

bool prepareSocketFolder(const QString &folder, QString *why)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        *why = QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        *why = QStringLiteral("%1: not a folder").arg(folder);
        return false;
    }
    if (info.st_uid != getuid() || (info.st_mode & 077) != 0) {
        *why = QStringLiteral("%1: not owned by this user or open to others").arg(folder);
        return false;
    }
    return true;
}

QString socketPath(const QString &service, const QString &folder)
{
    return QDir(folder).filePath(service + QLatin1String(kSocketSuffix));
}

}  // namespace tk70::dde
