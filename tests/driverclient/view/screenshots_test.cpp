// Renders both driver dialogs to PNGs under the build's screenshots folder, for review by
// eye; the test itself checks only that each picture was written.
#include "driver/comm_access.h"
#include "driverclient/view/advanced_settings_dialog.h"
#include "driverclient/view/driver_status_dialog.h"
#include "tests/driverclient/view/driver_dialog_fixture.h"
#include "tests/support/screenshot.h"

#include <gtest/gtest.h>

using namespace tk70;

class DriverDialogScreenshots : public DriverDialogTest {};

TEST_F(DriverDialogScreenshots, BothDialogs)
{
    CiuCommStruct *record = CiuInitializeCommStruct();
    ASSERT_TRUE(m_store.setString(kKey, "Com1Device", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART-if00-port0"));
    AdvancedSettingsDialog settings(driver(), m_store);
    tk70test::shoot(settings, "driver_advanced_settings");
    vantor::storeField(record->CommandCount, 48213);
    vantor::storeField(record->ErrorCount, 2);
    vantor::storeField(record->RestartCount, 1);
    DriverStatusDialog status(driver());
    tk70test::shoot(status, "driver_status");
}
