// The driver client against the real driver: settings taken from the settings store by
// their rules, the point list and the automatic point detection, start and stop against
// the CIU simulator, the value cache, and the tuning exchange with its verification.
#include "ciusim/pty_server.h"
#include "driver/number_format.h"
#include "driver/thread_control.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_store.h"
#include "tests/support/driver_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

using namespace tk70;

namespace {

using tk70test::waitUntil;

}  // namespace

class DriverClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("TK70_DDE_DIR", QFile::encodeName(m_dir.filePath("dde")));  // a DDE server of its own
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("registry"));
        vantor::setPhaseWaits(vantor::PhaseWaits{5, 5, 5, 5});
    }
    void TearDown() override
    {
        m_driver.reset();
        CiuSetPortDevice(1, nullptr);
        CiuSetPortDevice(2, nullptr);
        vantor::setPhaseWaits(vantor::PhaseWaits{});
    }

    CCiuDriver &driver()
    {
        if (!m_driver)
            m_driver = std::make_unique<CCiuDriver>(*m_store);
        return *m_driver;
    }
    void dword(const char *name, quint32 value) { ASSERT_TRUE(m_store->setDword(kDriverKey, name, value)); }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<CCiuDriver> m_driver;
};

TEST_F(DriverClientTest, WithoutAnyStoredSettingsTheDefaultsApplyWithTheLogOn)
{
    CCiuDriver &d = driver();
    EXPECT_TRUE(d.logEnabled());
    EXPECT_FALSE(d.logDetailed());
    EXPECT_EQ(d.logFileName(), "TK70Pro.LOG");
    EXPECT_EQ(d.setting(DriverSetting::AutoPointDetection), 1);
    EXPECT_EQ(d.setting(DriverSetting::RxTimeout), 5000);
    EXPECT_EQ(d.setting(DriverSetting::WatchdogValue), 10);
    EXPECT_EQ(d.maxTagCount(), 30);
}

TEST_F(DriverClientTest, StoredValuesSetTheirFieldsAndOthersAreIgnored)
{
    dword("RxTimeout", 1234);
    dword("IdlePriority", static_cast<quint32>(-2));
    dword("AddOption", 0x1FF);
    dword("AutoPointDetection", 0);
    dword("CiuMode", 9);
    ASSERT_TRUE(m_store->setString(kDriverKey, "TxTimeout", "77"));  // a text, not a number
    CCiuDriver &d = driver();
    EXPECT_EQ(d.setting(DriverSetting::RxTimeout), 1234);
    EXPECT_EQ(d.setting(DriverSetting::IdlePriority), -2);
    EXPECT_EQ(d.setting(DriverSetting::AddOption), 0xFF);
    EXPECT_EQ(d.setting(DriverSetting::AutoPointDetection), 0);
    EXPECT_EQ(d.setting(DriverSetting::CiuMode), 9);
    EXPECT_EQ(d.setting(DriverSetting::TxTimeout), 5000);
}

TEST_F(DriverClientTest, TheWatchdogValueCountsOnlyWithItsSwitch)
{
    dword("WatchdogValue", 25);
    EXPECT_EQ(driver().setting(DriverSetting::WatchdogValue), 10);
    m_driver.reset();
    dword("WatchdogEnabled", 1);
    EXPECT_EQ(driver().setting(DriverSetting::WatchdogValue), 25);
    m_driver.reset();
    ASSERT_TRUE(m_store->removeValue(kDriverKey, "WatchdogValue"));
    EXPECT_EQ(driver().setting(DriverSetting::WatchdogValue), 10);
    m_driver.reset();
    dword("WatchdogEnabled", 0);
    EXPECT_EQ(driver().setting(DriverSetting::WatchdogValue), 0);
}

