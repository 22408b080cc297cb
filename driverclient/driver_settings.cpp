// The driver settings kept in the settings store: see driver_settings.h.
#include "driverclient/driver_settings.h"

namespace tk70 {

namespace {

using S = DriverSetting;
using C = CiuCommStruct;

const DriverSettingInfo kSettings[] = {
    {S::ExpReadsEnabled, "ExpReadsEnabled", &C::ExpReadsEnabled, nullptr},
    {S::AutoPointDetection, "AutoPointDetection", nullptr, nullptr},
    {S::NonExpEnabled, "NonExpEnabled", &C::NonExpEnabled, nullptr},
    {S::ExpDelay, "ExpDelay", &C::ExpDelay, nullptr},
    {S::NonExpPoints, "NonExpPoints", &C::NonExpPoints, nullptr},
    {S::WatchdogValue, "WatchdogValue", nullptr, &C::WatchdogValue},
    {S::CommandPace, "CommandPace", &C::CommandPace, nullptr},
    {S::RxTimeout, "RxTimeout", &C::RxTimeout, nullptr},
    {S::TxTimeout, "TxTimeout", &C::TxTimeout, nullptr},
    {S::RestartDelay, "RestartDelay", &C::RestartDelay, nullptr},
    {S::CollectionPriority, "CollectionPriority", &C::CollectionPriority, nullptr},
    {S::IdlePriority, "IdlePriority", &C::IdlePriority, nullptr},
    {S::AddOption, "AddOption", nullptr, &C::AddOption},
    {S::CiuMode, "CiuMode", &C::CiuMode, nullptr},
    {S::DataBits, "DataBits", &C::DataBits, nullptr},
    {S::DisableCiu01Mode, "DisableCiu01Mode", &C::DisableCiu01Mode, nullptr},
    {S::DtrPulse, "DtrPulse", &C::DtrPulse, nullptr},
    {S::ForceCiu01Mode, "ForceCiu01Mode", &C::ForceCiu01Mode, nullptr},
    {S::Parity, "Parity", &C::Parity, nullptr},
    {S::ReplyDelay, "ReplyDelay", nullptr, &C::ReplyDelay},
    {S::ResetOptionValue, "ResetOptionValue", nullptr, &C::ResetOptionValue},
    {S::RestartInterval, "RestartInterval", &C::RestartInterval, nullptr},
    {S::StopBits, "StopBits", &C::StopBits, nullptr},
    {S::WritePoints, "WritePoints", &C::WritePoints, nullptr},
    {S::WriteEnabled, "WriteEnabled", &C::WriteEnabled, nullptr},
};

}  // namespace

std::span<const DriverSettingInfo> driverSettings() { return kSettings; }

const DriverSettingInfo &driverSettingInfo(DriverSetting setting)
{
    for (const DriverSettingInfo &info : kSettings)
        if (info.setting == setting)
            return info;
    return kSettings[0];
}

QString portDeviceValueName(int port) { return QStringLiteral("Com%1Device").arg(port); }

}  // namespace tk70
