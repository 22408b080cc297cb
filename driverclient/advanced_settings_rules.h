// How the advanced settings dialog shows the driver's settings: the watchdog byte as
// seconds, thread priorities by name, the restart command's reset option as a choice of
// three, and the data bits as a choice of two.  No widgets.
#pragma once

#include <QString>
#include <QStringList>

namespace tk70 {

// The watchdog byte counts 2.5 s steps.  The dialog shows trunc(byte × 2.5) seconds; a
// number of seconds becomes the longest byte whose shown seconds do not exceed it, so a
// byte shown and saved again stays the same (trunc(seconds × 0.4) would lose a step for
// every odd byte).  637 s is the longest the byte holds.
inline constexpr int kMaxWatchdogSeconds = 637;
int watchdogSeconds(int watchdogByte);
int watchdogByte(int seconds);

// Thread priorities by name, in the order of the dialog's lists.  A value without a name
// shows as "Default", which saves as the given default value.
inline constexpr int kDefaultCollectionPriority = 15;
inline constexpr int kDefaultIdlePriority = 0;
QStringList priorityNames();
QString defaultPriorityName();
QString priorityName(int priority);
int priorityValue(const QString &name, int defaultPriority);

// The reset option byte of the restart command: 2 and 130 have a choice of their own,
// anything else is a manual override.
enum class ResetOption { SpmCpmCiu, Ciu04MultiLoop, ManualOverride };
ResetOption resetOptionOf(int value);
int resetOptionValue(ResetOption option, int overrideValue);

// Unchecking "Automatic Detection" switches both kinds of reads on with this exception
// read delay (ms).
inline constexpr int kManualDetectionExpDelay = 200;

// The data bits shown: 8, or 7 for any other value.
int dataBitsChoice(int dataBits);

// The dialog's switches that decide which of its fields are open, as they stand.
struct AdvancedSwitches {
    bool autoDetection = false;
    bool expReads = false;
    bool nonExpReads = false;
    bool writes = false;
    bool logEnabled = false;
    bool logDetailed = false;
    bool forceCiu01 = false;
    bool disableCiu01 = false;
    bool manualOverride = false;  // the reset option is a manual override
    bool watchdogEnabled = false;
};

// What the dialog shows for its switches: the switches after the rules cleared what they
// exclude, and which fields are open.
struct AdvancedFields {
    AdvancedSwitches switches;
    bool readsOpen = false;         // both kinds of reads (closed under automatic detection)
    bool nonExpCountOpen = false;   // the non-exception points per scan
    bool writesOpen = false;        // output points cannot be switched on here
    bool writeCountOpen = false;    // the output points per scan
    bool logFieldsOpen = false;     // "Detailed" and the log file
    bool forceCiu01Open = false;    // forcing and disabling the CIU01 emulation
    bool disableCiu01Open = false;  //   exclude each other
    bool overrideOpen = false;      // the override value
    bool watchdogOpen = false;      // the watchdog seconds
};

// The one rule of the dialog's enabling: automatic detection decides both kinds of reads
// itself (they show unchecked and closed); each count per scan is open while its kind of
// point is on; the log's fields are open (and "Detailed" may stay checked) only while
// logging is on; a forced CIU01 emulation clears and closes its disabling, and the other
// way round; the override and the watchdog seconds are open while chosen.
AdvancedFields advancedFields(const AdvancedSwitches &switches);

}  // namespace tk70
