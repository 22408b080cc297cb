// The program settings of the database output ("Access..." values) handed to the
// collection, and the check of the database engine at start-up.
#pragma once

#include "app_settings.h"
#include "database_settings.h"

namespace tk70 {

// The database output's choices held in settings.
DatabaseSettings databaseSettingsOf(const AppSettings &settings);
// Makes the outputs opened from now on write with the choices of settings.
void applyDatabaseSettings(const AppSettings &settings);

// Checks that Qt's SQLite driver can be loaded, unless "InhibitDaoDllCheck" is set; when
// it is missing the message naming the package is shown and false returned.
bool checkDatabaseEngine(const AppSettings &settings);

}  // namespace tk70
