// The historian's worker against a real server: samples reach it once, an outage (the
// server stopped at once, as a crash would) only makes the spool grow, a restart of the
// station forwards what the spool held, and stopping never waits for the network.
#include "collect/historian/historian_forwarder.h"
#include "tests/collect/historian/historian_fixture.h"
#include "tests/support/wait_until.h"

#include <filesystem>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tk70;
using namespace tk70test;

namespace {

class HistorianForwarderTest : public HistorianServerTest {
protected:
    void SetUp() override
    {
        HistorianServerTest::SetUp();
        m_folder = std::filesystem::temp_directory_path() / ("tk70-forward-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(m_folder);
        HistorianServerTest::TearDown();
    }

    HistorianOptions options(const std::string &spool = "historian.spool") const
    {
        HistorianOptions options;
        options.conninfo = conninfo();
        options.spoolPath = (m_folder / spool).string();
        options.firstRetryMs = 20;
        options.longestRetryMs = 200;
        options.timeoutMs = 5000;
        return options;
    }

    // Waits until the forwarder has nothing waiting, and is online.
    static bool drained(const HistorianForwarder &forwarder)
    {
        return waitUntil(
            [&] {
                const HistorianState state = forwarder.state();
                return state.online && state.waiting == 0;
            },
            std::chrono::seconds(60));
    }

    // Every tick from first to last present exactly once for each of the 30 tags.
    void expectEveryTickOnce(std::int64_t first, std::int64_t last, const std::string &station = "unit1")
    {
        EXPECT_EQ(value("SELECT count(*) FROM tk70_samples WHERE station = '" + station + "'"),
                  std::to_string((last - first + 1) * 30));
        EXPECT_EQ(value("SELECT count(DISTINCT ts) || ' ' || min(extract(epoch FROM ts))::bigint || ' ' || "
                        "max(extract(epoch FROM ts))::bigint FROM tk70_samples WHERE station = '" +
                        station + "'"),
                  std::to_string(last - first + 1) + " " + std::to_string(first) + " " + std::to_string(last));
    }

    std::filesystem::path m_folder;
};

TEST(HistorianRetry, ThePauseDoublesFromTheFirstToTheLongest)
{
    HistorianOptions options;
    std::vector<int> pauses;
    for (int pause = 0, k = 0; k < 9; ++k)
        pauses.push_back(pause = nextRetryMs(pause, options));
    EXPECT_EQ(pauses, (std::vector<int>{1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000}));
}

TEST_F(HistorianForwarderTest, SamplesAndTagsReachTheServerOnce)
{
    HistorianForwarder forwarder(options());
    ASSERT_TRUE(forwarder.start()) << forwarder.error();
    forwarder.sendTags({{"unit1", "TAG0", "01-01-01-0001", "Feed", 19, 1}});
    for (std::int64_t second = 1000; second < 1010; ++second)
        forwarder.add(tick("unit1", second));
    ASSERT_TRUE(drained(forwarder)) << forwarder.state().lastError;
    forwarder.stop();
    expectEveryTickOnce(1000, 1009);
    EXPECT_EQ(value("SELECT description FROM tk70_tags"), "Feed");
    EXPECT_EQ(forwarder.state().forwarded, 300);
}

// Collection hands over ticks: values in the order of the start's tags, which the
// worker names.  A value past the tags has no name and is not stored.
TEST_F(HistorianForwarderTest, TicksAreStoredUnderTheirStartsTags)
{
    HistorianForwarder forwarder(options());
    ASSERT_TRUE(forwarder.start()) << forwarder.error();
    const auto tags = std::make_shared<const std::vector<HistorianTag>>(std::vector<HistorianTag>{
        {"unit1", "FT101", "01-02-03-0004", "Feed", 19, 1}, {"unit1", "TI 7", "01-02-03-0005", "", 1, 1}});
    forwarder.sendTags(*tags);
    forwarder.add(HistorianTick{tags, 1000000000, {{12.5, false, 0}, {std::nullopt, false, 3}}});
    forwarder.add(HistorianTick{tags, 2000000000, {{-1.0, true, 0}, {7.0, false, 0}, {99.0, false, 0}}});
    ASSERT_TRUE(drained(forwarder)) << forwarder.state().lastError;
    forwarder.stop();
    EXPECT_EQ(value("SELECT string_agg(tag || ' ' || extract(epoch FROM ts)::bigint || ' ' || "
                    "coalesce(value::text, 'null') || ' ' || bad_quality || ' ' || point_error, '; ' "
                    "ORDER BY ts, tag) FROM tk70_samples"),
              "FT101 1000 12.5 false 0; TI 7 1000 null false 3; FT101 2000 -1 true 0; TI 7 2000 7 false 0");
    EXPECT_EQ(forwarder.state().forwarded, 4);
}

// A server that keeps refusing (a database not made yet) says so in its own words; once
// the database is there, what waited goes, and the refusal is over.
TEST_F(HistorianForwarderTest, ALastingRefusalIsNamedAndEndsWhenTheServerIsMended)
{
    ASSERT_TRUE(cluster().psql("DROP DATABASE IF EXISTS not_yet_made")) << cluster().error();
    HistorianOptions refused = options();
    refused.conninfo = cluster().connectionString("not_yet_made");
    refused.refusalShownAfterMs = 100;
    HistorianForwarder forwarder(refused);
    ASSERT_TRUE(forwarder.start()) << forwarder.error();
    forwarder.add(tick("unit1", 0));
    ASSERT_TRUE(waitUntil([&] { return !forwarder.state().refusal.empty(); }, std::chrono::seconds(30)));
    EXPECT_NE(forwarder.state().refusal.find("database \"not_yet_made\" does not exist"), std::string::npos)
        << forwarder.state().refusal;
    EXPECT_EQ(forwarder.state().waiting, 30);
    ASSERT_TRUE(cluster().psql("CREATE DATABASE not_yet_made")) << cluster().error();
    ASSERT_TRUE(drained(forwarder)) << forwarder.state().lastError;
    EXPECT_EQ(forwarder.state().refusal, "");
    forwarder.stop();
    EXPECT_TRUE(cluster().psql("DROP DATABASE not_yet_made")) << cluster().error();
}

TEST_F(HistorianForwarderTest, AnOutageGrowsTheSpoolAndLosesNothing)
{
    HistorianForwarder forwarder(options());
    ASSERT_TRUE(forwarder.start()) << forwarder.error();
    forwarder.add(tick("unit1", 0));
    ASSERT_TRUE(drained(forwarder));

    ASSERT_TRUE(cluster().stop()) << cluster().error();
    for (std::int64_t second = 1; second <= 120; ++second)
        forwarder.add(tick("unit1", second));
    ASSERT_TRUE(waitUntil([&] { return !forwarder.state().online; }, std::chrono::seconds(30)));
    const HistorianState offline = forwarder.state();
    EXPECT_GT(offline.offlineSinceUs, 0);
    EXPECT_GT(offline.waiting, 0);
    EXPECT_FALSE(offline.lastError.empty());

    ASSERT_TRUE(cluster().start()) << cluster().error();
    ASSERT_TRUE(drained(forwarder)) << forwarder.state().lastError;
    forwarder.stop();
    expectEveryTickOnce(0, 120);
    EXPECT_EQ(forwarder.state().dropped, 0);
    EXPECT_EQ(forwarder.state().refusal, "") << "a server that went away (or started) taken for one that refuses";
}

TEST_F(HistorianForwarderTest, ARestartedStationForwardsWhatItsSpoolHeldFirst)
{
    ASSERT_TRUE(cluster().stop());
    {
        HistorianForwarder offline(options());
        ASSERT_TRUE(offline.start());
        for (std::int64_t second = 0; second < 50; ++second)
            offline.add(tick("unit1", second));
        offline.stop();
        EXPECT_EQ(offline.state().waiting, 1500);
    }
    ASSERT_TRUE(cluster().start());
    HistorianForwarder restarted(options());
    ASSERT_TRUE(restarted.start());
    EXPECT_EQ(restarted.state().waiting, 1500);
    restarted.add(tick("unit1", 50));
    ASSERT_TRUE(drained(restarted)) << restarted.state().lastError;
    restarted.stop();
    expectEveryTickOnce(0, 50);
}

TEST_F(HistorianForwarderTest, TwoStationsShareOneServer)
{
    HistorianForwarder one(options("one.spool"));
    HistorianForwarder two(options("two.spool"));
    ASSERT_TRUE(one.start());
    ASSERT_TRUE(two.start());
    for (std::int64_t second = 0; second < 20; ++second) {
        one.add(tick("unit1", second));
        two.add(tick("unit2", second));
    }
    ASSERT_TRUE(drained(one));
    ASSERT_TRUE(drained(two));
    one.stop();
    two.stop();
    expectEveryTickOnce(0, 19, "unit1");
    expectEveryTickOnce(0, 19, "unit2");
}

// A peer that takes the connection and never answers: a server hung, or a network that
// drops every packet.
class SilentPeer {
public:
    explicit SilentPeer(const std::filesystem::path &folder) : m_folder(folder)
    {
        std::filesystem::create_directories(folder);
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (folder / ".s.PGSQL.5432").string();
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        ok = ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 && ::listen(m_fd, 4) == 0;
    }
    ~SilentPeer() { ::close(m_fd); }
    std::string conninfo() const { return "host=" + m_folder.string() + " dbname=x user=x"; }
    bool ok = false;

private:
    std::filesystem::path m_folder;
    int m_fd = -1;
};

TEST_F(HistorianForwarderTest, AServerThatNeverAnswersTimesOutAndStoppingDoesNotWaitForIt)
{
    const SilentPeer peer(m_folder / "silent");
    ASSERT_TRUE(peer.ok);
    HistorianOptions silent = options();
    silent.conninfo = peer.conninfo();
    silent.timeoutMs = 300;
    {
        HistorianForwarder forwarder(silent);
        ASSERT_TRUE(forwarder.start());
        forwarder.add(tick("unit1", 1));
        ASSERT_TRUE(waitUntil([&] { return !forwarder.state().lastError.empty(); }, std::chrono::seconds(30)));
        EXPECT_EQ(forwarder.state().lastError, "the server did not answer within 300 ms");
        EXPECT_EQ(forwarder.state().refusal, "") << "a silent server taken for one that refuses";
    }
    silent.timeoutMs = 3600000;  // an hour: only the stop can end this wait
    HistorianForwarder forwarder(silent);
    ASSERT_TRUE(forwarder.start());
    forwarder.add(tick("unit1", 2));
    forwarder.stop();
    EXPECT_FALSE(forwarder.state().online);
    HistorianSpool spool;
    ASSERT_TRUE(spool.open(silent.spoolPath));
    EXPECT_EQ(spool.count(), 60) << "a stop lost what it had been handed";
}

}  // namespace
