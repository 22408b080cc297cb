// The current historian settings: see historian_settings.h.
#include "collect/historian/historian_settings.h"

#include <QSysInfo>

namespace tk70 {

namespace {

HistorianSettings &current()
{
    static HistorianSettings settings;
    return settings;
}

}  // namespace

HistorianSettings currentHistorianSettings() { return current(); }

void setCurrentHistorianSettings(const HistorianSettings &settings) { current() = settings; }

QString effectiveStationName(const HistorianSettings &settings)
{
    const QString name = settings.stationName.trimmed();
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}

}  // namespace tk70
