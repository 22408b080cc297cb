// The program settings of the database output ("Access..." values) handed to the
// collection.  The engine itself is checked by the start of a collection that has a
// database group.
#pragma once

#include "app/settings/app_settings.h"
#include "collect/database/database_settings.h"

namespace tk70 {

// The database output's choices held in settings.
DatabaseSettings databaseSettingsOf(const AppSettings &settings);
// Makes the outputs opened from now on write with the choices of settings.
void applyDatabaseSettings(const AppSettings &settings);

}  // namespace tk70
