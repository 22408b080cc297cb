// The serial devices present on this machine: see serial_devices.h.
#include "driverclient/serial_devices.h"

#include <QDir>
#include <algorithm>

namespace tk70 {

namespace {

struct DeviceKind {
    const char *folder;  // below root
    const char *pattern;
    bool numbered;  // names that end in a number
};

const DeviceKind kKinds[] = {
    {"dev", "ttyS*", true},
    {"dev", "ttyUSB*", true},
    {"dev", "ttyACM*", true},
    {"dev/serial/by-id", "*", false},
};

// Shorter names first, so that the numbers of one kind sort as numbers.
bool numberedBefore(const QString &a, const QString &b) { return a.size() != b.size() ? a.size() < b.size() : a < b; }

QStringList devicesOfKind(const QString &root, const DeviceKind &kind)
{
    const QDir folder(root + QLatin1Char('/') + QLatin1String(kind.folder));
    QStringList names = folder.entryList({QString::fromLatin1(kind.pattern)},
                                         QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (kind.numbered)
        std::sort(names.begin(), names.end(), numberedBefore);
    QStringList paths;
    for (const QString &name : names)
        paths << QLatin1Char('/') + QLatin1String(kind.folder) + QLatin1Char('/') + name;
    return paths;
}

}  // namespace

QStringList serialDevices(const QString &root)
{
    QStringList devices;
    for (const DeviceKind &kind : kKinds)
        devices += devicesOfKind(root, kind);
    return devices;
}

QString defaultPortDevice(int port) { return QStringLiteral("/dev/ttyS%1").arg(port - 1); }

}  // namespace tk70
