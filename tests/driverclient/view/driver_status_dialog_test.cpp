// The driver status dialog on real widgets over the real driver: the idle driver, a
// collection against the CIU simulator, the counters that outlive a connection until
// "&Reset Counters" (or Escape) clears them, the refresh timer, and the ways to close.
#include "driver/comm_access.h"
#include "driverclient/view/driver_status_dialog.h"
#include "tests/driverclient/view/driver_dialog_fixture.h"
#include "tests/support/modal_helper.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tk70;
using tk70test::press;

class DriverStatusDialogTest : public DriverDialogTest {
protected:
    DriverStatusDialog &open()
    {
        m_dialog = std::make_unique<DriverStatusDialog>(driver());
        m_dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        return *m_dialog;
    }
    QString field(const char *name) const { return find<QLineEdit>(m_dialog.get(), name)->text(); }
    QStringList counters() const { return {field("restarts"), field("commands"), field("errors")}; }

    std::unique_ptr<DriverStatusDialog> m_dialog;
};

TEST_F(DriverStatusDialogTest, AnIdleDriverIsDisconnectedAndNotReady)
{
    open();
    EXPECT_EQ(m_dialog->windowTitle(), "TK70 Pro Driver Status");
    EXPECT_EQ(find<QLabel>(m_dialog.get(), "revision")->text(), "Driver Revision # 1.16");
    const std::pair<const char *, const char *> fields[] = {{"collectionStatus", "Disconnected"},
                                                            {"readyStatus", "Not Ready"},
                                                            {"operatingStatus", "0"},
                                                            {"moduleType", "-1"},
                                                            {"ciuPcu", "-1"},
                                                            {"comPort", "1"},
                                                            {"baudRate", "9600"},
                                                            {"errors", "0"}};
    for (const auto &[name, value] : fields)
        EXPECT_EQ(field(name), value) << name;
    auto *group = find<QGroupBox>(m_dialog.get(), "countersGroup");
    EXPECT_EQ(group->title(), "CIU Status Counters");
    EXPECT_TRUE(group->font().bold());
    auto *timer = m_dialog->findChild<QTimer *>("refreshTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2000);
}

TEST_F(DriverStatusDialogTest, ACollectionShowsAndTheCountersOutliveItUntilReset)
{
    startSimulator();
    CiuSetPortDevice(1, m_sim.devicePath().c_str());
    ASSERT_TRUE(startCollection());
    open();
    EXPECT_EQ(field("collectionStatus"), "Collection In-Progress");
    EXPECT_EQ(field("readyStatus"), "Ready");
    EXPECT_EQ(field("operatingStatus"), "3");
    EXPECT_EQ(field("ciuLoop"), "1");
    EXPECT_GT(field("commands").toInt(), 0);

    driver().stop();
    m_dialog->refresh();
    EXPECT_EQ(field("collectionStatus"), "Disconnected");
    EXPECT_EQ(field("readyStatus"), "Not Ready");
    EXPECT_EQ(field("operatingStatus"), "0");
    EXPECT_GT(field("commands").toInt(), 0);
    press(find<QPushButton>(m_dialog.get(), "resetCounters"));
    EXPECT_EQ(counters(), (QStringList{"0", "0", "0"}));
    EXPECT_EQ(driver().commands(), 0);
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(DriverStatusDialogTest, TheTimerRefreshesEscapeResetsAndOkOrTheCloseButtonClose)
{
    CiuCommStruct *record = CiuInitializeCommStruct();
    driver();
    open();
    vantor::storeField(record->CommandCount, 12);
    vantor::storeField(record->ErrorCount, 3);
    EXPECT_TRUE(tk70test::waitFor([&] { return field("commands") == "12"; }, 5000));
    EXPECT_EQ(field("errors"), "3");

    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(counters(), (QStringList{"0", "0", "0"}));
    EXPECT_TRUE(m_dialog->isVisible());
    m_dialog->close();
    EXPECT_FALSE(m_dialog->isVisible());

    open();
    press(find<QPushButton>(m_dialog.get(), "ok"));
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog->isVisible());
}
