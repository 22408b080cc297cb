// The program settings of the historian output ("StationName", "HistorianSpoolLimitMB")
// handed to the collection.
#pragma once

#include "app/settings/app_settings.h"
#include "collect/historian/historian_settings.h"

namespace tk70 {

// The spool bound a setting may give, in MB: a stored number outside it is taken as the
// nearest end.
inline constexpr int kSpoolLimitMinMB = 16;
inline constexpr int kSpoolLimitMaxMB = 1024 * 1024;

// The choices of settings, the spools in spoolFolder (the folder of the settings store).
HistorianSettings historianSettingsOf(const AppSettings &settings, const QString &spoolFolder);
// Makes the historian outputs opened from now on use the choices of settings, with their
// spools beside the settings store's file at storePath.
void applyHistorianSettings(const AppSettings &settings, const QString &storePath);

}  // namespace tk70
