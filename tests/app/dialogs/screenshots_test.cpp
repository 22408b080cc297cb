// Renders every window of this folder to a PNG under the build's screenshots folder, for
// review by eye; the test itself checks only that each picture was written.
#include "app/settings/system_figures.h"
#include "app/view/dialogs/about_box.h"
#include "app/view/dialogs/auto_start_countdown_dialog.h"
#include "app/view/dialogs/dde_options_dialog.h"
#include "app/view/dialogs/startup_settings_dialog.h"
#include "app/view/dialogs/startup_window.h"
#include "tests/support/screenshot.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tk70;

TEST(Screenshots, EveryWindow)
{
    AppSettings settings;
    settings.autoStartEnabled = true;
    settings.specificAutoStartFile = true;
    settings.autoStartTsfFilename = QStringLiteral("/home/operator/plant/unit1-boiler.tsf");
    StartupSettingsDialog startup(settings);
    tk70test::shoot(startup, "startup_settings");
    DdeOptionsDialog dde(settings);
    tk70test::shoot(dde, "dde_server_options");
    AutoStartCountdownDialog countdown;
    countdown.setCountdown(60000);
    tk70test::shoot(countdown, "auto_data_collection");
    AboutBox about;
    about.setFigures(memoryText(16318976), diskSpaceText(DiskSpace{48213, QStringLiteral("/home")}));
    tk70test::shoot(about, "about");
    StartupWindow window;
    tk70test::shoot(window, "startup_window");
}
