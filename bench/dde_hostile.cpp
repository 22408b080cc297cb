// The hostile value clients of dde-bench --hostile: see dde_hostile.h.
#include "bench/dde_hostile.h"

#include "platform/dde/dde_client.h"
#include "platform/dde/dde_server.h"

#include <chrono>
#include <memory>
#include <poll.h>
#include <sys/socket.h>

namespace tk70bench {

namespace {

using Client = tk70::dde::DdeClient;
using SteadyClock = std::chrono::steady_clock;

constexpr int kBatchRequests = 20000;

// A client with the topics connected, the answers read.
std::unique_ptr<Client> connected(const QString &path, const QStringList &topics)
{
    auto client = std::make_unique<Client>();
    if (!client->connectTo(path))
        return nullptr;
    for (const QString &topic : topics) {
        client->send({"CONNECT", topic});
        client->waitLine(5000);
    }
    return client;
}

// Whether the server has closed the connection, seen without reading from it.
bool closedByServer(const Client &client)
{
    pollfd entry{client.descriptor(), POLLRDHUP, 0};
    return ::poll(&entry, 1, 0) > 0 && (entry.revents & (POLLHUP | POLLRDHUP));
}

void pause(std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }

}  // namespace

HostileCrowd::HostileCrowd(QString path, QStringList items) : m_path(std::move(path)), m_items(std::move(items)) {}

HostileCrowd::~HostileCrowd() { stop(); }

void HostileCrowd::start()
{
    m_threads.emplace_back(&HostileCrowd::neverReading, this);
    for (int k = 0; k < kBatching; ++k)
        m_threads.emplace_back(&HostileCrowd::batching, this);
    m_threads.emplace_back(&HostileCrowd::ghostLoops, this);
    for (int k = 0; k < kChurning; ++k)
        m_threads.emplace_back(&HostileCrowd::churning, this);
    for (int k = 0; k < kLongLines; ++k)
        m_threads.emplace_back(&HostileCrowd::longLines, this);
    m_threads.emplace_back(&HostileCrowd::probing, this);
}

void HostileCrowd::stop()
{
    m_stop = true;
    for (std::thread &thread : m_threads)
        thread.join();
    m_threads.clear();
}

// Advise loops on every value and quality item; nothing is ever read.
void HostileCrowd::neverReading()
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int k = 0; k < kNeverReading; ++k) {
        clients.push_back(std::make_unique<Client>());
        if (!clients.back()->connectTo(m_path))
            return;
        clients.back()->send({"CONNECT", "Value"});
        clients.back()->send({"CONNECT", "Quality"});
        for (const QString &item : m_items) {
            clients.back()->send({"ADVISE", "Value", item});
            clients.back()->send({"ADVISE", "Quality", item});
        }
    }
    while (!m_stop)
        pause(std::chrono::milliseconds(100));
    for (auto &client : clients)
        m_neverReadingDropped += closedByServer(*client) ? 1 : 0;
}

// Batches of 20,000 requests from one thread, their answers read on this one.
void HostileCrowd::batching()
{
    std::unique_ptr<Client> client = connected(m_path, {"Value"});
    if (!client)
        return;
    QByteArray batch;
    for (int i = 0; i < kBatchRequests; ++i)
        batch += "REQUEST\tValue\t" + m_items[i % m_items.size()].toUtf8() + '\n';
    std::thread writer([&] {
        while (!m_stop && client->sendRaw(batch)) {}
    });
    while (!m_stop) {
        if (auto line = client->waitLine(100); line && line->front() == "DATA")
            ++m_batchAnswers;
    }
    ::shutdown(client->descriptor(), SHUT_RDWR);  // a writer blocked in send returns
    writer.join();
}

// 64 loops on each topic on names that no tag has, the answers read and then nothing.
void HostileCrowd::ghostLoops()
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int k = 0; k < kGhostLoops; ++k) {
        clients.push_back(connected(m_path, {"System", "Value", "Quality"}));
        if (!clients.back())
            return;
        for (const char *topic : {"System", "Value", "Quality"})
            for (int n = 0; n < tk70::dde::DdeServer::kMaxLoopsPerTopic; ++n)
                clients.back()->send({"ADVISE", topic, QStringLiteral("GHOST-%1").arg(n)});
    }
    while (!m_stop) {
        for (auto &client : clients)
            while (client->takeLine()) {}
        pause(std::chrono::milliseconds(50));
    }
}

// Connects, advises every value item and closes at once, over and over.
void HostileCrowd::churning()
{
    while (!m_stop) {
        std::unique_ptr<Client> client = connected(m_path, {"Value"});
        if (!client)
            return;
        for (const QString &item : m_items)
            client->send({"ADVISE", "Value", item});
        ++m_churnRounds;
        client.reset();
        pause(std::chrono::milliseconds(5));
    }
}

// A line four times too long, then waits to be closed.
void HostileCrowd::longLines()
{
    while (!m_stop) {
        Client client;
        if (!client.connectTo(m_path))
            return;
        client.sendRaw(QByteArray(4096, 'A') + '\n');
        while (!client.atEnd() && !m_stop)
            client.waitLine(100);
        pause(std::chrono::milliseconds(50));
    }
}

// A value asked for ten times a second; the slowest answer is kept.
void HostileCrowd::probing()
{
    std::unique_ptr<Client> client = connected(m_path, {"Value"});
    if (!client)
        return;
    while (!m_stop) {
        const auto asked = SteadyClock::now();
        client->send({"REQUEST", "Value", m_items.front()});
        if (!client->waitLine(5000))
            return;
        const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(SteadyClock::now() - asked).count();
        ++m_probes;
        long long worst = m_worstProbeNs;
        while (ns > worst && !m_worstProbeNs.compare_exchange_weak(worst, ns)) {}
        pause(std::chrono::milliseconds(100));
    }
}

}  // namespace tk70bench
