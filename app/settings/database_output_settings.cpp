// Database output settings: see database_output_settings.h.
#include "app/settings/database_output_settings.h"

namespace tk70 {

DatabaseSettings databaseSettingsOf(const AppSettings &settings)
{
    DatabaseSettings database;
    database.doublePrecision = settings.accessDataPrecision != 0;
    database.tagInfoTableName = settings.accessTagInfoTableName;
    database.dataTableName = settings.accessCollectedDataTableName;
    database.markPointErrors = settings.accessMarkPointErrors != 0;
    database.markBadQuality = settings.accessMarkBadQuality != 0;
    database.pointErrorValue = settings.accessPointErrorValue;
    database.badQualityValue = settings.accessBadQualityValue;
    return database;
}

void applyDatabaseSettings(const AppSettings &settings) { setCurrentDatabaseSettings(databaseSettingsOf(settings)); }

}  // namespace tk70