TEST_F(DriverClientTest, TheLogValuesApplyTogetherOrNotAtAll)
{
    dword("LogFileEnabled", 1);
    dword("LogFileDetailed", 1);
    EXPECT_EQ(driver().logFileName(), "TK70Pro.LOG");  // no name stored: nothing applies
    EXPECT_FALSE(driver().logDetailed());
    m_driver.reset();

    ASSERT_TRUE(m_store->setString(kDriverKey, "LogFileName", "plain.log"));  // wrong type
    EXPECT_EQ(driver().logFileName(), "TK70Pro.LOG");
    m_driver.reset();

    ASSERT_TRUE(m_store->setMultiString(kDriverKey, "LogFileName", QByteArray("plant.log\0", 10)));
    EXPECT_EQ(driver().logFileName(), "plant.log");
    EXPECT_TRUE(driver().logDetailed());
    m_driver.reset();

    dword("LogFileDetailed", 2);  // not a flag: nothing applies
    EXPECT_EQ(driver().logFileName(), "TK70Pro.LOG");
    m_driver.reset();

    dword("LogFileDetailed", 0);
    dword("LogFileEnabled", 0);  // logging off, the name stays
    EXPECT_FALSE(driver().logEnabled());
    EXPECT_EQ(driver().logFileName(), "TK70Pro.LOG");
}

TEST_F(DriverClientTest, PointMixSetsPollingBeforeTheConnectionOpens)
{
    struct Case {
        int nonExc, exc, points, delay;
    } cases[] = {{10, 10, 12, 0}, {2, 8, 5, 150}, {4, 0, 25, 0}, {0, 6, 3, 200}};
    for (const Case &c : cases) {
        CCiuDriver &d = driver();
        d.createEvents();
        for (int k = 0; k < c.nonExc; ++k)
            d.addPoint("NE", 1, 1, 1, k + 1, 99);
        for (int k = 0; k < c.exc; ++k)
            d.addPoint("AE", 1, 1, 1, 100 + k, 5);
        CiuSetPortDevice(1, "/nonexistent/ciu");  // the open fails after the settings are made
        d.setLogSettings(false, false, "x.log");
        EXPECT_FALSE(d.start());
        EXPECT_EQ(d.setting(DriverSetting::NonExpPoints), c.points) << c.nonExc << "/" << c.exc;
        EXPECT_EQ(d.setting(DriverSetting::ExpDelay), c.delay);
        EXPECT_EQ(d.setting(DriverSetting::NonExpEnabled), c.nonExc > 0 ? 1 : 0);
        EXPECT_EQ(d.setting(DriverSetting::ExpReadsEnabled), c.exc > 0 ? 1 : 0);
        m_driver.reset();
    }
}

TEST_F(DriverClientTest, NoPointsOrAThirtyFirstPointAreRefused)
{
    CCiuDriver &d = driver();
    d.createEvents();
    EXPECT_FALSE(d.start());
    for (int k = 1; k <= 30; ++k)
        EXPECT_EQ(d.addPoint(QString("T%1").arg(k), 1, 1, 1, k, 5), k);
    EXPECT_EQ(d.addPoint("T31", 1, 1, 1, 31, 5), 0);
    EXPECT_EQ(d.tagName(29), "T30");
    EXPECT_EQ(d.tagName(30), QString());
}

TEST_F(DriverClientTest, StoredPortDevicesNameTheComPorts)
{
    ciusim::PtyServer sim;
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(m_store->setString(kDriverKey, "Com2Device", QString::fromStdString(sim.devicePath())));
    CCiuDriver &d = driver();
    d.setLogSettings(false, false, "x.log");
    d.setSetting(DriverSetting::DtrPulse, 1);
    d.setSetting(DriverSetting::RestartDelay, 1);
    d.setComPort(2);
    d.createEvents();
    d.addPoint("FIC-101", 1, 2, 3, 101, 5);
    ASSERT_TRUE(d.start());
    EXPECT_TRUE(waitUntil([&] { return d.monitoring() == 1; }));
    d.stop();
}

