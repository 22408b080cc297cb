// Renders both driver dialogs to PNGs under the build's screenshots folder, for review by
// eye; the test itself checks only that each picture was written.
#include "advanced_settings_dialog.h"
#include "comm_access.h"
#include "driver_dialog_fixture.h"
#include "driver_status_dialog.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

void shoot(QWidget &widget, const char *name)
{
    const QString folder = QStringLiteral(TK70_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png");
    EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
    widget.close();
}

}  // namespace

class DriverDialogScreenshots : public DriverDialogTest {};

TEST_F(DriverDialogScreenshots, BothDialogs)
{
    CiuCommStruct *record = CiuInitializeCommStruct();
    ASSERT_TRUE(m_store.setString(kKey, "Com1Device", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART-if00-port0"));
    AdvancedSettingsDialog settings(driver(), m_store);
    shoot(settings, "driver_advanced_settings");
    vantor::storeField(record->CommandCount, 48213);
    vantor::storeField(record->ErrorCount, 2);
    vantor::storeField(record->RestartCount, 1);
    DriverStatusDialog status(driver());
    shoot(status, "driver_status");
}
