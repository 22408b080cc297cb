// The server of the DDE layer: one service on a Unix domain socket ("<service>.dde", mode
// 0600, in the owner-only folder of dde_folder.h).  It keeps each client's connected
// topics and advise loops, answers its lines through a DdeHandler, and sends advise data
// when the program posts an advise.  Runs on the thread that made it.
//
// An advise loop belongs to the client that opened it and names its item: it lasts until
// that client ends it or goes, whether or not the item exists now, so a loop opened before
// the item exists delivers once it does.  A posted advise reaches the clients with a loop
// on that item only, at a cost that does not grow with other clients' loops.
//
// It never blocks on a client and no client can grow its memory without bound: a client
// line over kMaxLineBytes closes that client; clients past kMaxClients are turned away; a
// client holds at most kMaxLoopsPerTopic loops per topic; a client's lines are answered
// kLinesPerTurn at a time, each turn after the other clients' turns, so a client that
// sends thousands of requests at once delays the others by one turn only; while more than
// kPauseBytes of answers wait for a client, its further requests wait (in the socket)
// until it has read them down to kResumeBytes; a client that lets more than
// kMaxQueuedBytes of advise data pile up is dropped.
//
// Qt may emit a socket's signals inside any call on it (a close heard inside a wait for
// bytes written): a client that goes is only marked, and the list of clients changes only
// when the outermost call into the server returns.
#pragma once

#include "platform/dde/dde_folder.h"
#include "platform/dde/dde_handler.h"
#include "platform/dde/dde_protocol.h"

#include <QHash>
#include <QLocalServer>
#include <QObject>
#include <QSet>
#include <memory>
#include <utility>
#include <vector>

class QLocalSocket;

namespace tk70::dde {

class DdeServer : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxClients = 64;
    static constexpr int kMaxLoopsPerTopic = 64;
    static constexpr int kLinesPerTurn = 128;
    static constexpr qint64 kPauseBytes = qint64(256) << 10;
    static constexpr qint64 kResumeBytes = qint64(64) << 10;
    static constexpr qint64 kMaxQueuedBytes = qint64(1) << 20;

    DdeServer(const QString &service, DdeHandler &handler, QObject *parent = nullptr);
    ~DdeServer() override;

    // Listens in folder; false, with the reason in errorText(), when the folder is refused
    // or another live server already serves this service.  A socket left by a server that
    // died is replaced.
    bool listen(const QString &folder = socketFolder());
    QString errorText() const { return m_error; }
    QString service() const { return m_service; }
    QString socketPath() const { return m_path; }
    int clientCount() const;
    // The clients with an advise loop on the item.
    int adviseLoops(const QString &topic, const QString &item) const;

    // Sends the item's current text to every client with an advise loop on it; the
    // handler is asked for the text only when there is one.
    void postAdvise(const QString &topic, const QString &item);
    // Hands the data queued for the clients to the system, waiting at most deadlineMs in
    // all, whatever the clients do meanwhile.
    void flush(int deadlineMs);

private:
    using Loop = std::pair<QString, QString>;
    struct Client {
        QLocalSocket *socket = nullptr;
        QSet<QString> topics;
        QHash<QString, QSet<QString>> loops;  // the items of its loops, by topic
        bool paused = false;                  // its requests wait until it has read its answers
        bool turnDue = false;                 // lines are left for its next turn
        bool dropped = false;
    };
    class Call;

    void takeConnections();
    void addClient(QLocalSocket *socket);
    void readLines(Client &client);
    void takeTurnLater(Client &client);
    void resumeIfRead(Client &client);
    void handle(Client &client, const ClientLine &line);
    void handleAdvise(Client &client, const ClientLine &line);
    void handleUnadvise(Client &client, const ClientLine &line);
    void handleWildConnect(Client &client, const ClientLine &line);
    bool mayAdvise(const Client &client, const ClientLine &line) const;
    static bool holds(const Client &client, const Loop &loop);
    void removeLoop(Client &client, const Loop &loop);
    void unsubscribe(Client &client, const Loop &loop);
    void send(Client &client, const QList<QString> &fields);
    void write(Client &client, const QByteArray &line);
    void drop(Client &client);
    void removeDropped();
    std::vector<Client *> liveClients() const;
    Client *find(QLocalSocket *socket);
    bool serverAlive(const QString &path) const;

    QString m_service;
    DdeHandler &m_handler;
    QLocalServer m_server;
    QString m_path;
    QString m_error;
    std::vector<std::unique_ptr<Client>> m_clients;
    QHash<Loop, std::vector<Client *>> m_subscribers;  // every loop of every live client
    int m_callDepth = 0;
};

}  // namespace tk70::dde
