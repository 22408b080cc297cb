// The driver settings that the advanced settings dialog edits: see advanced_settings.h.
#include "driverclient/advanced_settings.h"

#include "driverclient/advanced_settings_rules.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_batch.h"
#include "platform/registry/settings_store.h"

namespace tk70 {

namespace {

using S = DriverSetting;

// The settings each module type's button loads; the watchdog and the log come apart.
struct ModuleDefault {
    DriverSetting setting;
    int spmCpm;
    int ciuIci;
};

const ModuleDefault kModuleDefaults[] = {
    {S::ExpReadsEnabled, 0, 1},    {S::AutoPointDetection, 0, 1},
    {S::NonExpEnabled, 1, 1},      {S::ExpDelay, 0, 200},
    {S::NonExpPoints, 300, 3},     {S::RxTimeout, 3000, 7000},
    {S::RestartDelay, 3000, 7000}, {S::TxTimeout, 2000, 5000},
    {S::CommandPace, 20, 50},      {S::CollectionPriority, 15, 15},
    {S::IdlePriority, 0, 0},       {S::CiuMode, 1, 1},
    {S::AddOption, 0, 0},          {S::DataBits, 8, 8},
    {S::StopBits, 0, 0},           {S::Parity, 0, 0},
    {S::ReplyDelay, 0, 0},         {S::ResetOptionValue, 2, 2},
    {S::ForceCiu01Mode, 0, 0},     {S::DisableCiu01Mode, 0, 0},
    {S::WriteEnabled, 0, 0},       {S::WritePoints, 0, 0},
    {S::DtrPulse, 700, 700},       {S::RestartInterval, 3000, 3000},
};

constexpr int kModuleWatchdogSeconds = 25;
const char *const kModuleLogName = "TK70Pro.LOG";

}  // namespace

int AdvancedSettings::value(DriverSetting setting) const
{
    auto it = values.find(setting);
    return it == values.end() ? 0 : it->second;
}

int AdvancedSettings::watchdogSeconds() const { return tk70::watchdogSeconds(value(S::WatchdogValue)); }

void AdvancedSettings::setWatchdog(bool enabled, int seconds)
{
    watchdogEnabled = enabled;
    setValue(S::WatchdogValue, enabled ? watchdogByte(seconds) : 0);
}

AdvancedSettings loadAdvancedSettings(const CCiuDriver &driver, const SettingsStore &store)
{
    AdvancedSettings settings;
    for (const DriverSettingInfo &info : driverSettings())
        settings.setValue(info.setting, driver.setting(info.setting));
    settings.watchdogEnabled = settings.value(S::WatchdogValue) != 0;
    settings.logEnabled = driver.logEnabled();
    settings.logDetailed = driver.logDetailed();
    settings.logFileName = driver.logFileName();
    for (int port : {1, 2})
        settings.portDevices[port - 1] = store.string(kDriverKey, portDeviceValueName(port)).value_or(QString());
    return settings;
}

void loadModuleDefaults(ModuleType module, AdvancedSettings &settings)
{
    const bool ciuIci = module == ModuleType::CiuIci;
    for (const ModuleDefault &d : kModuleDefaults)
        settings.setValue(d.setting, ciuIci ? d.ciuIci : d.spmCpm);
    settings.setWatchdog(ciuIci, kModuleWatchdogSeconds);
    settings.logEnabled = true;
    settings.logDetailed = false;
    settings.logFileName = QString::fromLatin1(kModuleLogName);
}

void applyAdvancedSettings(const AdvancedSettings &settings, CCiuDriver &driver)
{
    for (const DriverSettingInfo &info : driverSettings())
        driver.setSetting(info.setting, settings.value(info.setting));
    driver.setLogSettings(settings.logEnabled, settings.logDetailed, settings.logFileName);
    for (int port : {1, 2})
        driver.setPortDevice(port, settings.portDevices[port - 1]);
}

bool saveAdvancedSettings(const AdvancedSettings &settings, SettingsStore &store)
{
    return store.apply([&](SettingsBatch &batch) {
        batch.createKey(kDriverKey);
        for (const DriverSettingInfo &info : driverSettings())
            batch.setDword(kDriverKey, info.valueName, static_cast<quint32>(settings.value(info.setting)));
        batch.setDword(kDriverKey, QStringLiteral("WatchdogEnabled"), settings.watchdogEnabled ? 1 : 0);
        batch.setMultiString(kDriverKey, QStringLiteral("LogFileName"), settings.logFileName.toUtf8() + '\0');
        batch.setDword(kDriverKey, QStringLiteral("LogFileEnabled"), settings.logEnabled ? 1 : 0);
        batch.setDword(kDriverKey, QStringLiteral("LogFileDetailed"), settings.logDetailed ? 1 : 0);
        for (int port : {1, 2}) {
            const QString &device = settings.portDevices[port - 1];
            if (device.isEmpty())
                batch.removeValue(kDriverKey, portDeviceValueName(port));
            else
                batch.setString(kDriverKey, portDeviceValueName(port), device);
        }
    });
}

}  // namespace tk70
