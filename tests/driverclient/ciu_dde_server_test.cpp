// The driver client's DDE server against the real driver on the CIU simulator, through
// real sockets: the value texts, requests before and after a start, the System topic, bad
// quality, advise loops paced by "DdeRefresh" and kept across a stop and start, and a
// second program serving the same service name.
#include "ciusim/pty_server.h"
#include "driver/thread_control.h"
#include "driverclient/ciu_dde_server.h"
#include "driverclient/ciu_driver.h"
#include "driverclient/dde_texts.h"
#include "platform/dde/dde_client.h"
#include "platform/registry/settings_store.h"
#include "tests/support/dde_lines.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace tk70;
using tk70::dde::DdeClient;
using Fields = QList<QString>;
using tk70test::askLine;
using tk70test::nextLine;

namespace {

const ciusim::PlantAddress kFic{1, 2, 3, 101};
const ciusim::PlantAddress kPic{1, 2, 3, 102};

TEST(DdeTexts, ValueTextsFollowTheMagnitudeRules)
{
    const std::pair<double, const char *> cases[] = {
        {1234.5, "1234.500"},   {-99999999.0, "-99999999.000"},
        {999.9995, "1000.000"}, {12.5, "12.5000"},
        {0.1, "0.1000"},        {0.05, "0.05000"},
        {0.0, "0.0000"},        {0.0005, "       0.0005"},
        {1e9, "        1e+09"}, {0.001, "        0.001"},
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(ddeValueText(value), text) << value;
    EXPECT_EQ(ddeStatusText(1), "Restatring CIU");
    EXPECT_EQ(ddeStatusText(-1), "CIU Off-Line");
    EXPECT_EQ(ddeStatusText(9), "Status Unknown");
}

class CiuDdeServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("TK70_DDE_DIR", QFile::encodeName(m_dir.filePath("dde")));
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("registry"));
        ASSERT_TRUE(m_store->setDword(kProgramKey, "DdeRefresh", 2));
        vantor::setPhaseWaits(vantor::PhaseWaits{5, 5, 5, 5});
        ASSERT_TRUE(m_sim.start());
        CiuSetPortDevice(1, m_sim.devicePath().c_str());
        m_sim.unit().setPoint(kFic, 12.5, false);
        m_sim.unit().setPoint(kPic, 3.0, true);
    }
    void TearDown() override
    {
        m_driver.reset();
        m_sim.stop();
        CiuSetPortDevice(1, nullptr);
        vantor::setPhaseWaits(vantor::PhaseWaits{});
        qunsetenv("TK70_DDE_DIR");
    }

    CCiuDriver &driver()
    {
        if (!m_driver) {
            m_driver = std::make_unique<CCiuDriver>(*m_store);
            m_driver->setLogSettings(true, false, m_dir.filePath("TK70Pro.LOG"));
            m_driver->setSetting(DriverSetting::DtrPulse, 1);
            m_driver->setSetting(DriverSetting::RestartDelay, 1);
            m_driver->setSetting(DriverSetting::CommandPace, 10);
            EXPECT_TRUE(m_driver->createEvents());
        }
        return *m_driver;
    }
    // Each start loads the two points, as a collection start does; picFirst lists them
    // the other way round.
    void start(bool picFirst = false)
    {
        driver().clearPoints();
        if (picFirst)
            driver().addPoint("PIC-102", 1, 2, 3, 102, 99);
        driver().addPoint("FIC-101", 1, 2, 3, 101, 99);
        if (!picFirst)
            driver().addPoint("PIC-102", 1, 2, 3, 102, 99);
        ASSERT_TRUE(driver().start());
        ASSERT_TRUE(tk70test::waitFor([&] { return driver().monitoring() == 1; }));
        waitForFreshValues();
    }
    // Three more requests reach the simulator: the reply to a read of each point, given
    // after the last change, is in the value array.
    void waitForFreshValues()
    {
        const std::size_t seen = m_sim.requests().size();
        const bool fresh =
            m_sim.requests().waitUntil([&] { return m_sim.requests().size() >= seen + 3; }, std::chrono::seconds(5));
        ASSERT_TRUE(fresh);
    }
    void connect(DdeClient &client, const QString &topic)
    {
        ASSERT_TRUE(client.connectTo(driver().ddeServer()->server().socketPath()));
        EXPECT_EQ(askLine(client, {"CONNECT", topic}), Fields({"ACK", "CONNECT", topic}));
    }
    // The advise updates that arrived up to now: the DATA lines before the answer to a
    // request sent after them (on a topic the client has not connected: NODATA).
    QStringList updates(DdeClient &client)
    {
        QStringList texts;
        EXPECT_TRUE(client.send({"REQUEST", "System", "Status"}));
        for (Fields line = nextLine(client); line.size() == 4 && line[0] == "DATA"; line = nextLine(client))
            texts << line[3];
        return texts;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    ciusim::PtyServer m_sim;
    std::unique_ptr<CCiuDriver> m_driver;
};

