// The DDE layer through real sockets: the line protocol, the folder and socket modes, a
// second server of one service, the protocol's refusals, advise loops that end with their
// client, and the bounds that keep one client from disturbing the others.
#include "platform/dde/dde_client.h"
#include "platform/dde/dde_protocol.h"
#include "platform/dde/dde_server.h"
#include "tests/support/dde_lines.h"
#include "tests/support/modal_helper.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace tk70::dde;
using Fields = QList<QString>;
using tk70test::askLine;
using tk70test::nextLine;

namespace {

TEST(DdeProtocol, ClientLinesAreReadOrRefused)
{
    struct Case {
        QByteArray line;
        bool ok;
        Verb verb;
        QString topic, item;
        bool textFormat;
    };
    const Case cases[] = {
        {"CONNECT\tValue", true, Verb::Connect, "Value", "", true},
        {"REQUEST\tValue\tFIC\\t1\\\\2\\n", true, Verb::Request, "Value", "FIC\t1\\2\n", true},
        {"ADVISE\tQuality\tX\tCF_TEXT", true, Verb::Advise, "Quality", "X", true},
        {"ADVISE\tQuality\tX\tCF_BITMAP", true, Verb::Advise, "Quality", "X", false},
        {"UNADVISE\tValue\tX", true, Verb::Unadvise, "Value", "X", true},
        {"WILDCONNECT", true, Verb::WildConnect, "", "", true},
        {"CONNECT", false, {}, {}, {}, {}},
        {"UNADVISE\tValue\tX\tCF_TEXT", true, Verb::Unadvise, "Value", "X", true},
        {"UNADVISE\tValue\tX\tCF_TEXT\tmore", false, {}, {}, {}, {}},
        {"REQUEST\tValue\tbad\\x", false, {}, {}, {}, {}},
        {"REQUEST\tValue\ttrailing\\", false, {}, {}, {}, {}},
        {"POKE\tValue\tX", false, {}, {}, {}, {}},
        {"CONNECT\t\xff", false, {}, {}, {}, {}},
        {"CONNECT\t" + QByteArray(1100, 'a'), false, {}, {}, {}, {}},
    };
    for (const Case &c : cases) {
        const auto parsed = parseClientLine(c.line);
        ASSERT_EQ(parsed.has_value(), c.ok) << c.line.left(40).constData();
        if (!parsed)
            continue;
        EXPECT_EQ(parsed->verb, c.verb) << c.line.constData();
        EXPECT_EQ(parsed->topic, c.topic);
        EXPECT_EQ(parsed->item, c.item);
        EXPECT_EQ(parsed->textFormat, c.textFormat);
    }
    EXPECT_EQ(formatLine({"DATA", "T", "a\tb\\c\nd"}), "DATA\tT\ta\\tb\\\\c\\nd\n");
}

// Topics T and U; item "x" holds a text with every escaped character, "big" 64 KiB.
class FakeHandler : public DdeHandler {
public:
    QStringList topics() const override { return {"T", "U"}; }
    bool acceptConnect(const QString &) override { return true; }
    std::optional<QString> request(const QString &, const QString &item) override
    {
        if (item == "probe") {
            xAnsweredBeforeProbe = xAnswered;
            return QStringLiteral("p");
        }
        if (item == "x") {
            ++xAnswered;
            return QStringLiteral("a\tb\\c\nd");
        }
        if (item == "big")
            return QString(64 * 1024, QLatin1Char('b'));
        return std::nullopt;
    }
    // "refused" may not be advised; every other name may, served or not.
    bool adviseStart(const QString &, const QString &item) override { return item != "refused"; }

