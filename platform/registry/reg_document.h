// The settings held in memory: keys under HKEY_LOCAL_MACHINE in the order of the file, each
// with its values in order.  Keys and value names are found without regard to letter case
// and keep the spelling they were first written with.  Also the limits every key, name and
// value must keep, checked alike when the file is read and when a value is written.
#pragma once

#include "platform/registry/settings_store.h"

#include <QHash>
#include <vector>

namespace tk70::reg {

inline constexpr qsizetype kMaxDataSize = 1024 * 1024;   // bytes of one value's data
inline constexpr qsizetype kMaxNameLength = 16383;       // characters of a value name or a key name
inline constexpr qsizetype kMaxKeyPartLength = 255;      // characters between two backslashes
inline constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;  // bytes of the whole file

// Each returns why its argument cannot be kept, or an empty text when it can.
QString checkKeyName(const QString &key);
QString checkValueName(const QString &name);
QString checkValue(const RegValue &value);

// The form of a key or value name that lookups compare.
QString foldName(const QString &name);

struct RegEntry {
    QString name;
    RegValue value;
};

class RegKey {
public:
    explicit RegKey(const QString &name);

    const QString &name() const { return m_name; }
    const QString &foldedName() const { return m_folded; }
    const std::vector<RegEntry> &entries() const { return m_entries; }

    const RegValue *find(const QString &name) const;
    // Both return whether the key changed.
    bool set(const QString &name, const RegValue &value);
    bool remove(const QString &name);

private:
    QString m_name;
    QString m_folded;
    std::vector<RegEntry> m_entries;
    QHash<QString, std::size_t> m_index;  // folded value name -> position in m_entries
};

class RegDocument {
public:
    // Whether the key is here, by a section of its own or as the parent of one.
    bool hasKey(const QString &key) const;
    const RegValue *find(const QString &key, const QString &name) const;
    // The key, appended when it has no section yet.
    RegKey &addKey(const QString &key);
    const std::vector<RegKey> &keys() const { return m_keys; }

private:
    std::vector<RegKey> m_keys;
    QHash<QString, std::size_t> m_index;  // folded key name -> position in m_keys
};

}  // namespace tk70::reg