TEST_F(CiuDdeServerTest, RequestsAnswerTheSystemTopicAlwaysAndTagItemsWhileConnected)
{
    DdeClient system, values, quality;
    connect(system, "System");
    connect(values, "Value");
    connect(quality, "Quality");
    EXPECT_EQ(askLine(values, {"REQUEST", "Value", "FIC-101"}), Fields({"NODATA", "Value", "FIC-101"}));
    EXPECT_EQ(askLine(system, {"REQUEST", "System", "Topics"}),
              Fields({"DATA", "System", "Topics", "System,Value,Quality"}));
    EXPECT_EQ(askLine(system, {"REQUEST", "System", "Status"}), Fields({"DATA", "System", "Status", "CIU Off-Line"}));
    EXPECT_EQ(askLine(system, {"REQUEST", "Value", "FIC-101"}), Fields({"NODATA", "Value", "FIC-101"}))
        << "a topic the client has not connected";
    start();
    driver().refresh();
    EXPECT_EQ(askLine(values, {"REQUEST", "Value", "FIC-101"}), Fields({"DATA", "Value", "FIC-101", "12.5000"}));
    EXPECT_EQ(askLine(values, {"REQUEST", "Value", "FIC-101", "CF_BITMAP"}), Fields({"NODATA", "Value", "FIC-101"}));
    EXPECT_EQ(askLine(values, {"REQUEST", "Value", "NOPE"}), Fields({"NODATA", "Value", "NOPE"}));
    EXPECT_EQ(askLine(quality, {"REQUEST", "Quality", "PIC-102"}), Fields({"DATA", "Quality", "PIC-102", "Bad"}));
    EXPECT_EQ(askLine(quality, {"REQUEST", "Quality", "FIC-101"}), Fields({"DATA", "Quality", "FIC-101", "Good"}));
    EXPECT_EQ(askLine(system, {"REQUEST", "System", "Status"}),
              Fields({"DATA", "System", "Status", "Collection In-Progress"}));
    driver().stop();
    EXPECT_EQ(askLine(values, {"REQUEST", "Value", "FIC-101"}), Fields({"NODATA", "Value", "FIC-101"}));
}

TEST_F(CiuDdeServerTest, AdviseLoopsHearTheLatestValueEveryRefreshPeriodAndOutliveAStopAndStart)
{
    DdeClient client;
    connect(client, "Value");
    start();
    EXPECT_EQ(askLine(client, {"ADVISE", "Value", "FIC-101"}), Fields({"ACK", "ADVISE", "Value", "FIC-101"}));
    QStringList seen;
    for (int tick = 1; tick <= 5; ++tick) {
        m_sim.unit().setPoint(kFic, 10.0 + tick, false);
        waitForFreshValues();
        driver().refresh();
        seen << updates(client).join('|');
    }
    EXPECT_EQ(seen, QStringList({"11.0000", "", "13.0000", "", "15.0000"}));
    driver().stop();
    EXPECT_EQ(updates(client), QStringList{"15.0000"}) << "the final pass";
    m_sim.unit().setPoint(kFic, 20.0, false);
    start();
    driver().refresh();
    EXPECT_EQ(updates(client), QStringList{"20.0000"}) << "no new advise after the start";
    EXPECT_EQ(askLine(client, {"UNADVISE", "Value", "FIC-101"}), Fields({"ACK", "UNADVISE", "Value", "FIC-101"}));
    m_sim.unit().setPoint(kFic, 21.0, false);
    waitForFreshValues();
    driver().refresh();
    driver().refresh();
    EXPECT_EQ(updates(client), QStringList{});
}

// Loops follow their item by name: one opened before the start delivers once the tag is
// served, and keeps its tag when a new start lists the tags in another order; one
// client's UNADVISE leaves another's loop on the same tag as it was.
TEST_F(CiuDdeServerTest, AdviseLoopsFollowTheirTagByNameAndBelongToTheirClient)
{
    DdeClient early, other;
    connect(early, "Value");
    connect(other, "Value");
    EXPECT_EQ(askLine(early, {"ADVISE", "Value", "PIC-102"}), Fields({"ACK", "ADVISE", "Value", "PIC-102"}));
    EXPECT_EQ(askLine(other, {"ADVISE", "Value", "PIC-102"}), Fields({"ACK", "ADVISE", "Value", "PIC-102"}));
    EXPECT_EQ(askLine(early, {"ADVISE", "Value", "NO-TAG-IS-SO-LONG"}),
              Fields({"NACK", "ADVISE", "Value", "NO-TAG-IS-SO-LONG"}));
    start();
    driver().refresh();
    EXPECT_EQ(updates(early), QStringList{"3.0000"}) << "the loop opened before the start";
    EXPECT_EQ(updates(other), QStringList{"3.0000"});
    driver().stop();
    EXPECT_EQ(updates(early), QStringList{"3.0000"}) << "the final pass";
    EXPECT_EQ(updates(other), QStringList{"3.0000"});

    start(true);
    m_sim.unit().setPoint(kPic, 4.0, true);
    waitForFreshValues();
    driver().refresh();
    EXPECT_EQ(updates(early), QStringList{"4.0000"}) << "PIC-102 is the first tag now";
    EXPECT_EQ(updates(other), QStringList{"4.0000"});
    EXPECT_EQ(askLine(other, {"UNADVISE", "Value", "PIC-102", "CF_TEXT"}),
              Fields({"ACK", "UNADVISE", "Value", "PIC-102"}));
    m_sim.unit().setPoint(kPic, 5.0, true);
    waitForFreshValues();
    driver().refresh();
    driver().refresh();
    EXPECT_EQ(updates(early), QStringList{"5.0000"});
    EXPECT_EQ(updates(other), QStringList{});
}

TEST_F(CiuDdeServerTest, ASecondServerOfTheSameServiceIsReportedAndTheProgramGoesOnWithoutIt)
{
    ASSERT_NE(driver().ddeServer(), nullptr);
    tk70test::MessageRecorder recorder;
    CCiuDriver second(*m_store);
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].text, "Error Initializing DDE Server.");
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(second.ddeServer(), nullptr);
    ASSERT_TRUE(m_store->setDword(kProgramKey, "DdeServerEnabled", 0));
    CCiuDriver off(*m_store);
    EXPECT_EQ(off.ddeServer(), nullptr);
    EXPECT_EQ(recorder.messages().size(), 1u);
}

}  // namespace