    int xAnswered = 0;
    int xAnsweredBeforeProbe = -1;
};

class DdeServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath("dde");
        m_server = std::make_unique<DdeServer>("Svc", m_handler);
        ASSERT_TRUE(m_server->listen(m_folder)) << m_server->errorText().toStdString();
    }
    void open(DdeClient &client)
    {
        ASSERT_TRUE(client.connectTo(m_server->socketPath()));
        const int before = m_server->clientCount();
        ASSERT_TRUE(tk70test::waitFor([&] { return m_server->clientCount() > before; }));
    }
    static int mode(const QString &path)
    {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
    }

    QTemporaryDir m_dir;
    QString m_folder;
    FakeHandler m_handler;
    std::unique_ptr<DdeServer> m_server;
};

TEST_F(DdeServerTest, TheSocketIsOwnerOnlyAndOneServiceHasOneServer)
{
    EXPECT_EQ(mode(m_folder), 0700);
    EXPECT_EQ(mode(m_server->socketPath()), 0600);
    EXPECT_EQ(m_server->socketPath(), m_folder + "/Svc.dde");
    FakeHandler other;
    DdeServer second("Svc", other);
    EXPECT_FALSE(second.listen(m_folder));
    m_server.reset();
    EXPECT_TRUE(second.listen(m_folder)) << "the service is free again";

    const QString open = m_dir.filePath("open");
    ASSERT_EQ(::mkdir(QFile::encodeName(open).constData(), 0755), 0);
    DdeServer third("Svc", other);
    EXPECT_FALSE(third.listen(open));
    EXPECT_TRUE(third.errorText().contains("open to others"));
}

TEST_F(DdeServerTest, LinesAreAnsweredByTheProtocolsRules)
{
    DdeClient client;
    open(client);
    EXPECT_EQ(askLine(client, {"REQUEST", "T", "x"}), Fields({"NODATA", "T", "x"})) << "not connected";
    EXPECT_EQ(askLine(client, {"ADVISE", "T", "x"}), Fields({"NACK", "ADVISE", "T", "x"}));
    EXPECT_EQ(askLine(client, {"CONNECT", "V"}), Fields({"NACK", "CONNECT", "V"}));
    EXPECT_EQ(askLine(client, {"CONNECT", "T"}), Fields({"ACK", "CONNECT", "T"}));
    EXPECT_EQ(askLine(client, {"REQUEST", "T", "x"}), Fields({"DATA", "T", "x", "a\tb\\c\nd"}));
    EXPECT_EQ(askLine(client, {"REQUEST", "T", "x", "CF_BITMAP"}), Fields({"NODATA", "T", "x"}));
    EXPECT_EQ(askLine(client, {"ADVISE", "T", "x", "CF_BITMAP"}), Fields({"NACK", "ADVISE", "T", "x"}));
    EXPECT_EQ(askLine(client, {"UNADVISE", "T", "x"}), Fields({"NACK", "UNADVISE", "T", "x"}));
    EXPECT_EQ(askLine(client, {"ADVISE", "T", "x"}), Fields({"ACK", "ADVISE", "T", "x"}));
    EXPECT_EQ(askLine(client, {"POKE", "T", "x"}), Fields({"NACK"}));
    m_server->postAdvise("T", "x");
    m_server->postAdvise("T", "y");
    EXPECT_EQ(nextLine(client), Fields({"DATA", "T", "x", "a\tb\\c\nd"}));
    EXPECT_EQ(askLine(client, {"WILDCONNECT"}), Fields({"PAIR", "Svc", "T"}));
    EXPECT_EQ(nextLine(client), Fields({"PAIR", "Svc", "U"}));
    EXPECT_EQ(nextLine(client), Fields({"END"}));
    EXPECT_EQ(askLine(client, {"WILDCONNECT", "U"}), Fields({"PAIR", "Svc", "U"}));
    EXPECT_EQ(nextLine(client), Fields({"END"}));
    EXPECT_EQ(askLine(client, {"ADVISE", "U", "x"}), Fields({"ACK", "ADVISE", "U", "x"}))
        << "connected by the wild connect";
    EXPECT_EQ(m_server->adviseLoops("T", "x"), 1);
    EXPECT_EQ(m_server->adviseLoops("U", "x"), 1);
    client.close();
    EXPECT_TRUE(tk70test::waitFor([&] { return m_server->clientCount() == 0; }));
    EXPECT_EQ(m_server->adviseLoops("T", "x") + m_server->adviseLoops("U", "x"), 0) << "the loops end with the client";
}

