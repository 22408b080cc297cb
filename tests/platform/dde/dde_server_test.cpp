// The DDE layer through real sockets: the line protocol, the folder and socket modes, a
// second server of one service, the protocol's refusals, advise loops that end with their
// client, and the bounds that keep one client from disturbing the others.
#include "dde_client.h"
#include "dde_lines.h"
#include "dde_protocol.h"
#include "dde_server.h"
#include "modal_helper.h"

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
        {"UNADVISE\tValue\tX\tCF_TEXT", false, {}, {}, {}, {}},
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
        if (item == "x")
            return QStringLiteral("a\tb\\c\nd");
        if (item == "big")
            return QString(64 * 1024, QLatin1Char('b'));
        return std::nullopt;
    }
    bool adviseStart(const QString &topic, const QString &item) override
    {
        ++loops[topic + "/" + item];
        return true;
    }
    void adviseStop(const QString &topic, const QString &item) override { --loops[topic + "/" + item]; }

    QMap<QString, int> loops;
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
    EXPECT_EQ(askLine(client, {"ADVISE", "U", "x"}), Fields({"ACK", "ADVISE", "U", "x"})) << "connected by the wild connect";
    EXPECT_EQ(m_handler.loops, (QMap<QString, int>{{"T/x", 1}, {"U/x", 1}}));
    client.close();
    EXPECT_TRUE(tk70test::waitFor([&] { return m_server->clientCount() == 0; }));
    EXPECT_EQ(m_handler.loops, (QMap<QString, int>{{"T/x", 0}, {"U/x", 0}})) << "the loops end with the client";
}

// A long line, a client that never reads and clients past the limit are turned away;
// the others are served throughout.
TEST_F(DdeServerTest, MisbehavingClientsLeaveTheServerServingTheOthers)
{
    DdeClient good, longLine, hog;
    open(good);
    EXPECT_EQ(askLine(good, {"CONNECT", "T"}), Fields({"ACK", "CONNECT", "T"}));
    open(longLine);
    open(hog);
    EXPECT_EQ(askLine(hog, {"CONNECT", "T"}), Fields({"ACK", "CONNECT", "T"}));
    longLine.sendRaw(QByteArray(2048, 'A') + '\n');
    for (int i = 0; i < 40; ++i)
        hog.send({"REQUEST", "T", "big"});
    EXPECT_TRUE(tk70test::waitFor([&] { return m_server->clientCount() == 1; }));
    EXPECT_EQ(askLine(good, {"REQUEST", "T", "x"}), Fields({"DATA", "T", "x", "a\tb\\c\nd"}));

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
        return closed == 100 - (DdeServer::kMaxClients - 1);
    }));
    EXPECT_EQ(m_server->clientCount(), DdeServer::kMaxClients);
    EXPECT_EQ(askLine(good, {"REQUEST", "T", "x"}), Fields({"DATA", "T", "x", "a\tb\\c\nd"}));
}

}  // namespace
