// The server of the DDE layer: one service on a Unix domain socket ("<service>.dde", mode
// 0600, in the owner-only folder of dde_folder.h).  It keeps each client's connected
// topics and advise loops, answers its lines through a DdeHandler, and sends advise data
// when the program posts an advise.  It never blocks on a client: a client line over
// kMaxLineBytes closes that client, clients past kMaxClients are turned away, and a client
// with more than kMaxQueuedBytes unread is dropped.  A client's advise loops end (the
// handler hears adviseStop) when it goes.  Runs on the thread that made it.
#pragma once

#include "dde_folder.h"
#include "dde_handler.h"
#include "dde_protocol.h"

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
    int clientCount() const { return int(m_clients.size()); }

    // Sends the item's current text to every client with an advise loop on it.
    void postAdvise(const QString &topic, const QString &item);
    // Hands the data queued for the clients to the system, waiting at most deadlineMs.
    void flush(int deadlineMs);

private:
    using Loop = std::pair<QString, QString>;
    struct Client {
        QLocalSocket *socket = nullptr;
        QSet<QString> topics;
        std::vector<Loop> loops;
        bool dropped = false;
    };

    void takeConnections();
    void readLines(Client &client);
    void handle(Client &client, const ClientLine &line);
    void handleAdvise(Client &client, const ClientLine &line);
    void handleUnadvise(Client &client, const ClientLine &line);
    void handleWildConnect(Client &client, const ClientLine &line);
    void send(Client &client, const QList<QString> &fields);
    void write(Client &client, const QByteArray &line);
    void drop(Client &client);
    void removeDropped();
    Client *find(QLocalSocket *socket);
    bool serverAlive(const QString &path) const;

    QString m_service;
    DdeHandler &m_handler;
    QLocalServer m_server;
    QString m_path;
    QString m_error;
    std::vector<std::unique_ptr<Client>> m_clients;
};

}  // namespace tk70::dde