class DriverClientConnectionTest : public DriverClientTest {
protected:
    void SetUp() override
    {
        DriverClientTest::SetUp();
        ASSERT_TRUE(m_sim.start());
        CiuSetPortDevice(1, m_sim.devicePath().c_str());
        CCiuDriver &d = driver();
        d.setLogSettings(true, false, m_dir.filePath("TK70Pro.LOG"));
        d.setSetting(DriverSetting::DtrPulse, 1);
        d.setSetting(DriverSetting::RestartDelay, 1);
        d.setSetting(DriverSetting::CommandPace, 10);
        ASSERT_TRUE(d.createEvents());
    }
    void TearDown() override
    {
        m_driver.reset();
        m_sim.stop();
        DriverClientTest::TearDown();
    }

    ciusim::PtyServer m_sim;
};

TEST_F(DriverClientConnectionTest, RefreshFillsTheCacheOnlyWhileConnected)
{
    CCiuDriver &d = driver();
    m_sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, 101}, 33.5, false);
    d.addPoint("FIC-101", 1, 2, 3, 101, 5);
    d.refresh();
    EXPECT_EQ(d.value(0), 0.0);
    EXPECT_EQ(d.quality(0), 0);
    ASSERT_TRUE(d.start());
    EXPECT_TRUE(d.isRunning());
    ASSERT_TRUE(waitUntil([&] { return d.monitoring() == 1; }));
    d.refresh();
    EXPECT_EQ(d.value(0), 33.5);
    EXPECT_EQ(d.quality(0), 0);
    EXPECT_EQ(d.establishStatus(0), 0);
    EXPECT_EQ(d.ciuStatusValue(), 3.0);
    EXPECT_EQ(d.connectionState(), 5);
    EXPECT_EQ(d.ciuLoop(), 1);
    EXPECT_EQ(d.stop(), 1);
    EXPECT_FALSE(d.isRunning());
    m_sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, 101}, 50.0, false);
    d.refresh();
    EXPECT_EQ(d.value(0), 33.5);  // not connected: the cache stays
    EXPECT_EQ(d.ciuStatusValue(), 0.0);
}

// A start makes the cache read as the driver's table reads before the first values:
// 0.0 of bad quality, not yet established, until a refresh has read the value array.
// Samples taken before then are marked bad instead of passing off 0.0 or the last run's
// values as good.
TEST_F(DriverClientConnectionTest, EachStartMarksTheCacheBadUntilARefreshReadsTheValues)
{
    CCiuDriver &d = driver();
    m_sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, 101}, 33.5, false);
    const auto cache = [&] { return std::tuple{d.value(0), d.quality(0), d.establishStatus(0)}; };
    for (int run = 1; run <= 2; ++run) {
        d.clearPoints();
        d.addPoint("FIC-101", 1, 2, 3, 101, 5);
        ASSERT_TRUE(d.start());
        EXPECT_EQ(cache(), std::tuple(0.0, 1, -1)) << "run " << run;
        ASSERT_TRUE(waitUntil([&] {
            d.refresh();
            return d.quality(0) == 0;
        }));
        EXPECT_EQ(cache(), std::tuple(33.5, 0, 0)) << "run " << run;
        d.stop();
    }
}

TEST_F(DriverClientConnectionTest, StartStopStartWithANewPointList)
{
    CCiuDriver &d = driver();
    d.addPoint("FIC-101", 1, 2, 3, 101, 5);
    ASSERT_TRUE(d.start());
    ASSERT_TRUE(waitUntil([&] { return d.monitoring() == 1; }));
    d.stop();

    d.clearPoints();
    m_sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, 202}, 12.0, false);
    d.addPoint("XV-202", 1, 2, 3, 201, 7);
    d.addPoint("PIC-202", 1, 2, 3, 202, 1);
    ASSERT_TRUE(d.start());
    ASSERT_TRUE(waitUntil([&] { return d.monitoring() == 1; }));
    d.refresh();
    EXPECT_EQ(d.pointCount(), 2);
    EXPECT_EQ(d.value(1), 12.0);
    EXPECT_EQ(d.establishStatus(0), 0);
    EXPECT_EQ(d.setting(DriverSetting::ExpDelay), 200);
}

