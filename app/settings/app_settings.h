// The program's own settings, kept in the settings store under
// "SOFTWARE\\Kestrane\\TK70 Pro": the automatic collection start, the start-up tag
// selection, block tuning, the DDE server, the database output and the historian.  Numbers are stored as
// DWORDs, texts as multi-strings holding the text and one zero byte, the two substitute
// values as such texts written and read in the C locale; a value is taken only when it
// exists with the expected type (a substitute: when its text is wholly a finite number),
// otherwise its default stays.
#pragma once

#include <QString>
#include <QStringList>

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
    QString stationName;                // the historian's name of this station; empty: the host's
    int historianSpoolLimitMB = 1024;   // the bound of each historian spool

    bool operator==(const AppSettings &) const = default;
};

// The recent-file list, under the program key: texts "File1" to "File4", most recent first.
inline const char *const kRecentFileKey = "SOFTWARE\\Kestrane\\TK70 Pro\\Recent File List";
inline constexpr int kRecentFileCount = 4;

// Creates the program key and the start-up values that are missing ("InhibitDaoDllCheck",
// "AutoStartEnabled", "InhibitBlockTuning", "AutoStartDelayTime",
// "AutoOverwriteAckOnAutoStart", "SpecificAutoStartFile", "AutoStartTsfFilename"), in one
// write.  Returns true when "InhibitDaoDllCheck" was missing and could be created: the
// first start on this machine.  False when it was there, or when the store refused the
// write (see its errorText()): a store that cannot be written makes no first start.
bool createDefaultAppSettings(SettingsStore &store);

struct StartupSettings {
    AppSettings settings;
    bool firstStart = false;  // as createDefaultAppSettings() returns it
};

// The program's start: creates the missing start-up values (createDefaultAppSettings()),
// then loads every setting.  When the store cannot be read, or cannot be written, it shows
// why as a warning, once.
StartupSettings startAppSettings(SettingsStore &store);

// The settings from the store, defaults first.
AppSettings loadAppSettings(const SettingsStore &store);

// Writes every setting back except "InhibitDaoDllCheck", creating the key when missing, in
// one write.  Returns false, with nothing written, when the store refused (its errorText()
// says why; warnSettingsNotSaved() shows it).
bool saveAppSettings(SettingsStore &store, const AppSettings &settings);

// The recent files stored, most recent first (empty names left out).
QStringList loadRecentFileList(const SettingsStore &store);
// Stores the first kRecentFileCount files and removes the names left over, in one write.
// Returns false, with nothing written, when the store refused.
bool saveRecentFileList(SettingsStore &store, const QStringList &files);

}  // namespace tk70
