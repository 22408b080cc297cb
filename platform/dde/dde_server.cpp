// The server of the DDE layer: see dde_server.h.
#include "dde_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <algorithm>
#include <sys/stat.h>

namespace tk70::dde {

namespace {

constexpr qint64 kReadBufferBytes = 64 * 1024;

}  // namespace

DdeServer::DdeServer(const QString &service, DdeHandler &handler, QObject *parent)
    : QObject(parent), m_service(service), m_handler(handler)
{
    m_server.setMaxPendingConnections(kMaxClients);
    connect(&m_server, &QLocalServer::newConnection, this, &DdeServer::takeConnections);
}

DdeServer::~DdeServer()
{
    for (auto &client : m_clients)
        client->socket->disconnect(this);
    m_server.close();
}

bool DdeServer::listen(const QString &folder)
{
    if (!prepareSocketFolder(folder, &m_error))
        return false;
    m_path = dde::socketPath(m_service, folder);
    if (serverAlive(m_path)) {
        m_error = QStringLiteral("%1: the service is served by another program").arg(m_path);
        return false;
    }
    QLocalServer::removeServer(m_path);
    if (!m_server.listen(m_path) || ::chmod(QFile::encodeName(m_path).constData(), 0600) != 0) {
        m_error = QStringLiteral("%1: %2").arg(m_path, m_server.errorString());
        m_server.close();
        return false;
    }
    return true;
}

// A socket that accepts a connection belongs to a live server; one that refuses was left
// behind by a server that died.
bool DdeServer::serverAlive(const QString &path) const
{
    if (!QFile::exists(path))
        return false;
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool alive = probe.waitForConnected(1000);
    probe.abort();
    return alive;
}

void DdeServer::takeConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        if (int(m_clients.size()) >= kMaxClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setReadBufferSize(kReadBufferBytes);
        auto client = std::make_unique<Client>();
        client->socket = socket;
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (Client *c = find(socket))
                readLines(*c);
            removeDropped();
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            if (Client *c = find(socket))
                drop(*c);
            removeDropped();
        });
        m_clients.push_back(std::move(client));
    }
}

DdeServer::Client *DdeServer::find(QLocalSocket *socket)
{
    auto it = std::find_if(m_clients.begin(), m_clients.end(), [socket](auto &c) { return c->socket == socket; });
    return it == m_clients.end() || (*it)->dropped ? nullptr : it->get();
}

void DdeServer::readLines(Client &client)
{
    QLocalSocket *socket = client.socket;
    while (!client.dropped && socket->canReadLine()) {
        QByteArray line = socket->readLine();
        line.chop(1);
        if (line.size() > kMaxLineBytes) {
            drop(client);
            return;
        }
        if (auto parsed = parseClientLine(line))
            handle(client, *parsed);
        else
            send(client, {QStringLiteral("NACK")});
    }
    if (!client.dropped && socket->bytesAvailable() > kMaxLineBytes)
        drop(client);
}

void DdeServer::handle(Client &client, const ClientLine &line)
{
    const QString verb = QLatin1String(verbName(line.verb));
    switch (line.verb) {
    case Verb::Connect: {
        const bool accepted = m_handler.topics().contains(line.topic) && m_handler.acceptConnect(line.topic);
        if (accepted)
            client.topics.insert(line.topic);
        send(client, {accepted ? QStringLiteral("ACK") : QStringLiteral("NACK"), verb, line.topic});
        break;
    }
    case Verb::Request: {
        std::optional<QString> text;
        if (client.topics.contains(line.topic) && line.textFormat)
            text = m_handler.request(line.topic, line.item);
        if (text)
            send(client, {QStringLiteral("DATA"), line.topic, line.item, *text});
        else
            send(client, {QStringLiteral("NODATA"), line.topic, line.item});
        break;
    }
    case Verb::Advise: handleAdvise(client, line); break;
    case Verb::Unadvise: handleUnadvise(client, line); break;
    case Verb::WildConnect: handleWildConnect(client, line); break;
    }
}

void DdeServer::handleAdvise(Client &client, const ClientLine &line)
{
    const Loop loop{line.topic, line.item};
    bool ok = client.topics.contains(line.topic) && line.textFormat;
    if (ok && std::find(client.loops.begin(), client.loops.end(), loop) == client.loops.end()) {
        ok = m_handler.adviseStart(line.topic, line.item);
        if (ok)
            client.loops.push_back(loop);
    }
    send(client, {ok ? QStringLiteral("ACK") : QStringLiteral("NACK"), QStringLiteral("ADVISE"), line.topic, line.item});
}

void DdeServer::handleUnadvise(Client &client, const ClientLine &line)
{
    auto it = std::find(client.loops.begin(), client.loops.end(), Loop{line.topic, line.item});
    const bool ok = it != client.loops.end();
    if (ok) {
        client.loops.erase(it);
        m_handler.adviseStop(line.topic, line.item);
    }
    send(client, {ok ? QStringLiteral("ACK") : QStringLiteral("NACK"), QStringLiteral("UNADVISE"), line.topic, line.item});
}

// Every topic of the service that matches (all of them without a topic), each one now
// connected, then END.
void DdeServer::handleWildConnect(Client &client, const ClientLine &line)
{
    for (const QString &topic : m_handler.topics()) {
        if (line.hasTopic && topic != line.topic)
            continue;
        if (!m_handler.acceptConnect(topic))
            continue;
        client.topics.insert(topic);
        send(client, {QStringLiteral("PAIR"), m_service, topic});
    }
    send(client, {QStringLiteral("END")});
}

void DdeServer::send(Client &client, const QList<QString> &fields) { write(client, formatLine(fields)); }

// A client that lets more than kMaxQueuedBytes pile up is not reading: it is dropped.
void DdeServer::write(Client &client, const QByteArray &line)
{
    if (client.dropped)
        return;
    client.socket->write(line);
    if (client.socket->bytesToWrite() > kMaxQueuedBytes)
        drop(client);
}

// Ends the client's advise loops and closes it; the entry goes at the next removeDropped(),
// so that a loop over the clients is never disturbed.
void DdeServer::drop(Client &client)
{
    if (client.dropped)
        return;
    client.dropped = true;
    for (const Loop &loop : std::exchange(client.loops, {}))
        m_handler.adviseStop(loop.first, loop.second);
    client.socket->disconnect(this);
    client.socket->abort();
    client.socket->deleteLater();
}

void DdeServer::removeDropped()
{
    std::erase_if(m_clients, [](const auto &c) { return c->dropped; });
}

void DdeServer::postAdvise(const QString &topic, const QString &item)
{
    const Loop loop{topic, item};
    std::optional<QByteArray> line;
    for (auto &client : m_clients) {
        if (client->dropped || std::find(client->loops.begin(), client->loops.end(), loop) == client->loops.end())
            continue;
        if (!line) {
            std::optional<QString> text = m_handler.request(topic, item);
            if (!text)
                return;
            line = formatLine({QStringLiteral("DATA"), topic, item, *text});
        }
        write(*client, *line);
    }
    removeDropped();
}

void DdeServer::flush(int deadlineMs)
{
    const QDeadlineTimer deadline(deadlineMs);
    for (auto &client : m_clients) {
        QLocalSocket *socket = client->socket;
        while (!client->dropped && socket->bytesToWrite() > 0 && !deadline.hasExpired())
            socket->waitForBytesWritten(int(std::min<qint64>(deadline.remainingTime(), 10)));
    }
}

}  // namespace tk70::dde
