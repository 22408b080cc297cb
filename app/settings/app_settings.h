// The program's own settings, kept in the settings store under
// "SOFTWARE\\Kestrane\\TK70 Pro": the automatic collection start, the start-up tag
// selection, block tuning, the DDE server and the database output.  Numbers are stored as
// DWORDs, texts as multi-strings holding the text and one zero byte; a value is taken only
// when it exists with the expected type, otherwise its default stays.
#pragma once

#include <QString>

namespace tk70 {

class SettingsStore;

struct AppSettings {
    int accessJetVersion = 0;
    int accessDataPrecision = 1;
    QString accessTagInfoTableName = QStringLiteral("TK70TagInfo");
    QString accessCollectedDataTableName = QStringLiteral("TK70Data");
    int accessMarkPointErrors = 1;
    int accessMarkBadQuality = 1;
    double accessPointErrorValue = -9999999.99;
    double accessBadQualityValue = -9999999.99;
    bool inhibitDaoDllCheck = false;
    bool ddeServerEnabled = true;
    int ddeRefresh = 2;
    QString ddeApplicationName = QStringLiteral("TK70Pro");
    QString ddeSystemTopic = QStringLiteral("System");
    QString ddeValueTopic = QStringLiteral("Value");
    QString ddeQualityTopic = QStringLiteral("Quality");
    bool autoStartEnabled = false;
    bool inhibitBlockTuning = false;
    int autoStartDelayTime = 5;
    bool autoOverwriteAckOnAutoStart = false;
    bool specificAutoStartFile = false;
    QString autoStartTsfFilename;

    bool operator==(const AppSettings &) const = default;
};

// Creates the program key and the start-up values that are missing ("InhibitDaoDllCheck",
// "AutoStartEnabled", "InhibitBlockTuning", "AutoStartDelayTime",
// "AutoOverwriteAckOnAutoStart", "SpecificAutoStartFile", "AutoStartTsfFilename").
// Returns true when "InhibitDaoDllCheck" had to be created: the first start on this machine.
bool createDefaultAppSettings(SettingsStore &store);

// The settings from the store, defaults first.
AppSettings loadAppSettings(const SettingsStore &store);

// Writes every setting back except "InhibitDaoDllCheck", creating the key when missing.
// Returns false when the store could not be written.
bool saveAppSettings(SettingsStore &store, const AppSettings &settings);

}  // namespace tk70
