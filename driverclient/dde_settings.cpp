// The DDE server's settings: see dde_settings.h.
#include "driverclient/dde_settings.h"

#include "platform/registry/settings_store.h"

namespace tk70 {

namespace {

constexpr int kTextLimit = 200;  // bytes of a stored text, its zero byte included

// A stored text: a multi-string of at most 200 bytes, read up to its first zero byte.
void readText(const SettingsStore &store, const char *name, QString &field)
{
    auto data = store.multiString(kProgramKey, name);
    if (!data || data->size() > kTextLimit)
        return;
    const qsizetype end = data->indexOf('\0');
    field = QString::fromUtf8(end < 0 ? *data : data->left(end));
}

}  // namespace

DdeSettings loadDdeSettings(const SettingsStore &store)
{
    DdeSettings settings;
    if (auto enabled = store.dword(kProgramKey, "DdeServerEnabled"))
        settings.enabled = *enabled != 0;
    if (auto refresh = store.dword(kProgramKey, "DdeRefresh"))
        settings.refresh = static_cast<int>(*refresh);
    readText(store, "DdeApplicationName", settings.applicationName);
    readText(store, "DdeSystemTopic", settings.systemTopic);
    readText(store, "DdeValueTopic", settings.valueTopic);
    readText(store, "DdeQualityTopic", settings.qualityTopic);
    return settings;
}

}  // namespace tk70
