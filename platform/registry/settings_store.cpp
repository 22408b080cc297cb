// The settings store: see settings_store.h.  (Placeholder until the store is built.)
#include "settings_store.h"

namespace tk70 {

SettingsStore::SettingsStore(QString path) : m_path(path.isEmpty() ? defaultPath() : path) {}
QString SettingsStore::defaultPath() { return {}; }
bool SettingsStore::keyExists(const QString &) const { return false; }
bool SettingsStore::createKey(const QString &) { return false; }
std::optional<RegValue> SettingsStore::value(const QString &, const QString &) const { return {}; }
std::optional<quint32> SettingsStore::dword(const QString &, const QString &) const { return {}; }
std::optional<QString> SettingsStore::string(const QString &, const QString &) const { return {}; }
std::optional<QByteArray> SettingsStore::multiString(const QString &, const QString &) const { return {}; }
bool SettingsStore::setValue(const QString &, const QString &, const RegValue &) { return false; }
bool SettingsStore::setDword(const QString &, const QString &, quint32) { return false; }
bool SettingsStore::setString(const QString &, const QString &, const QString &) { return false; }
bool SettingsStore::setMultiString(const QString &, const QString &, const QByteArray &) { return false; }
bool SettingsStore::removeValue(const QString &, const QString &) { return false; }

}  // namespace tk70
