// The figures of the About box, without widgets: the version text, the total physical
// memory and the free disk space with the mount point it was measured on.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tk70 {

// The program's version number and its suffix.
inline constexpr double kProgramVersion = 1.02;
inline const char *const kProgramVersionSuffix = "";

// "Version %4.2f%s", or "Version %5.2f%s" from version 10 on.
QString versionText(double version, const QString &suffix);
// The version text of this program.
QString programVersionText();

// "%lu KB".
QString memoryText(unsigned long kilobytes);
// The "MemTotal:" line of /proc/meminfo in kilobytes; nothing when the text has none.
std::optional<unsigned long> parseMemTotalKb(const QByteArray &meminfo);
// The total physical memory in kilobytes: /proc/meminfo, else sysinfo(); nothing when
// neither can be read.
std::optional<unsigned long> totalPhysicalMemoryKb();

struct DiskSpace {
    unsigned long freeMb = 0;  // megabytes free to an ordinary user
    QString mountPoint;        // where the file system holding the folder is mounted
};

// "%lu MB on %s", or "Unavailable" without a figure.
QString diskSpaceText(const std::optional<DiskSpace> &space);
// The mount point, in /proc/self/mountinfo text, of the file system with the device
// major:minor that holds path (an absolute, canonical folder): the longest mount point of
// that device which contains path.  Empty when there is none.
QString mountPointFromMountInfo(const QByteArray &mountinfo, unsigned major, unsigned minor, const QString &path);
// The free space on the file system holding folder; nothing when it cannot be read.
std::optional<DiskSpace> freeDiskSpace(const QString &folder);

}  // namespace tk70
