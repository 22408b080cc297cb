// Several changes to the settings store made as one (see SettingsStore::apply): each is
// made at once to what the file holds under the lock, and the file is replaced once for
// all of them, or not at all when any one of them is refused.
#pragma once

#include "platform/registry/settings_store.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tk70 {

namespace reg {
class RegDocument;
}

class SettingsBatch {
public:
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;

    // The value with the changes made so far, or nothing when the key or value is missing.
    std::optional<RegValue> value(const QString &key, const QString &name) const;

    // Creates the key (with its parents) when missing.
    void createKey(const QString &key);
    // Writes a value, creating its key.
    void setValue(const QString &key, const QString &name, const RegValue &value);
    void setDword(const QString &key, const QString &name, quint32 value);
    void setString(const QString &key, const QString &name, const QString &value);         // text and one NUL
    void setMultiString(const QString &key, const QString &name, const QByteArray &data);  // data as given
    // Removes a value; one that is not there is no change.
    void removeValue(const QString &key, const QString &name);

private:
    friend class SettingsStore;
    explicit SettingsBatch(reg::RegDocument &document) : m_document(document) {}
    // Refuses the whole batch for the first change that cannot be kept.
    void refuse(const QString &why);

    reg::RegDocument &m_document;
    bool m_changed = false;
    QString m_error;  // why the batch is refused; empty while it is not
};

}  // namespace tk70
