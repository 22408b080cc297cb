// Renders every window of this folder to a PNG under the build's screenshots folder, for
// review by eye; the test itself checks only that each picture was written.
#include "dialogs/about_box.h"
#include "dialogs/auto_start_countdown_dialog.h"
#include "dialogs/dde_options_dialog.h"
#include "dialogs/startup_settings_dialog.h"
#include "dialogs/startup_window.h"
#include "dialogs/system_figures.h"

#include <QDir>
#include <QTest>
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

TEST(Screenshots, EveryWindow)
{
    AppSettings settings;
    settings.autoStartEnabled = true;
    settings.specificAutoStartFile = true;
    settings.autoStartTsfFilename = QStringLiteral("/home/operator/plant/unit1-boiler.tsf");
    StartupSettingsDialog startup(settings);
    shoot(startup, "startup_settings");
    DdeOptionsDialog dde(settings);
    shoot(dde, "dde_server_options");
    AutoStartCountdownDialog countdown;
    countdown.setCountdown(60000);
    shoot(countdown, "auto_data_collection");
    AboutBox about;
    about.setFigures(memoryText(16318976), diskSpaceText(DiskSpace{48213, QStringLiteral("/home")}));
    shoot(about, "about");
    StartupWindow window;
    shoot(window, "startup_window");
}