// A long line, a client that never reads its updates and clients past the limit are turned
// away; a client that sends requests and reads their answers only later waits meanwhile,
// and is then served in full; the others are served throughout.
TEST_F(DdeServerTest, MisbehavingClientsLeaveTheServerServingTheOthers)
{
    DdeClient good, longLine, hog, asker;
    for (DdeClient *client : {&good, &hog, &asker}) {
        open(*client);
        EXPECT_EQ(askLine(*client, {"CONNECT", "T"}), Fields({"ACK", "CONNECT", "T"}));
    }
    open(longLine);
    EXPECT_EQ(askLine(hog, {"ADVISE", "T", "big"}), Fields({"ACK", "ADVISE", "T", "big"}));
    longLine.sendRaw(QByteArray(2048, 'A') + '\n');
    for (int i = 0; i < 40; ++i)
        asker.send({"REQUEST", "T", "big"});  // 2.6 MB of answers, not read yet
    for (int pass = 0; pass < 20; ++pass)
        m_server->postAdvise("T", "big");  // 1.3 MB of updates the hog never reads
    EXPECT_TRUE(tk70test::waitFor([&] { return m_server->clientCount() == 2; }));
    EXPECT_EQ(askLine(good, {"REQUEST", "T", "x"}), Fields({"DATA", "T", "x", "a\tb\\c\nd"}));
    int answers = 0;
    EXPECT_TRUE(tk70test::waitFor([&] {
        while (auto line = asker.takeLine())
            answers += line->size() == 4 && line->at(3).size() == 64 * 1024 ? 1 : 0;
        return answers == 40;
    }));
    EXPECT_EQ(m_server->clientCount(), 2);

    std::vector<std::unique_ptr<DdeClient>> crowd;
    for (int i = 0; i < 100; ++i) {
        crowd.push_back(std::make_unique<DdeClient>());
        ASSERT_TRUE(crowd.back()->connectTo(m_server->socketPath()));
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(tk70test::waitFor([&] {
        int closed = 0;
        for (auto &client : crowd) {
            client->takeLine();
            closed += client->atEnd() ? 1 : 0;
        }
        return closed == 100 - (DdeServer::kMaxClients - 2);
    }));
    EXPECT_EQ(m_server->clientCount(), DdeServer::kMaxClients);
    EXPECT_EQ(askLine(good, {"REQUEST", "T", "x"}), Fields({"DATA", "T", "x", "a\tb\\c\nd"}));
}

// A client that sends thousands of requests at once holds the others up for one turn of
// kLinesPerTurn lines, not for all of its requests.
TEST_F(DdeServerTest, AFloodOfRequestsIsAnsweredInTurnsWithTheOtherClients)
{
    DdeClient flood, other;
    for (DdeClient *client : {&flood, &other}) {
        open(*client);
        EXPECT_EQ(askLine(*client, {"CONNECT", "T"}), Fields({"ACK", "CONNECT", "T"}));
    }
    QByteArray batch;
    for (int i = 0; i < 4000; ++i)
        batch += "REQUEST\tT\tx\n";
    ASSERT_TRUE(flood.sendRaw(batch));
    EXPECT_EQ(askLine(other, {"REQUEST", "T", "probe"}), Fields({"DATA", "T", "probe", "p"}));
    EXPECT_LT(m_handler.xAnsweredBeforeProbe, 4000 - DdeServer::kLinesPerTurn);
    int answers = 0;
    EXPECT_TRUE(tk70test::waitFor([&] {
        while (flood.takeLine())
            ++answers;
        return answers == 4000;
    }));
}

// One loop per client, topic and name, served or not; at most 64 names a topic; one
// client's UNADVISE ends its own loop only.
TEST_F(DdeServerTest, AdviseLoopsAreEachClientsOwnAndBounded)
{
    DdeClient first, second;
    for (DdeClient *client : {&first, &second}) {
        open(*client);
        EXPECT_EQ(askLine(*client, {"WILDCONNECT"}), Fields({"PAIR", "Svc", "T"}));
        EXPECT_EQ(nextLine(*client), Fields({"PAIR", "Svc", "U"}));
        EXPECT_EQ(nextLine(*client), Fields({"END"}));
    }
    EXPECT_EQ(askLine(first, {"ADVISE", "T", "x"}), Fields({"ACK", "ADVISE", "T", "x"}));
    EXPECT_EQ(askLine(first, {"ADVISE", "T", "x"}), Fields({"ACK", "ADVISE", "T", "x"})) << "the same loop";
    EXPECT_EQ(askLine(second, {"ADVISE", "T", "x", "CF_TEXT"}), Fields({"ACK", "ADVISE", "T", "x"}));
    EXPECT_EQ(m_server->adviseLoops("T", "x"), 2);
    EXPECT_EQ(askLine(first, {"ADVISE", "T", "refused"}), Fields({"NACK", "ADVISE", "T", "refused"}));
    for (int i = 1; i < DdeServer::kMaxLoopsPerTopic; ++i) {
        const QString name = QStringLiteral("n%1").arg(i);
        ASSERT_EQ(askLine(first, {"ADVISE", "T", name}), Fields({"ACK", "ADVISE", "T", name}));
    }
    EXPECT_EQ(askLine(first, {"ADVISE", "T", "over"}), Fields({"NACK", "ADVISE", "T", "over"}));
    EXPECT_EQ(m_server->adviseLoops("T", "over"), 0);
    EXPECT_EQ(askLine(first, {"ADVISE", "U", "over"}), Fields({"ACK", "ADVISE", "U", "over"}));
    EXPECT_EQ(askLine(first, {"UNADVISE", "T", "x", "CF_BITMAP"}), Fields({"NACK", "UNADVISE", "T", "x"}));
    EXPECT_EQ(askLine(second, {"UNADVISE", "T", "x", "CF_TEXT"}), Fields({"ACK", "UNADVISE", "T", "x"}));
    m_server->postAdvise("T", "x");
    EXPECT_EQ(nextLine(first), Fields({"DATA", "T", "x", "a\tb\\c\nd"}));
    EXPECT_EQ(askLine(second, {"REQUEST", "T", "y"}), Fields({"NODATA", "T", "y"})) << "no update for second";
    EXPECT_EQ(askLine(first, {"UNADVISE", "T", "n1"}), Fields({"ACK", "UNADVISE", "T", "n1"}));
    EXPECT_EQ(askLine(first, {"ADVISE", "T", "over"}), Fields({"ACK", "ADVISE", "T", "over"})) << "room again";
}

// Clients holding some 800 KB of unread updates each, all closed before the final flush:
// the flush hears each close inside its wait, and ends within its deadline.
TEST_F(DdeServerTest, AFlushOutlivesClientsThatCloseWhileItWaits)
{
    std::vector<std::unique_ptr<DdeClient>> clients;
    for (int k = 0; k < 4; ++k) {
        clients.push_back(std::make_unique<DdeClient>());
        open(*clients.back());
        EXPECT_EQ(askLine(*clients.back(), {"CONNECT", "T"}), Fields({"ACK", "CONNECT", "T"}));
        EXPECT_EQ(askLine(*clients.back(), {"ADVISE", "T", "big"}), Fields({"ACK", "ADVISE", "T", "big"}));
    }
    for (int pass = 0; pass < 12; ++pass)
        m_server->postAdvise("T", "big");
    ASSERT_EQ(m_server->clientCount(), 4);
    for (auto &client : clients)
        client->close();
    QElapsedTimer clock;
    clock.start();
    m_server->flush(300);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(tk70test::waitFor([&] { return m_server->clientCount() == 0; }));
}

}  // namespace
