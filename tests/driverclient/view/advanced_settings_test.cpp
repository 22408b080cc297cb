// The rules behind the advanced settings: watchdog seconds, what is saved under which
// name and type (read back by the driver client's own loader) in one write of the file,
// and the serial devices found below a root folder.
#include "driverclient/advanced_settings.h"
#include "driverclient/advanced_settings_rules.h"
#include "driverclient/serial_devices.h"
#include "tests/driverclient/view/driver_dialog_fixture.h"
#include "tests/platform/file_replacements.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tk70;
using S = DriverSetting;

TEST(WatchdogRule, EveryByteShownAndSavedAgainStaysTheSame)
{
    for (int byte = 0; byte <= 255; ++byte)
        EXPECT_EQ(watchdogByte(watchdogSeconds(byte)), byte) << byte;
    EXPECT_EQ(watchdogByte(24), 9);
    EXPECT_EQ(watchdogByte(kMaxWatchdogSeconds), 255);
}

// The dialog's enabling, without the dialog: each rule on its own, and the switches a rule
// leaves alone kept as they stand.
TEST(AdvancedFieldsRule, AutomaticDetectionClearsAndClosesBothReadsAndTheirCount)
{
    AdvancedSwitches on;
    on.autoDetection = on.expReads = on.nonExpReads = on.writes = true;
    const AdvancedFields automatic = advancedFields(on);
    EXPECT_FALSE(automatic.readsOpen);
    EXPECT_FALSE(automatic.switches.expReads);
    EXPECT_FALSE(automatic.switches.nonExpReads);
    EXPECT_FALSE(automatic.nonExpCountOpen);
    EXPECT_TRUE(automatic.switches.writes);
    EXPECT_TRUE(automatic.writeCountOpen);
    EXPECT_FALSE(automatic.writesOpen);

    on.autoDetection = false;
    const AdvancedFields manual = advancedFields(on);
    EXPECT_TRUE(manual.readsOpen);
    EXPECT_TRUE(manual.switches.expReads);
    EXPECT_TRUE(manual.nonExpCountOpen);
    EXPECT_FALSE(manual.writesOpen);
}

TEST(AdvancedFieldsRule, LoggingOffClearsDetailedAndClosesTheLogFields)
{
    AdvancedSwitches logging;
    logging.logEnabled = logging.logDetailed = true;
    EXPECT_TRUE(advancedFields(logging).logFieldsOpen);
    EXPECT_TRUE(advancedFields(logging).switches.logDetailed);
    logging.logEnabled = false;
    EXPECT_FALSE(advancedFields(logging).logFieldsOpen);
    EXPECT_FALSE(advancedFields(logging).switches.logDetailed);
}

TEST(AdvancedFieldsRule, ForcingAndDisablingTheEmulationExcludeEachOther)
{
    AdvancedSwitches both;
    both.forceCiu01 = both.disableCiu01 = true;  // as a settings file may hold them
    const AdvancedFields forced = advancedFields(both);
    EXPECT_TRUE(forced.switches.forceCiu01);
    EXPECT_FALSE(forced.switches.disableCiu01);
    EXPECT_TRUE(forced.forceCiu01Open);
    EXPECT_FALSE(forced.disableCiu01Open);

    AdvancedSwitches disabled;
    disabled.disableCiu01 = true;
    EXPECT_FALSE(advancedFields(disabled).forceCiu01Open);
    EXPECT_TRUE(advancedFields(disabled).disableCiu01Open);
    const AdvancedFields neither = advancedFields(AdvancedSwitches{});
    EXPECT_TRUE(neither.forceCiu01Open && neither.disableCiu01Open);
}

TEST(AdvancedFieldsRule, TheOverrideAndTheWatchdogAreOpenWhileChosen)
{
    AdvancedSwitches chosen;
    EXPECT_FALSE(advancedFields(chosen).overrideOpen);
    EXPECT_FALSE(advancedFields(chosen).watchdogOpen);
    chosen.manualOverride = chosen.watchdogEnabled = true;
    EXPECT_TRUE(advancedFields(chosen).overrideOpen);
    EXPECT_TRUE(advancedFields(chosen).watchdogOpen);
}

class AdvancedSettingsStoreTest : public DriverDialogTest {};

TEST_F(AdvancedSettingsStoreTest, SavedSettingsAreWhatTheDriverClientLoadsNextTime)
{
    AdvancedSettings settings = loadAdvancedSettings(driver(), m_store);
    loadModuleDefaults(ModuleType::SpmCpm, settings);
    settings.setValue(S::IdlePriority, -2);
    settings.setValue(S::ResetOptionValue, 77);
    settings.setWatchdog(true, 26);
    settings.logDetailed = true;
    settings.logFileName = QStringLiteral("plant.log");
    settings.portDevices[1] = QStringLiteral("/dev/ttyACM0");
    FileReplacements replacements(file());
    ASSERT_TRUE(saveAdvancedSettings(settings, m_store));
    EXPECT_EQ(replacements.take(), 1);  // some 33 values, one write

    reloadDriver();
    const AdvancedSettings loaded = loadAdvancedSettings(driver(), m_store);
    EXPECT_EQ(loaded.values, settings.values);
    EXPECT_TRUE(loaded.watchdogEnabled);
    EXPECT_EQ(loaded.watchdogSeconds(), 25);
    EXPECT_EQ(loaded.logFileName, "plant.log");
    EXPECT_TRUE(loaded.logDetailed);
    EXPECT_EQ(loaded.portDevices[1], "/dev/ttyACM0");
    EXPECT_EQ(m_store.value(kKey, "LogFileName")->type, RegType::MultiSz);
    EXPECT_EQ(m_store.value(kKey, "LogFileName")->data, QByteArray("plant.log\0", 10));
    EXPECT_EQ(m_store.value(kKey, "Com2Device")->type, RegType::Sz);
    for (const char *name : {"IdlePriority", "WatchdogEnabled", "WatchdogValue", "LogFileEnabled", "StopBits"})
        EXPECT_EQ(m_store.value(kKey, name)->type, RegType::Dword) << name;
    EXPECT_EQ(stored("IdlePriority"), 0xFFFFFFFEu);

    settings.portDevices[1].clear();  // back to the driver's default: nothing stored
    ASSERT_TRUE(saveAdvancedSettings(settings, m_store));
    EXPECT_FALSE(m_store.value(kKey, "Com2Device").has_value());
}

TEST(SerialDevices, EachKindInTurnNumberedByNumber)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("dev/serial/by-id"));
    ASSERT_TRUE(QDir(root.path()).mkpath("dev/ttyS7"));  // a folder is no device
    for (const char *name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB1", "ttyUSB0", "tty0", "console",
                             "serial/by-id/usb-FTDI_FT232R-if00-port0"}) {
        QFile file(root.filePath(QStringLiteral("dev/") + QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
    }
    EXPECT_EQ(serialDevices(root.path()),
              (QStringList{"/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0",
                           "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"}));
    EXPECT_EQ(serialDevices(root.filePath("missing")), QStringList{});
    EXPECT_EQ(defaultPortDevice(2), "/dev/ttyS1");
}
