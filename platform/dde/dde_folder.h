// Where the DDE layer's sockets live: TK70_DDE_DIR when set, else "tk70pro" in
// $XDG_RUNTIME_DIR, else /tmp/tk70pro-<uid>.  The folder is made with mode 0700 and
// refused when it is not a real folder owned by the user or is open to others, so that
// nobody else can put a socket in place of the server's.
#pragma once

#include <QString>

namespace tk70::dde {

inline const char *const kSocketSuffix = ".dde";

// The folder by the rules above, not checked.
QString socketFolder();
// Makes the folder when missing and checks it; false with the reason in *why otherwise.
bool prepareSocketFolder(const QString &folder, QString *why);
// The socket of a service in the folder: "<service>.dde".
QString socketPath(const QString &service, const QString &folder = socketFolder());

}  // namespace tk70::dde
