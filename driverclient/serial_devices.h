// The serial devices present on this machine, offered for the COM ports in the advanced
// settings dialog: /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* and the stable names under
// /dev/serial/by-id.  No widgets.
#pragma once

#include <QString>
#include <QStringList>

namespace tk70 {

// The devices below root (the file system's root in the program, a folder of test files
// in the tests), named as seen from root: "/dev/ttyUSB0".  Each kind in the order above;
// numbered names by their number (ttyS2 before ttyS10).
QStringList serialDevices(const QString &root = QStringLiteral("/"));

// The device the driver uses for a port when none is named: /dev/ttyS<port-1>.
QString defaultPortDevice(int port);

}  // namespace tk70
