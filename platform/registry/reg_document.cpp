// The settings held in memory: see reg_document.h.
#include "platform/registry/reg_document.h"

namespace tk70::reg {

namespace {

// Why the text cannot be a name: control characters or broken UTF-16; empty when fine.
QString checkCharacters(const QString &text, const char *what)
{
    if (!text.isValidUtf16())
        return QStringLiteral("the %1 is not valid text").arg(QLatin1String(what));
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("the %1 contains a control character").arg(QLatin1String(what));
    }
    return {};
}

}  // namespace

QString foldName(const QString &name) { return name.toCaseFolded(); }

QString checkKeyName(const QString &key)
{
    if (key.isEmpty())
        return QStringLiteral("the key name is empty");
    if (key.size() > kMaxNameLength)
        return QStringLiteral("the key name is longer than %1 characters").arg(kMaxNameLength);
    for (QStringView part : QStringView(key).split(u'\\')) {
        if (part.isEmpty())
            return QStringLiteral("the key name \"%1\" has an empty part between backslashes").arg(key);
        if (part.size() > kMaxKeyPartLength)
            return QStringLiteral("a part of the key name is longer than %1 characters").arg(kMaxKeyPartLength);
    }
    return checkCharacters(key, "key name");
}

QString checkValueName(const QString &name)
{
    if (name.size() > kMaxNameLength)
        return QStringLiteral("the value name is longer than %1 characters").arg(kMaxNameLength);
    return checkCharacters(name, "value name");
}

QString checkValue(const RegValue &value)
{
    switch (value.type) {
    case RegType::Dword:
        if (value.data.size() != 4)
            return QStringLiteral("a DWORD value must be 4 bytes, not %1").arg(value.data.size());
        return {};
    case RegType::Sz:
    case RegType::MultiSz:
        if (value.data.size() > kMaxDataSize)
            return QStringLiteral("the value's data is larger than %1 bytes").arg(kMaxDataSize);
        return {};
    }
    return QStringLiteral("unknown value type %1").arg(quint32(value.type));
}

RegKey::RegKey(const QString &name) : m_name(name), m_folded(foldName(name)) {}

const RegValue *RegKey::find(const QString &name) const
{
    const auto it = m_index.constFind(foldName(name));
    return it == m_index.cend() ? nullptr : &m_entries[*it].value;
}

bool RegKey::set(const QString &name, const RegValue &value)
{
    const QString folded = foldName(name);
    const auto it = m_index.constFind(folded);
    if (it == m_index.cend()) {
        m_index.insert(folded, m_entries.size());
        m_entries.push_back({name, value});
        return true;
    }
    RegValue &old = m_entries[*it].value;
    if (old.type == value.type && old.data == value.data)
        return false;
    old = value;
    return true;
}

bool RegKey::remove(const QString &name)
{
    const auto it = m_index.constFind(foldName(name));
    if (it == m_index.cend())
        return false;
    m_entries.erase(m_entries.begin() + qsizetype(*it));
    m_index.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_index.insert(foldName(m_entries[i].name), i);
    return true;
}

bool RegDocument::hasKey(const QString &key) const
{
    const QString folded = foldName(key);
    if (m_index.contains(folded))
        return true;
    const QString prefix = folded + u'\\';
    for (const RegKey &k : m_keys) {
        if (k.foldedName().startsWith(prefix))
            return true;
    }
    return false;
}

const RegValue *RegDocument::find(const QString &key, const QString &name) const
{
    const auto it = m_index.constFind(foldName(key));
    return it == m_index.cend() ? nullptr : m_keys[*it].find(name);
}

RegKey &RegDocument::addKey(const QString &key)
{
    const QString folded = foldName(key);
    const auto it = m_index.constFind(folded);
    if (it != m_index.cend())
        return m_keys[*it];
    m_index.insert(folded, m_keys.size());
    return m_keys.emplace_back(key);
}

}  // namespace tk70::reg