TEST_F(DriverClientConnectionTest, ATuneWriteIsVerifiedAgainstAFreshRead)
{
    CCiuDriver &d = driver();
    d.addPoint("FIC-101", 1, 2, 3, 101, 5);
    ASSERT_TRUE(d.start());
    ASSERT_TRUE(waitUntil([&] { return d.monitoring() == 1; }));
    CiuResetTuneRequest();
    EXPECT_FALSE(d.requestTuneWrite());  // nothing read yet
    ASSERT_TRUE(d.requestTuneRead(1, 1, 2, 20));
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    ASSERT_EQ(CiuGetTuneErrorStatus(), 0);
    int tunable = 0;
    for (int n = 1; n <= CiuGetTuneSpecCount() && tunable == 0; ++n)
        if (d.tuneSpecTunable(n) && CiuGetTuneSpecType(n) == 2)
            tunable = n;
    ASSERT_GT(tunable, 0);
    EXPECT_TRUE(d.setTuneSpecValue(tunable, 42.0));
    EXPECT_FALSE(d.setTuneSpecValue(tunable, 1e9));  // beyond the range: refused, never counted as set
    EXPECT_EQ(d.tuneSpecValue(tunable), 42.0);
    EXPECT_FALSE(d.setTuneSpecValue(5, 300));  // S5, a byte: refused
    ASSERT_TRUE(d.requestTuneWrite());
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    ASSERT_TRUE(d.requestTuneRead(1, 1, 2, 20));
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    EXPECT_TRUE(d.verifyTuneWrite());

    ASSERT_TRUE(m_sim.unit().setBlockSpec(ciusim::PlantAddress{1, 1, 2, 20}, tunable, 43.0));
    ASSERT_TRUE(d.requestTuneRead(1, 1, 2, 20));
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    EXPECT_FALSE(d.verifyTuneWrite());
}

// A block may hold a real beyond the range a value may be set to (above 9,999,999.999).
// Offered back as shown, with another spec changed, the block still updates and verifies;
// another value beyond the range is refused.
TEST_F(DriverClientConnectionTest, AnUntouchedValueBeyondTheDisplayRangeDoesNotStopAnUpdate)
{
    const ciusim::PlantAddress address{1, 1, 2, 50};
    ciusim::FunctionBlock block(address, 19, {ciusim::SpecGroup{2, true, 0, 2}});
    std::uint8_t huge[3];
    vantor::encodeReal3(2.5e7, huge);
    ASSERT_TRUE(block.setSpecBytes(1, huge));
    m_sim.unit().putBlock(block);
    CCiuDriver &d = driver();
    d.addPoint("FIC-101", 1, 2, 3, 101, 5);
    ASSERT_TRUE(d.start());
    ASSERT_TRUE(waitUntil([&] { return d.monitoring() == 1; }));
    const double held = vantor::decodeReal3(huge);
    ASSERT_TRUE(d.requestTuneRead(1, 1, 2, 50));
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    ASSERT_EQ(d.tuneSpecValue(1), held);
    EXPECT_TRUE(d.setTuneSpecValue(1, QString::asprintf("%f", held).toDouble()));
    EXPECT_FALSE(d.setTuneSpecValue(1, 3e7));
    EXPECT_EQ(d.tuneSpecValue(1), held);
    EXPECT_TRUE(d.setTuneSpecValue(2, 7.5));
    ASSERT_TRUE(d.requestTuneWrite());
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    ASSERT_TRUE(d.requestTuneRead(1, 1, 2, 50));
    ASSERT_TRUE(waitUntil([] { return CiuIsTunePending() == 0; }));
    EXPECT_TRUE(d.verifyTuneWrite());
    EXPECT_EQ(m_sim.unit().block(address)->specValue(2), 7.5);
    EXPECT_EQ(m_sim.unit().block(address)->specValue(1), held);
}
