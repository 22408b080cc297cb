// The server of the DDE layer: see dde_server.h.
#include "platform/dde/dde_server.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <algorithm>
#include <sys/stat.h>

namespace tk70::dde {

namespace {

constexpr qint64 kReadBufferBytes = 64 * 1024;

}  // namespace

// Every entry into the server (a public call or a socket's signal) is one Call.  A client
// that goes inside it is only marked; the marked clients are removed when the outermost
// Call ends, so that no loop over the clients or their pointers is ever invalidated by
// what a socket's signal does inside a call the server made.
class DdeServer::Call {
public:
    explicit Call(DdeServer &server) : m_server(server) { ++m_server.m_callDepth; }
    ~Call()
    {
        if (--m_server.m_callDepth == 0)
            m_server.removeDropped();
    }
    Call(const Call &) = delete;
    Call &operator=(const Call &) = delete;

private:
    DdeServer &m_server;
};

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

int DdeServer::clientCount() const
{
    return int(std::count_if(m_clients.begin(), m_clients.end(), [](const auto &c) { return !c->dropped; }));
}

int DdeServer::adviseLoops(const QString &topic, const QString &item) const
{
    const auto it = m_subscribers.constFind(Loop{topic, item});
    return it == m_subscribers.constEnd() ? 0 : int(it->size());
}

void DdeServer::takeConnections()
{
    Call call(*this);
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        if (clientCount() >= kMaxClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        addClient(socket);
    }
}

void DdeServer::addClient(QLocalSocket *socket)
{
    socket->setReadBufferSize(kReadBufferBytes);
    auto client = std::make_unique<Client>();
    client->socket = socket;
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        Call call(*this);
        if (Client *c = find(socket))
            readLines(*c);
    });
    connect(socket, &QLocalSocket::bytesWritten, this, [this, socket] {
        Call call(*this);
        if (Client *c = find(socket))
            resumeIfRead(*c);
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        Call call(*this);
        if (Client *c = find(socket))
            drop(*c);
    });
    m_clients.push_back(std::move(client));
}

DdeServer::Client *DdeServer::find(QLocalSocket *socket)
{
    auto it = std::find_if(m_clients.begin(), m_clients.end(), [socket](auto &c) { return c->socket == socket; });
    return it == m_clients.end() || (*it)->dropped ? nullptr : it->get();
}

std::vector<DdeServer::Client *> DdeServer::liveClients() const
{
    std::vector<Client *> live;
    for (const auto &client : m_clients)
        if (!client->dropped)
            live.push_back(client.get());
    return live;
}

// Answers the client's whole lines until none is left, kLinesPerTurn of them in this turn,
// or until more than kPauseBytes of answers wait for it: the rest wait in the socket
// (which then stops taking more from the client) until it has read its answers.  A
// partial line past kMaxLineBytes closes it.
void DdeServer::readLines(Client &client)
{
    QLocalSocket *socket = client.socket;
    for (int handled = 0; !client.dropped && socket->canReadLine(); ++handled) {
        if (socket->bytesToWrite() > kPauseBytes) {
            client.paused = true;
            return;
        }
        if (handled == kLinesPerTurn) {
            takeTurnLater(client);
            return;
        }
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

// The client's next turn comes after what the event loop has waiting (the other clients'
// lines among it).  The socket may be gone by then.
void DdeServer::takeTurnLater(Client &client)
{
    if (client.turnDue)
        return;
    client.turnDue = true;
    QMetaObject::invokeMethod(
        this,
        [this, socket = QPointer<QLocalSocket>(client.socket)] {
            Call call(*this);
            if (Client *c = socket ? find(socket) : nullptr) {
                c->turnDue = false;
                readLines(*c);
            }
        },
        Qt::QueuedConnection);
}

void DdeServer::resumeIfRead(Client &client)
{
    if (!client.paused || client.socket->bytesToWrite() > kResumeBytes)
        return;
    client.paused = false;
    readLines(client);
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

// A loop the client holds already is acknowledged again; a new one needs a connected
// topic, room among the client's loops of that topic and the handler's consent.
void DdeServer::handleAdvise(Client &client, const ClientLine &line)
{
    const Loop loop{line.topic, line.item};
    bool ok = line.textFormat && holds(client, loop);
    if (!ok && mayAdvise(client, line) && m_handler.adviseStart(line.topic, line.item)) {
        client.loops[line.topic].insert(line.item);
        m_subscribers[loop].push_back(&client);
        ok = true;
    }
    send(client,
         {ok ? QStringLiteral("ACK") : QStringLiteral("NACK"), QStringLiteral("ADVISE"), line.topic, line.item});
}

bool DdeServer::mayAdvise(const Client &client, const ClientLine &line) const
{
    const auto items = client.loops.constFind(line.topic);
    const qsizetype held = items == client.loops.constEnd() ? 0 : items->size();
    return line.textFormat && client.topics.contains(line.topic) && held < kMaxLoopsPerTopic;
}

bool DdeServer::holds(const Client &client, const Loop &loop)
{
    const auto items = client.loops.constFind(loop.first);
    return items != client.loops.constEnd() && items->contains(loop.second);
}

void DdeServer::handleUnadvise(Client &client, const ClientLine &line)
{
    const Loop loop{line.topic, line.item};
    const bool ok = line.textFormat && holds(client, loop);
    if (ok)
        removeLoop(client, loop);
    send(client,
         {ok ? QStringLiteral("ACK") : QStringLiteral("NACK"), QStringLiteral("UNADVISE"), line.topic, line.item});
}

void DdeServer::removeLoop(Client &client, const Loop &loop)
{
    auto items = client.loops.find(loop.first);
    if (items != client.loops.end() && items->remove(loop.second) && items->isEmpty())
        client.loops.erase(items);
    unsubscribe(client, loop);
}

// Takes the client out of the loop's subscribers.
void DdeServer::unsubscribe(Client &client, const Loop &loop)
{
    auto it = m_subscribers.find(loop);
    if (it == m_subscribers.end())
        return;
    std::erase(*it, &client);
    if (it->empty())
        m_subscribers.erase(it);
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

// Ends the client's advise loops and closes it; the entry goes when the outermost call
// into the server returns.
void DdeServer::drop(Client &client)
{
    if (client.dropped)
        return;
    client.dropped = true;
    const auto loops = std::exchange(client.loops, {});
    for (auto topic = loops.cbegin(); topic != loops.cend(); ++topic)
        for (const QString &item : *topic)
            unsubscribe(client, Loop{topic.key(), item});
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
    Call call(*this);
    const auto it = m_subscribers.constFind(Loop{topic, item});
    if (it == m_subscribers.constEnd())
        return;
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): a write may drop a client, and change the list
    const std::vector<Client *> clients = *it;
    const std::optional<QString> text = m_handler.request(topic, item);
    if (!text)
        return;
    const QByteArray line = formatLine({QStringLiteral("DATA"), topic, item, *text});
    for (Client *client : clients)
        write(*client, line);
}

// A client may close, read or send inside the wait for its bytes; the clients are taken
// first, and each is looked at again after every wait.
void DdeServer::flush(int deadlineMs)
{
    Call call(*this);
    const QDeadlineTimer deadline(deadlineMs);
    for (Client *client : liveClients()) {
        while (!client->dropped && client->socket->bytesToWrite() > 0 && !deadline.hasExpired())
            client->socket->waitForBytesWritten(int(std::clamp<qint64>(deadline.remainingTime(), 1, 10)));
    }
}

}  // namespace tk70::dde
