// The running instance's side of the channel of instance_channel.h: listens on the
// instance's socket, answers every request line and hands the paths asked for to the
// program.  A request that is too long, malformed or not complete before the deadline is
// refused and delivers nothing.  Qt Core and Network only.
#pragma once

#include "app/launch/instance_channel.h"

#include <QLocalServer>
#include <QObject>
#include <QStringList>

class QLocalSocket;

namespace tk70 {

class InstanceServer : public QObject {
    Q_OBJECT

public:
    explicit InstanceServer(int requestDeadlineMs = kRequestDeadlineMs, QObject *parent = nullptr);
    ~InstanceServer() override;

    // Listens on socketPath, owner-only, replacing a socket there that nobody listens on
    // (the caller has made sure of that, see InstanceClaim).  False when it cannot;
    // errorString() then says why.
    bool listen(const QString &socketPath);
    QString errorString() const { return m_server.errorString(); }

    // Requests taken before this are held (the program is not ready for them yet); this
    // delivers them in order, and later ones as they come.
    void startDelivering();

signals:
    // A request taken: an absolute path to open, or empty to only come to the front.
    // Emitted from the event loop after the answer has been sent, never from inside
    // listen() or startDelivering().
    void requested(const QString &path);

private:
    void takeConnections();
    void readRequest(QLocalSocket *socket);
    void answer(QLocalSocket *socket, bool taken);
    void deliver(const QString &path);

    QLocalServer m_server;
    int m_deadlineMs;
    bool m_delivering = false;
    QStringList m_held;
};

}  // namespace tk70
