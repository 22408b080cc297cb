// The database output's settings as the program last handed them over.
#include "collect/database/database_settings.h"

#include <mutex>

namespace tk70 {
namespace {

std::mutex &settingsMutex()
{
    static std::mutex mutex;
    return mutex;
}

DatabaseSettings &storedSettings()
{
    static DatabaseSettings settings;
    return settings;
}

}  // namespace

DatabaseSettings currentDatabaseSettings()
{
    std::lock_guard lock(settingsMutex());
    return storedSettings();
}

void setCurrentDatabaseSettings(const DatabaseSettings &settings)
{
    std::lock_guard lock(settingsMutex());
    storedSettings() = settings;
}

}  // namespace tk70
