// Several changes to the settings store made as one: see settings_batch.h.
#include "platform/registry/settings_batch.h"

#include "platform/registry/reg_document.h"

#include <QtEndian>

namespace tk70 {

std::optional<RegValue> SettingsBatch::value(const QString &key, const QString &name) const
{
    const RegValue *found = m_document.find(key, name);
    return found ? std::optional<RegValue>(*found) : std::nullopt;
}

void SettingsBatch::createKey(const QString &key)
{
    if (QString why = reg::checkKeyName(key); !why.isEmpty())
        return refuse(QStringLiteral("the key cannot be created: %1").arg(why));
    if (!m_document.hasKey(key)) {
        m_document.addKey(key);
        m_changed = true;
    }
}

void SettingsBatch::setValue(const QString &key, const QString &name, const RegValue &value)
{
    QString why = reg::checkKeyName(key);
    why = why.isEmpty() ? reg::checkValueName(name) : why;
    why = why.isEmpty() ? reg::checkValue(value) : why;
    if (!why.isEmpty())
        return refuse(QStringLiteral("the value \"%1\" cannot be saved: %2").arg(name.left(100), why));
    m_changed = m_document.addKey(key).set(name, value) || m_changed;
}

void SettingsBatch::setDword(const QString &key, const QString &name, quint32 value)
{
    QByteArray data(4, '\0');
    qToLittleEndian(value, data.data());
    setValue(key, name, {RegType::Dword, data});
}

void SettingsBatch::setString(const QString &key, const QString &name, const QString &value)
{
    setValue(key, name, {RegType::Sz, value.toUtf8() + '\0'});
}

void SettingsBatch::setMultiString(const QString &key, const QString &name, const QByteArray &data)
{
    setValue(key, name, {RegType::MultiSz, data});
}

void SettingsBatch::removeValue(const QString &key, const QString &name)
{
    if (m_document.find(key, name))
        m_changed = m_document.addKey(key).remove(name) || m_changed;
}

void SettingsBatch::refuse(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
}

}  // namespace tk70
