// The driver settings that the program keeps in the settings store under
// "SOFTWARE\\Kestrane\\Ciu Driver": which field of the driver's configuration record each
// value sets, and how the stored number is taken.  The driver client loads them at
// start-up and the advanced settings dialog edits and saves the same list.
#pragma once

#include <QString>

#include "driver/vantor.h"

#include <cstdint>
#include <span>

namespace tk70 {

enum class DriverSetting {
    ExpReadsEnabled,
    AutoPointDetection,
    NonExpEnabled,
    ExpDelay,
    NonExpPoints,
    WatchdogValue,
    CommandPace,
    RxTimeout,
    TxTimeout,
    RestartDelay,
    CollectionPriority,
    IdlePriority,
    AddOption,
    CiuMode,
    DataBits,
    DisableCiu01Mode,
    DtrPulse,
    ForceCiu01Mode,
    Parity,
    ReplyDelay,
    ResetOptionValue,
    RestartInterval,
    StopBits,
    WritePoints,
    WriteEnabled,
};

struct DriverSettingInfo {
    DriverSetting setting;
    const char *valueName;              // the stored value's name
    int32_t CiuCommStruct::*field;      // the record's field, or null (a setting of the driver client)
    uint8_t CiuCommStruct::*byteField;  // for the byte-wide fields: the stored number's low byte
};

// Every setting with its stored name, in the order they are read.
std::span<const DriverSettingInfo> driverSettings();
const DriverSettingInfo &driverSettingInfo(DriverSetting setting);

// The stored name of the device a COM port stands for: "Com1Device", "Com2Device" (text).
QString portDeviceValueName(int port);

}  // namespace tk70
