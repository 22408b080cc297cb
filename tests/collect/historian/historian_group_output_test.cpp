// The historian group output's own rules, without a server: what the status bar says,
// which connection strings may be used, and one spool for each group and server.
#include "collect/historian/historian_group_output.h"
#include "tests/support/message_recorder.h"
#include "tests/support/wait_until.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

TEST(HistorianStateText, SaysOnlineOrSinceWhenOfflineInLocalTime)
{
    HistorianState state;
    state.online = true;
    state.waiting = 0;
    EXPECT_EQ(historianStateText(state), "historian: online, 0 waiting");
    state.online = false;
    state.waiting = 5400;
    const QDateTime since = QDateTime::currentDateTime().addSecs(-3600);
    state.offlineSinceUs = since.toMSecsSinceEpoch() * 1000;
    EXPECT_EQ(historianStateText(state),
              QStringLiteral("historian: offline since %1, 5400 waiting").arg(since.toString("HH:mm")));
    state.offlineSinceUs = 0;
    EXPECT_EQ(historianStateText(state), "historian: connecting, 5400 waiting");
}

TEST(HistorianConnectionString, ReadsLibpqFormsAndRefusesAPassword)
{
    EXPECT_EQ(connectionStringError("service=plant"), "");
    EXPECT_EQ(connectionStringError("postgresql://historian.plant.example/tk70"), "");
    EXPECT_EQ(connectionStringError("host=/run/postgresql dbname=tk70 user=unit1"), "");
    EXPECT_EQ(connectionStringError("   "), "no connection string is given");
    EXPECT_EQ(connectionStringError("dbname='tk70"), "unterminated quoted string in connection info string");
    EXPECT_EQ(connectionStringError("nonsense=1"), "invalid connection option \"nonsense\"");
    EXPECT_TRUE(connectionStringError("host=h password=x").startsWith("a password may not be written here"));
    EXPECT_TRUE(connectionStringError("postgresql://op:x@h/db").startsWith("a password may not be written here"));
}

TEST(HistorianSpoolPath, OneSpoolForEachGroupAndServer)
{
    const QString one = HistorianGroupOutput::spoolPath("/state", "service=plant", 1);
    EXPECT_TRUE(one.startsWith("/state/historian-g1-")) << qPrintable(one);
    EXPECT_TRUE(one.endsWith(".spool"));
    EXPECT_EQ(one, HistorianGroupOutput::spoolPath("/state", "service=plant", 1));
    EXPECT_NE(one, HistorianGroupOutput::spoolPath("/state", "service=plant", 2));
    EXPECT_NE(one, HistorianGroupOutput::spoolPath("/state", "service=plant2", 1))
        << "samples for one server sent to another";
}

class ThreeReadings : public PointReadings {
public:
    PointReading reading(int position) const override { return {0, 1.5 * position, false}; }
};

// A spool that cannot hold what waits (the server away) drops the oldest samples, counts
// them as lost, and says so once, posted so that no box stops the group's timer.
TEST(HistorianGroupOutput, ASpoolPastItsBoundSaysOnceThatItDroppedTheOldest)
{
    QTemporaryDir dir;
    HistorianSettings settings;
    settings.stationName = QStringLiteral("unit1");
    settings.spoolFolder = dir.path();
    settings.spoolLimitBytes = 1;  // less than any spool takes
    tk70test::MessageRecorder messages;
    HistorianGroupOutput output(settings);
    ASSERT_TRUE(output.open(QStringLiteral("host=/nonexistent/folder dbname=x"), false, OverwritePolicy::Overwrite));
    const std::vector<DataColumn> columns{{0, QStringLiteral("FT101")}, {1, QStringLiteral("TT102")}};
    ASSERT_TRUE(output.writeHeader({QDateTime::currentDateTime(), QStringLiteral("/plant.tsf"), 1, {}}, columns));
    output.setSampling(true);
    const ThreeReadings readings;
    QDateTime stamp = QDateTime::currentDateTime();
    ASSERT_TRUE(tk70test::waitUntil(
        [&] {
            output.writeSample(stamp = stamp.addSecs(1), columns, readings);
            output.writeWaiting();
            return output.counts().lost > 0;
        },
        std::chrono::seconds(30)));
    output.writeWaiting();
    output.writeWaiting();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.messages()[0].text.startsWith("The historian spool is full: the oldest "))
        << qPrintable(messages.messages()[0].text);
    EXPECT_EQ(messages.posted(), 1);
    output.close();
}

// Another TK70 (or another group) already forwarding the same spool: the second is
// refused before it touches the spool, in the words of any output held elsewhere.
TEST(HistorianGroupOutput, ASpoolAnotherCollectorHoldsIsRefused)
{
    QTemporaryDir dir;
    HistorianSettings settings;
    settings.spoolFolder = dir.path();
    const QString connection = QStringLiteral("host=/nonexistent/folder dbname=x");
    const std::vector<DataColumn> columns{{0, QStringLiteral("FT101")}};
    const HeaderFacts facts{QDateTime::currentDateTime(), QStringLiteral("/plant.tsf"), 2, {}};
    tk70test::MessageRecorder messages;
    HistorianGroupOutput first(settings);
    ASSERT_TRUE(first.open(connection, false, OverwritePolicy::Overwrite));
    ASSERT_TRUE(first.writeHeader(facts, columns));
    HistorianGroupOutput second(settings);
    ASSERT_TRUE(second.open(connection, false, OverwritePolicy::Overwrite));
    EXPECT_FALSE(second.writeHeader(facts, columns));
    EXPECT_FALSE(second.isOpen());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              outputHeldMessage(HistorianGroupOutput::spoolPath(dir.path(), connection, 2)));
    first.close();
}

}  // namespace
