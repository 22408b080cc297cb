// How the advanced settings dialog shows the driver's settings: see advanced_settings_rules.h.
#include "driverclient/advanced_settings_rules.h"

namespace tk70 {

namespace {

struct NamedPriority {
    const char *name;
    int value;
};

const NamedPriority kPriorities[] = {
    {"Time Critical", 15}, {"Highest", 2}, {"Above Normal", 1}, {"Normal", 0},
    {"Below Normal", -1},  {"Lowest", -2}, {"Idle", -15},
};

constexpr int kSpmCpmCiuReset = 2;
constexpr int kCiu04MultiLoopReset = 130;

}  // namespace

// Whole seconds of byte × 2.5, and back: the largest byte b with trunc(2.5 b) <= seconds,
// which is trunc((2 seconds + 1) / 5).
int watchdogSeconds(int watchdogByte) { return watchdogByte * 5 / 2; }
int watchdogByte(int seconds) { return (2 * seconds + 1) / 5; }

QStringList priorityNames()
{
    QStringList names;
    for (const NamedPriority &p : kPriorities)
        names << QString::fromLatin1(p.name);
    return names;
}

QString defaultPriorityName() { return QStringLiteral("Default"); }

QString priorityName(int priority)
{
    for (const NamedPriority &p : kPriorities)
        if (p.value == priority)
            return QString::fromLatin1(p.name);
    return defaultPriorityName();
}

int priorityValue(const QString &name, int defaultPriority)
{
    for (const NamedPriority &p : kPriorities)
        if (name == QLatin1String(p.name))
            return p.value;
    return defaultPriority;
}

ResetOption resetOptionOf(int value)
{
    if (value == kSpmCpmCiuReset)
        return ResetOption::SpmCpmCiu;
    if (value == kCiu04MultiLoopReset)
        return ResetOption::Ciu04MultiLoop;
    return ResetOption::ManualOverride;
}

int resetOptionValue(ResetOption option, int overrideValue)
{
    switch (option) {
    case ResetOption::SpmCpmCiu: return kSpmCpmCiuReset;
    case ResetOption::Ciu04MultiLoop: return kCiu04MultiLoopReset;
    case ResetOption::ManualOverride: break;
    }
    return overrideValue;
}

AdvancedFields advancedFields(const AdvancedSwitches &switches)
{
    AdvancedFields fields;
    AdvancedSwitches &out = fields.switches;
    out = switches;
    if (out.autoDetection)
        out.expReads = out.nonExpReads = false;
    if (!out.logEnabled)
        out.logDetailed = false;
    if (out.forceCiu01)
        out.disableCiu01 = false;
    fields.readsOpen = !out.autoDetection;
    fields.nonExpCountOpen = out.nonExpReads;
    fields.writeCountOpen = out.writes;
    fields.logFieldsOpen = out.logEnabled;
    fields.forceCiu01Open = !out.disableCiu01;
    fields.disableCiu01Open = !out.forceCiu01;
    fields.overrideOpen = out.manualOverride;
    fields.watchdogOpen = out.watchdogEnabled;
    return fields;
}

int dataBitsChoice(int dataBits) { return dataBits == 8 ? 8 : 7; }

}  // namespace tk70
