// The channel through which a later start hands its file to the running window, on real
// local sockets in a private runtime folder: requests held until the program is ready and
// then delivered in order, hostile requests refused without harm, a stale socket replaced,
// and of two starts at once only one becomes the instance.
#include "app/launch/instance_channel.h"
#include "app/launch/instance_claim.h"
#include "app/launch/instance_server.h"
#include "tests/support/wait_for_events.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <gtest/gtest.h>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tk70;

namespace {

constexpr int kDeadlineMs = 10000;

class InstanceChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        m_socket = instanceSocketPath(userRuntimeFolder(), m_runtime.filePath(QStringLiteral("registry")));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_savedRuntime); }

    // Runs work on a thread of its own (it blocks, the server needs this thread's event
    // loop) and waits for its result.
    template <typename Work>
    auto onOtherThread(Work work)
    {
        auto result = std::async(std::launch::async, work);
        EXPECT_TRUE(tk70test::waitFor(
            [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 2 * kDeadlineMs));
        return result.get();
    }

    QTemporaryDir m_runtime;
    QByteArray m_savedRuntime;
    QString m_socket;
};

// A socket file nobody listens on, as an instance that was killed leaves it.
void leaveStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(static_cast<size_t>(name.size()), sizeof(address.sun_path));
    std::copy(name.begin(), name.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ::close(fd);
}

}  // namespace

TEST_F(InstanceChannelTest, OneSocketPerSettingsStoreInThePrivateRuntimeFolder)
{
    EXPECT_EQ(userRuntimeFolder(), m_runtime.path());
    const QString store = m_runtime.filePath(QStringLiteral("registry"));
    EXPECT_EQ(QFileInfo(m_socket).absolutePath(), m_runtime.path());
    EXPECT_EQ(instanceSocketPath(m_runtime.path(), m_runtime.filePath(QStringLiteral("sub/../registry"))), m_socket);
    EXPECT_NE(instanceSocketPath(m_runtime.path(), store + QStringLiteral("2")), m_socket);
}

TEST_F(InstanceChannelTest, HoldsRequestsUntilTheProgramIsReadyThenDeliversThemInOrder)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen(m_socket)) << qPrintable(server.errorString());
    const auto others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(m_socket).permissions() & others, QFileDevice::Permissions());
    QSignalSpy requested(&server, &InstanceServer::requested);

    const QStringList paths = {QStringLiteral("/plant/Kessel 3 ä.tsf"), QStringLiteral("/odd\nname%41.tsf"), QString()};
    for (const QString &path : paths)
        EXPECT_EQ(onOtherThread([&] { return handOver(m_socket, path, kDeadlineMs); }), HandOver::Delivered);
    QTest::qWait(0);
    EXPECT_EQ(requested.count(), 0);

    server.startDelivering();
    ASSERT_TRUE(tk70test::waitFor([&] { return requested.count() == paths.size(); }, kDeadlineMs));
    for (qsizetype i = 0; i < paths.size(); ++i)
        EXPECT_EQ(requested.at(i).at(0).toString(), paths[i]);
}

TEST_F(InstanceChannelTest, RefusesHostileRequestsAndGoesOnServing)
{
    struct Hostile {
        const char *name;
        QByteArray bytes;
        int serverDeadlineMs;  // far beyond the test's wait unless the case is about it
    };
    const int never = 6 * kDeadlineMs;
    const std::vector<Hostile> cases = {
        {"relative path", "plant.tsf\n", never},
        {"parent folder only", "../plant.tsf\n", never},
        {"zero byte", "/plant%00.tsf\n", never},
        {"binary", QByteArray("\xff\xfe\x00\x01\n", 5), never},
        {"too long a line", "/" + QByteArray(kMaxRequestBytes, 'a') + "\n", never},
        {"no end of line, ever", QByteArray(4 * kMaxRequestBytes, 'a'), never},
        {"nothing before the deadline", {}, 300},
    };
    for (const Hostile &c : cases) {
        SCOPED_TRACE(c.name);
        InstanceServer server(c.serverDeadlineMs);
        ASSERT_TRUE(server.listen(m_socket));
        server.startDelivering();
        QSignalSpy requested(&server, &InstanceServer::requested);
        QLocalSocket client;
        client.connectToServer(m_socket);
        ASSERT_TRUE(client.waitForConnected(kDeadlineMs));
        client.write(c.bytes);
        EXPECT_TRUE(tk70test::waitFor([&] { return client.state() == QLocalSocket::UnconnectedState; }, kDeadlineMs));
        EXPECT_EQ(client.readAll(), kAnswerRefused);
        // The server goes on serving, and delivers only the sound request.
        EXPECT_EQ(onOtherThread([&] { return handOver(m_socket, QStringLiteral("/plant.tsf"), kDeadlineMs); }),
                  HandOver::Delivered);
        ASSERT_TRUE(tk70test::waitFor([&] { return requested.count() == 1; }, kDeadlineMs));
        EXPECT_EQ(requested.at(0).at(0).toString(), QStringLiteral("/plant.tsf"));
    }
}

TEST_F(InstanceChannelTest, AStaleSocketIsReplacedAndOfTwoStartsOnlyOneBecomesTheInstance)
{
    leaveStaleSocket(m_socket);
    ASSERT_EQ(handOver(m_socket, QString(), kDeadlineMs), HandOver::NoInstance);

    InstanceClaim first(m_socket);
    ASSERT_EQ(first.handOverOrClaim(QString(), kDeadlineMs), InstanceClaim::Outcome::First);
    // The second start comes while the first is still on its way to listening.
    auto second = std::async(std::launch::async, [&] {
        InstanceClaim claim(m_socket);
        return claim.handOverOrClaim(QStringLiteral("/plant.tsf"), kDeadlineMs);
    });
    // It waits for the first; it can neither hand over nor claim the socket yet.
    EXPECT_EQ(second.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    InstanceServer server;
    ASSERT_TRUE(server.listen(m_socket)) << qPrintable(server.errorString());
    first.release();
    server.startDelivering();
    QSignalSpy requested(&server, &InstanceServer::requested);
    ASSERT_TRUE(tk70test::waitFor([&] { return second.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
                                  2 * kDeadlineMs));
    EXPECT_EQ(second.get(), InstanceClaim::Outcome::HandedOver);
    ASSERT_TRUE(tk70test::waitFor([&] { return requested.count() == 1; }, kDeadlineMs));
    EXPECT_EQ(requested.at(0).at(0).toString(), QStringLiteral("/plant.tsf"));
}
