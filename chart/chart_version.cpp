// The charting component's version check: see chart_version.h.
#include "chart/chart_version.h"

#include "platform/messages.h"

namespace tk70 {

ChartVersion chartComponentVersion() { return ChartVersion{2, 50}; }

bool chartVersionSupported(ChartVersion version) { return version.major > 1 && version.minor >= 50; }

bool checkChartComponent()
{
    if (chartVersionSupported(chartComponentVersion()))
        return true;
    Messages::note(QStringLiteral("Old Version of the Charting Tools!\nYour program will abort!"),
                   QString::fromLatin1(kTitleError), MessageIcon::Stop);
    return false;
}

}  // namespace tk70
