// Which windowed start of TK70 is the running instance for a settings store: a start
// either hands its request to the instance that listens already, or claims the socket and
// becomes that instance.  A lock file next to the socket keeps two starts at the same
// moment from both becoming the first; a socket nobody listens on (left by an instance
// that died) does not count.  Qt Core and Network only.
#pragma once

#include <QLockFile>
#include <QString>

namespace tk70 {

class InstanceClaim {
public:
    enum class Outcome {
        First,       // nobody listens: this start is the instance; it holds the claim
        HandedOver,  // the running instance took the request; this start ends
        Failed,      // an instance runs but did not take the request; problem() says why
    };

    explicit InstanceClaim(QString socketPath);

    // Hands path (absolute, or empty to only activate) to the running instance, waiting
    // at most deadlineMs for the lock and again for the answer; else claims the socket.
    Outcome handOverOrClaim(const QString &path, int deadlineMs);
    // Why the last handOverOrClaim() failed.
    QString problem() const { return m_problem; }
    // Gives the claim up once this start listens (or has given up listening).
    void release() { m_lock.unlock(); }

private:
    QString m_socketPath;
    QLockFile m_lock;
    QString m_problem;
};

}  // namespace tk70
