// The fixture of the driver dialog tests: see driver_dialog_fixture.h.
#include "tests/driverclient/view/driver_dialog_fixture.h"
#include "tests/support/wait_for_events.h"

#include "driver/thread_control.h"

using namespace tk70;

DriverDialogTest::DriverDialogTest() { vantor::setPhaseWaits(vantor::PhaseWaits{5, 5, 5, 5}); }

DriverDialogTest::~DriverDialogTest()
{
    m_driver.reset();
    m_sim.stop();
    CiuSetPortDevice(1, nullptr);
    CiuSetPortDevice(2, nullptr);
    vantor::setPhaseWaits(vantor::PhaseWaits{});
}

CCiuDriver &DriverDialogTest::driver()
{
    if (!m_driver)
        m_driver = std::make_unique<CCiuDriver>(m_store);
    return *m_driver;
}

void DriverDialogTest::startSimulator()
{
    ASSERT_TRUE(m_sim.start()) << m_sim.errorText();
    CCiuDriver &d = driver();
    d.setLogSettings(false, false, QStringLiteral("TK70Pro.LOG"));
    d.setSetting(DriverSetting::DtrPulse, 1);
    d.setSetting(DriverSetting::RestartDelay, 1);
    d.setSetting(DriverSetting::CommandPace, 10);
}

bool DriverDialogTest::startCollection()
{
    CCiuDriver &d = driver();
    d.setComPort(1);
    d.createEvents();
    d.clearPoints();
    d.addPoint(QStringLiteral("FIC-101"), 1, 2, 3, 101, 5);
    return d.start() && tk70test::waitFor([&] { return d.monitoring() == 1; }, 10000);
}
