// The program's own settings: see app_settings.h.
#include "app/settings/app_settings.h"

#include "platform/registry/settings_batch.h"
#include "platform/registry/settings_store.h"
#include "platform/registry/settings_warning.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace tk70 {

namespace {

constexpr int kTextLimit = 200;  // bytes of a stored text, its zero byte included
const char *const kFirstStartValue = "InhibitDaoDllCheck";
// The values a start creates when they are missing, the first one first.
const char *const kStartupValues[] = {
    "InhibitDaoDllCheck",          "AutoStartEnabled",      "InhibitBlockTuning",  "AutoStartDelayTime",
    "AutoOverwriteAckOnAutoStart", "SpecificAutoStartFile", "AutoStartTsfFilename"};

// A flag is any nonzero number; other numbers are taken as stored.
enum class Kind { Number, Flag, Text, Real };

struct Field {
    const char *name;
    Kind kind;
    int AppSettings::*number;
    bool AppSettings::*flag;
    QString AppSettings::*text;
    double AppSettings::*real;
};

constexpr Field number(const char *name, int AppSettings::*f)
{
    return {name, Kind::Number, f, nullptr, nullptr, nullptr};
}
constexpr Field flag(const char *name, bool AppSettings::*f)
{
    return {name, Kind::Flag, nullptr, f, nullptr, nullptr};
}
constexpr Field text(const char *name, QString AppSettings::*f)
{
    return {name, Kind::Text, nullptr, nullptr, f, nullptr};
}
constexpr Field real(const char *name, double AppSettings::*f)
{
    return {name, Kind::Real, nullptr, nullptr, nullptr, f};
}

using A = AppSettings;
const Field kFields[] = {
    number("AccessJetVersion", &A::accessJetVersion),
    number("AccessDataPrecision", &A::accessDataPrecision),
    text("AccessTagInfoTableName", &A::accessTagInfoTableName),
    text("AccessCollectedDataTableName", &A::accessCollectedDataTableName),
    number("AccessMarkPointErrors", &A::accessMarkPointErrors),
    number("AccessMarkBadQuality", &A::accessMarkBadQuality),
    real("AccessPointErrorValue", &A::accessPointErrorValue),
    real("AccessBadQualityValue", &A::accessBadQualityValue),
    flag("InhibitDaoDllCheck", &A::inhibitDaoDllCheck),
    flag("DdeServerEnabled", &A::ddeServerEnabled),
    number("DdeRefresh", &A::ddeRefresh),
    text("DdeApplicationName", &A::ddeApplicationName),
    text("DdeSystemTopic", &A::ddeSystemTopic),
    text("DdeValueTopic", &A::ddeValueTopic),
    text("DdeQualityTopic", &A::ddeQualityTopic),
    flag("AutoStartEnabled", &A::autoStartEnabled),
    flag("InhibitBlockTuning", &A::inhibitBlockTuning),
    number("AutoStartDelayTime", &A::autoStartDelayTime),
    flag("AutoOverwriteAckOnAutoStart", &A::autoOverwriteAckOnAutoStart),
    flag("SpecificAutoStartFile", &A::specificAutoStartFile),
    text("AutoStartTsfFilename", &A::autoStartTsfFilename),
    text("StationName", &A::stationName),
    number("HistorianSpoolLimitMB", &A::historianSpoolLimitMB),
};

QByteArray textData(const QString &value)
{
    QByteArray data = value.toUtf8();
    data.append('\0');
    return data;
}

// A stored text: a multi-string of at most 200 bytes, read up to its first zero byte.
std::optional<QString> readText(const SettingsStore &store, const char *name)
{
    auto data = store.multiString(kProgramKey, name);
    if (!data || data->size() > kTextLimit)
        return std::nullopt;
    int end = data->indexOf('\0');
    return QString::fromUtf8(end < 0 ? *data : data->left(end));
}

// A substitute value as stored: the shortest text that reads back as the same double, in
// the C locale whatever the user's locale, so that a save neither rounds the value nor
// writes a decimal comma.  Older readers take this text as a number too.
QString realText(double value)
{
    return QString::fromLatin1(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
}

// A stored substitute value: the whole text, blanks around it allowed, must be a finite
// number in the C locale.  Anything else ("-888,25", "12abc", "nan") gives nothing, and
// the field keeps its default rather than taking 0 or the number's first digits.
std::optional<double> parseReal(const QString &text)
{
    bool ok = false;
    const double value = text.toUtf8().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

void loadField(const SettingsStore &store, const Field &f, AppSettings &s)
{
    if (f.kind == Kind::Text || f.kind == Kind::Real) {
        auto value = readText(store, f.name);
        if (!value)
            return;
        if (f.kind == Kind::Text)
            s.*f.text = *value;
        else if (auto real = parseReal(*value))
            s.*f.real = *real;
        return;
    }
    auto value = store.dword(kProgramKey, f.name);
    if (value && f.kind == Kind::Flag)
        s.*f.flag = *value != 0;
    else if (value)
        s.*f.number = static_cast<int>(*value);
}

void saveField(SettingsBatch &batch, const Field &f, const AppSettings &s)
{
    switch (f.kind) {
    case Kind::Number: return batch.setDword(kProgramKey, f.name, static_cast<quint32>(s.*f.number));
    case Kind::Flag: return batch.setDword(kProgramKey, f.name, s.*f.flag ? 1 : 0);
    case Kind::Text: return batch.setMultiString(kProgramKey, f.name, textData(s.*f.text));
    case Kind::Real: return batch.setMultiString(kProgramKey, f.name, textData(realText(s.*f.real)));
    }
}

// Creates the key and the missing start-up values with their defaults, in one write.
// Returns whether "InhibitDaoDllCheck" was among them, or nothing when the store refused.
std::optional<bool> createDefaults(SettingsStore &store)
{
    const AppSettings defaults;
    bool firstStart = false;
    const bool saved = store.apply([&](SettingsBatch &batch) {
        batch.createKey(kProgramKey);
        firstStart = !batch.value(kProgramKey, kFirstStartValue);
        for (const Field &f : kFields)
            for (const char *name : kStartupValues)
                if (QByteArray(f.name) == name && !batch.value(kProgramKey, name))
                    saveField(batch, f, defaults);
    });
    return saved ? std::optional<bool>(firstStart) : std::nullopt;
}

// "File1" to "File4".
QString recentFileValueName(int k) { return QStringLiteral("File%1").arg(k); }

}  // namespace

bool createDefaultAppSettings(SettingsStore &store) { return createDefaults(store).value_or(false); }

StartupSettings startAppSettings(SettingsStore &store)
{
    StartupSettings start;
    const std::optional<bool> created = createDefaults(store);
    if (created)
        warnIfSettingsUnusable(store);  // nothing to create, or created: can it be read and written?
    else
        warnSettingsNotSaved(store);  // the store refused: why
    start.firstStart = created.value_or(false);
    start.settings = loadAppSettings(store);
    return start;
}

AppSettings loadAppSettings(const SettingsStore &store)
{
    AppSettings settings;
    if (!store.keyExists(kProgramKey))
        return settings;
    for (const Field &f : kFields)
        loadField(store, f, settings);
    return settings;
}

bool saveAppSettings(SettingsStore &store, const AppSettings &settings)
{
    return store.apply([&](SettingsBatch &batch) {
        batch.createKey(kProgramKey);
        for (const Field &f : kFields)
            if (QByteArray(f.name) != kFirstStartValue)
                saveField(batch, f, settings);
    });
}

QStringList loadRecentFileList(const SettingsStore &store)
{
    QStringList files;
    for (int k = 1; k <= kRecentFileCount; ++k)
        if (auto file = store.string(kRecentFileKey, recentFileValueName(k)); file && !file->isEmpty())
            files << *file;
    return files;
}

bool saveRecentFileList(SettingsStore &store, const QStringList &files)
{
    return store.apply([&](SettingsBatch &batch) {
        for (int k = 1; k <= kRecentFileCount; ++k) {
            const QString file = k <= files.size() ? files[k - 1] : QString();
            if (file.isEmpty())
                batch.removeValue(kRecentFileKey, recentFileValueName(k));
            else
                batch.setString(kRecentFileKey, recentFileValueName(k), file);
        }
    });
}

}  // namespace tk70
