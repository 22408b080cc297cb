// The running instance's side of the channel: see instance_server.h.
#include "app/launch/instance_server.h"

#include <QLocalSocket>
#include <QTimer>
#include <utility>

namespace tk70 {

InstanceServer::InstanceServer(int requestDeadlineMs, QObject *parent)
    : QObject(parent), m_deadlineMs(requestDeadlineMs)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceServer::takeConnections);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen(const QString &socketPath)
{
    QLocalServer::removeServer(socketPath);
    return m_server.listen(socketPath);
}

void InstanceServer::startDelivering()
{
    m_delivering = true;
    const QStringList held = std::exchange(m_held, {});
    for (const QString &path : held)
        deliver(path);
}

// Each connection gets its deadline and a read buffer no larger than a request may be.
void InstanceServer::takeConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        socket->setReadBufferSize(kMaxRequestBytes);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(m_deadlineMs, socket, [this, socket] { answer(socket, false); });
        readRequest(socket);
    }
}

void InstanceServer::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() >= kMaxRequestBytes)
            answer(socket, false);
        return;
    }
    const std::optional<QString> path = decodeRequest(socket->readLine(kMaxRequestBytes + 1));
    answer(socket, path.has_value());
    if (!path)
        return;
    if (m_delivering)
        deliver(*path);
    else
        m_held << *path;
}

// One answer per connection; the connection closes once it is written.
void InstanceServer::answer(QLocalSocket *socket, bool taken)
{
    if (socket->state() != QLocalSocket::ConnectedState)
        return;
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    socket->write(taken ? kAnswerTaken : kAnswerRefused);
    socket->disconnectFromServer();
}

// Queued, so the answer is on its way before the program opens the file (which may ask
// the user first).
void InstanceServer::deliver(const QString &path)
{
    QMetaObject::invokeMethod(
        this, [this, path] { emit requested(path); }, Qt::QueuedConnection);
}

}  // namespace tk70
