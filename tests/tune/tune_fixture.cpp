// The fixture of the tuning tests: see tune_fixture.h.
#include "tests/tune/tune_fixture.h"

#include "driver/thread_control.h"
#include "tests/support/modal_helper.h"

using namespace tk70;

namespace {

ciusim::SimConfig simulatorConfig()
{
    ciusim::SimConfig config;
    ciusim::FunctionBlock twenty(ciusim::PlantAddress{1, 1, 2, 60}, 19, {ciusim::SpecGroup{20, true, 0, 2}});
    for (int n = 1; n <= 20; ++n)
        twenty.setSpecValue(n, n);
    config.blocks.push_back(twenty);
    config.blocks.push_back(
        ciusim::FunctionBlock(ciusim::PlantAddress{1, 1, 2, 61}, 0, {ciusim::SpecGroup{1, true, 0, 2}}));
    return config;
}

}  // namespace

TuneTest::TuneTest() : m_store(m_dir.filePath(QStringLiteral("registry"))), m_sim(simulatorConfig()) {}

void TuneTest::SetUp()
{
    vantor::setPhaseWaits(vantor::PhaseWaits{5, 5, 5, 5});
    ASSERT_TRUE(m_sim.start()) << m_sim.errorText();
    CiuSetPortDevice(1, m_sim.devicePath().c_str());
    m_driver = std::make_unique<CCiuDriver>(m_store);
    CCiuDriver &d = driver();
    d.setLogSettings(false, false, QStringLiteral("TK70Pro.LOG"));
    d.setSetting(DriverSetting::DtrPulse, 1);
    d.setSetting(DriverSetting::RestartDelay, 1);
    d.setSetting(DriverSetting::CommandPace, 10);
    d.setSetting(DriverSetting::RxTimeout, 1500);  // above the replies the tests slow to 500 ms
    ASSERT_TRUE(d.createEvents());
    d.addPoint(QStringLiteral("FIC-101"), 1, 2, 3, 101, 5);
    ASSERT_TRUE(d.start());
    ASSERT_TRUE(tk70test::waitFor([&] { return d.monitoring() == 1; }));
    m_session = std::make_unique<TuneSession>(
        d, [this] { return m_inhibited; }, m_clock);
    QObject::connect(m_session.get(), &TuneSession::beep, [this] { ++m_beeps; });
    m_session->open();
}

void TuneTest::TearDown()
{
    m_sim.faults().clear();
    m_session.reset();
    m_driver.reset();
    m_sim.stop();
    CiuSetPortDevice(1, nullptr);
    vantor::setPhaseWaits(vantor::PhaseWaits{});
}

bool TuneTest::waitIdle(int deadlineMs)
{
    return tk70test::waitFor([this] { return !m_session->waiting(); }, deadlineMs);
}

bool TuneTest::readBlock(int block) { return session().read(address(block)) && waitIdle(); }
