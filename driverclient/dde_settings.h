// The DDE server's settings, taken from the program key of the settings store when the
// driver client is made: whether it runs, its service and topic names, and its advise
// period in refresh ticks.  A change takes effect at the next start of the program.
#pragma once

#include <QString>

namespace tk70 {

class SettingsStore;

struct DdeSettings {
    bool enabled = true;
    int refresh = 2;
    QString applicationName = QStringLiteral("TK70Pro");
    QString systemTopic = QStringLiteral("System");
    QString valueTopic = QStringLiteral("Value");
    QString qualityTopic = QStringLiteral("Quality");
};

// "DdeServerEnabled" (any nonzero number: on), "DdeRefresh", "DdeApplicationName",
// "DdeSystemTopic", "DdeValueTopic", "DdeQualityTopic"; a value missing or of another type
// keeps its default.
DdeSettings loadDdeSettings(const SettingsStore &store);

}  // namespace tk70
