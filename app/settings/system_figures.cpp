// The figures of the About box: see system_figures.h.
#include "app/settings/system_figures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/sysmacros.h>

namespace tk70 {

namespace {

// mountinfo writes blanks, tabs, newlines and backslashes in paths as \ooo.
QString unescapeMountPath(const QByteArray &field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QByteArray code = field.mid(i + 1, 3);
        bool ok = false;
        const int value = code.toInt(&ok, 8);
        if (field[i] == '\\' && code.size() == 3 && ok) {
            out.append(static_cast<char>(value));
            i += 3;
        } else {
            out.append(field[i]);
        }
    }
    return QString::fromUtf8(out);
}

bool folderContains(const QString &mountPoint, const QString &path)
{
    if (mountPoint == QLatin1String("/") || mountPoint == path)
        return true;
    return path.startsWith(mountPoint + QLatin1Char('/'));
}

// The mount point by walking up from folder while the device stays the same.
QString mountPointByWalking(const QString &folder, dev_t device)
{
    QString current = folder;
    for (;;) {
        QString parent = QFileInfo(current).dir().absolutePath();
        struct stat info {};
        if (parent == current || ::stat(QFile::encodeName(parent).constData(), &info) != 0 || info.st_dev != device)
            return current;
        current = parent;
    }
}

}  // namespace

QString versionText(double version, const QString &suffix)
{
    const QByteArray tail = suffix.toUtf8();
    if (version >= 10.0)
        return QString::asprintf("Version %5.2f%s", version, tail.constData());
    return QString::asprintf("Version %4.2f%s", version, tail.constData());
}

QString programVersionText() { return versionText(kProgramVersion, QString::fromUtf8(kProgramVersionSuffix)); }

QString memoryText(unsigned long kilobytes) { return QString::asprintf("%lu KB", kilobytes); }

std::optional<unsigned long> parseMemTotalKb(const QByteArray &meminfo)
{
    for (const QByteArray &line : meminfo.split('\n')) {
        if (!line.startsWith("MemTotal:"))
            continue;
        QList<QByteArray> parts = line.mid(9).simplified().split(' ');
        bool ok = false;
        unsigned long value = parts.value(0).toULong(&ok);
        if (ok && (parts.size() < 2 || parts[1] == "kB"))
            return value;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<unsigned long> totalPhysicalMemoryKb()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (file.open(QIODevice::ReadOnly)) {
        if (auto kb = parseMemTotalKb(file.readAll()))
            return kb;
    }
    struct sysinfo info {};
    if (::sysinfo(&info) != 0)
        return std::nullopt;
    return static_cast<unsigned long>(static_cast<unsigned long long>(info.totalram) * info.mem_unit / 1024u);
}

QString diskSpaceText(const std::optional<DiskSpace> &space)
{
    if (!space)
        return QStringLiteral("Unavailable");
    const QByteArray where = space->mountPoint.toUtf8();
    return QString::asprintf("%lu MB on %s", space->freeMb, where.constData());
}

QString mountPointFromMountInfo(const QByteArray &mountinfo, unsigned major, unsigned minor, const QString &path)
{
    const QByteArray device = QByteArray::number(major) + ':' + QByteArray::number(minor);
    QString best;
    for (const QByteArray &line : mountinfo.split('\n')) {
        // mount id, parent id, major:minor, root, mount point, ...
        QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5 || fields[2] != device)
            continue;
        QString mountPoint = unescapeMountPath(fields[4]);
        if (folderContains(mountPoint, path) && mountPoint.size() > best.size())
            best = mountPoint;
    }
    return best;
}

std::optional<DiskSpace> freeDiskSpace(const QString &folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    const QByteArray native = QFile::encodeName(path);
    struct statvfs fs {};
    struct stat info {};
    if (path.isEmpty() || ::statvfs(native.constData(), &fs) != 0 || ::stat(native.constData(), &info) != 0)
        return std::nullopt;
    DiskSpace space;
    space.freeMb = static_cast<unsigned long>(static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize / 1048576u);
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (mounts.open(QIODevice::ReadOnly))
        space.mountPoint = mountPointFromMountInfo(mounts.readAll(), ::major(info.st_dev), ::minor(info.st_dev), path);
    if (space.mountPoint.isEmpty())
        space.mountPoint = mountPointByWalking(path, info.st_dev);
    return space;
}

}  // namespace tk70
