// The channel between a running TK70 window and a later start with a window, so that a
// tag selection opened from the desktop while TK70 runs goes to that window instead of a
// second program sharing the settings and the serial port.  Qt Core and Network only.
//
// The first windowed start for a settings store listens on a local socket in the user's
// runtime folder, owner-only, named after the store's path (two stores, two instances).  A
// later start connects, sends one request line and reads one answer line:
//
//   request  the absolute path of the tag selection, percent-encoded (so no byte of a file
//            name can end the line), then "\n"; an empty line only asks for the window to
//            come to the front.  At most kMaxRequestBytes bytes, the newline included.
//   answer   "ok\n": taken, the file is opened as a file dropped on the window is; or
//            "refused\n": not an absolute path, too long, or no line before the deadline.
//
// The running side is InstanceServer (instance_server.h); InstanceClaim (instance_claim.h)
// decides which start is the first.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tk70 {

inline constexpr qsizetype kMaxRequestBytes = 16384;
inline constexpr int kRequestDeadlineMs = 5000;
inline const char *const kAnswerTaken = "ok\n";
inline const char *const kAnswerRefused = "refused\n";

// The user's runtime folder (Qt's runtime location: $XDG_RUNTIME_DIR when it is the user's
// own and private, else a private folder Qt makes); empty when there is none.
QString userRuntimeFolder();

// The socket of the instance that uses the settings store at storePath: in runtimeFolder,
// "tk70pro-" and 16 hex digits of the SHA-256 of the store's absolute, cleaned path.
QString instanceSocketPath(const QString &runtimeFolder, const QString &storePath);

// The request line for path (absolute, or empty to only activate).
QByteArray encodeRequest(const QString &path);
// The path a request line asks for (empty: only activate); nothing when the line is no
// request: without its newline, too long, not an absolute path, or with a zero byte.
std::optional<QString> decodeRequest(const QByteArray &line);

enum class HandOver {
    Delivered,   // the running instance took the request
    NoInstance,  // nobody listens: no socket, or a stale one left by an instance that died
    Refused,     // the running instance refused the request
    NoAnswer,    // connected, but no answer before the deadline
};

// Sends the request for path to the instance listening on socketPath and waits for its
// answer until deadlineMs have passed.  Blocking, without an event loop, so it runs before
// the application object exists.
HandOver handOver(const QString &socketPath, const QString &path, int deadlineMs);

}  // namespace tk70
