// When a change of the DDE server options needs a restart: see dde_restart_rule.h.
#include "app/settings/dde_restart_rule.h"

#include "app/settings/app_settings.h"

namespace tk70 {

bool ddeRestartNeeded(const AppSettings &before, const AppSettings &after)
{
    return before.ddeServerEnabled != after.ddeServerEnabled || before.ddeApplicationName != after.ddeApplicationName ||
           before.ddeSystemTopic != after.ddeSystemTopic || before.ddeValueTopic != after.ddeValueTopic ||
           before.ddeQualityTopic != after.ddeQualityTopic;
}

QString ddeRestartNote()
{
    return QStringLiteral("Must Restart TK70 Pro in order for\n the DDE Settings to take effect.");
}

}  // namespace tk70
