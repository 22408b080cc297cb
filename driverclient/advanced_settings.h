// The driver settings that the advanced settings dialog edits, as one value: taken from
// the driver client, replaced by a module's defaults, written into the driver and saved
// to the settings store under the driver key.  No widgets.
//
// The serial devices are this platform's addition: "Com1Device" and "Com2Device" name
// the devices COM1 and COM2 stand for.  An empty device means the driver's default (the
// environment variable TK70_COM<n>, else /dev/ttyS<n-1>): nothing is stored for it and
// the driver forgets any device set before.
#pragma once

#include "driverclient/driver_settings.h"

#include <QString>
#include <array>
#include <map>

namespace tk70 {

class CCiuDriver;
class SettingsStore;

// The two module types with a set of defaults.
enum class ModuleType { SpmCpm, CiuIci };

struct AdvancedSettings {
    // Every setting of driverSettings(), in the units of the driver's record (the watchdog
    // as its byte, 0 when the watchdog is off).
    std::map<DriverSetting, int> values;
    bool watchdogEnabled = false;
    bool logEnabled = false;
    bool logDetailed = false;
    QString logFileName;
    std::array<QString, 2> portDevices;  // COM1 and COM2; empty: the driver's default

    int value(DriverSetting setting) const;
    void setValue(DriverSetting setting, int value) { values[setting] = value; }

    // The watchdog in the dialog's seconds; switched off it keeps no time.
    int watchdogSeconds() const;
    void setWatchdog(bool enabled, int seconds);
};

// The settings as the driver has them now, with the devices stored for the two ports.
AdvancedSettings loadAdvancedSettings(const CCiuDriver &driver, const SettingsStore &store);
// Replaces everything but the devices with the module type's defaults.
void loadModuleDefaults(ModuleType module, AdvancedSettings &settings);
// Writes every setting into the driver (the log fields through their one setter) and
// names the ports' devices.
void applyAdvancedSettings(const AdvancedSettings &settings, CCiuDriver &driver);
// Saves every setting under the driver key, which is created when missing, in one write;
// false, with nothing saved, when the store refused (its errorText() says why).
bool saveAdvancedSettings(const AdvancedSettings &settings, SettingsStore &store);

}  // namespace tk70
