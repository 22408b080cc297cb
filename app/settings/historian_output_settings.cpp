// Historian output settings: see historian_output_settings.h.
#include "app/settings/historian_output_settings.h"

#include <QFileInfo>
#include <algorithm>

namespace tk70 {

HistorianSettings historianSettingsOf(const AppSettings &settings, const QString &spoolFolder)
{
    HistorianSettings historian;
    historian.spoolFolder = spoolFolder;
    historian.stationName = settings.stationName;
    const int megabytes = std::clamp(settings.historianSpoolLimitMB, kSpoolLimitMinMB, kSpoolLimitMaxMB);
    historian.spoolLimitBytes = qint64(megabytes) * 1024 * 1024;
    return historian;
}

void applyHistorianSettings(const AppSettings &settings, const QString &storePath)
{
    setCurrentHistorianSettings(historianSettingsOf(settings, QFileInfo(storePath).absolutePath()));
}

}  // namespace tk70
