// The settings store: see settings_store.h.  The file's format is in reg_text_format.h;
// each read looks at the file again so that changes by other programs are seen, and each
// write re-reads it under a lock so that their values are kept.
#include "platform/registry/settings_store.h"

#include "platform/registry/reg_document.h"
#include "platform/registry/reg_file.h"
#include "platform/registry/reg_literal.h"
#include "platform/registry/reg_lock.h"
#include "platform/registry/reg_text_format.h"
#include "platform/registry/settings_batch.h"

#include <QDir>
#include <QtEndian>

namespace tk70 {

SettingsStore::SettingsStore(QString path) : m_path(path.isEmpty() ? defaultPath() : path) {}

QString SettingsStore::defaultPath()
{
    if (QString path = qEnvironmentVariable("TK70_REGISTRY"); !path.isEmpty())
        return path;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))  // relative ones are to be ignored
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/tk70pro/registry");
}

const reg::RegDocument *SettingsStore::document() const
{
    m_error.clear();
    reg::FileRead file = reg::readFile(m_path);
    if (!file.error.isEmpty()) {
        m_loaded = false;
        m_document.reset();
        fail(file.error);
        return nullptr;
    }
    if (!m_loaded || file.bytes != m_text) {
        reg::ParseResult parsed = reg::parseText(file.bytes);
        m_parseError = parsed.ok() ? QString() : QStringLiteral("line %1: %2").arg(parsed.errorLine).arg(parsed.error);
        m_document = parsed.ok() ? std::make_shared<const reg::RegDocument>(std::move(parsed.document)) : nullptr;
        m_text = std::move(file.bytes);
        m_loaded = true;
    }
    if (!m_parseError.isEmpty())
        fail(m_parseError);
    return m_document.get();
}

bool SettingsStore::isReadable() const { return document() != nullptr; }

bool SettingsStore::canWrite() const
{
    if (!document())
        return false;
    if (QString why = reg::checkWritable(m_path); !why.isEmpty())
        return fail(why);
    return true;
}

bool SettingsStore::apply(const std::function<void(SettingsBatch &)> &fill)
{
    m_error.clear();
    if (QString why = reg::createFolderOf(m_path); !why.isEmpty())
        return fail(why);
    reg::FileLock lock(m_path);
    if (!lock.isLocked()) {
        const QString why = reg::checkWritable(m_path);  // a folder that refuses the lock file says so
        return fail(why.isEmpty() ? lock.errorText() : why);
    }
    const reg::RegDocument *current = document();
    if (!current)
        return false;  // errorText() says why the file cannot be read
    reg::RegDocument next = *current;
    SettingsBatch batch(next);
    fill(batch);
    if (!batch.m_error.isEmpty())
        return fail(batch.m_error);
    return !batch.m_changed || replaceFile(std::move(next));
}

bool SettingsStore::replaceFile(reg::RegDocument document)
{
    if (QString why = reg::checkWritable(m_path); !why.isEmpty())
        return fail(why);
    QByteArray text = reg::formatText(document);
    if (text.size() > reg::kMaxFileSize)
        return fail(QStringLiteral("the file would grow beyond %1 bytes").arg(reg::kMaxFileSize));
    if (QString why = reg::writeFileAtomically(m_path, text); !why.isEmpty())
        return fail(why);
    m_text = std::move(text);
    m_document = std::make_shared<const reg::RegDocument>(std::move(document));
    m_parseError.clear();
    m_loaded = true;
    return true;
}

bool SettingsStore::fail(const QString &why) const
{
    m_error = QStringLiteral("%1: %2").arg(m_path, why);
    return false;
}

bool SettingsStore::keyExists(const QString &key) const
{
    const reg::RegDocument *doc = document();
    return doc && doc->hasKey(key);
}

bool SettingsStore::createKey(const QString &key)
{
    return apply([&](SettingsBatch &batch) { batch.createKey(key); });
}

std::optional<RegValue> SettingsStore::value(const QString &key, const QString &name) const
{
    const reg::RegDocument *doc = document();
    const RegValue *found = doc ? doc->find(key, name) : nullptr;
    return found ? std::optional<RegValue>(*found) : std::nullopt;
}

std::optional<quint32> SettingsStore::dword(const QString &key, const QString &name) const
{
    const std::optional<RegValue> v = value(key, name);
    if (!v || v->type != RegType::Dword || v->data.size() != 4)
        return std::nullopt;
    return qFromLittleEndian<quint32>(v->data.constData());
}

std::optional<QString> SettingsStore::string(const QString &key, const QString &name) const
{
    const std::optional<RegValue> v = value(key, name);
    if (!v || v->type != RegType::Sz)
        return std::nullopt;
    const qsizetype end = v->data.indexOf('\0');
    return reg::decodeUtf8(end < 0 ? v->data : v->data.left(end));
}

std::optional<QByteArray> SettingsStore::multiString(const QString &key, const QString &name) const
{
    const std::optional<RegValue> v = value(key, name);
    if (!v || v->type != RegType::MultiSz)
        return std::nullopt;
    return v->data;
}

bool SettingsStore::setValue(const QString &key, const QString &name, const RegValue &value)
{
    return apply([&](SettingsBatch &batch) { batch.setValue(key, name, value); });
}

bool SettingsStore::setDword(const QString &key, const QString &name, quint32 value)
{
    return apply([&](SettingsBatch &batch) { batch.setDword(key, name, value); });
}

bool SettingsStore::setString(const QString &key, const QString &name, const QString &value)
{
    return apply([&](SettingsBatch &batch) { batch.setString(key, name, value); });
}

bool SettingsStore::setMultiString(const QString &key, const QString &name, const QByteArray &data)
{
    return apply([&](SettingsBatch &batch) { batch.setMultiString(key, name, data); });
}

// A value that is not there is not an error: the file is left alone.
bool SettingsStore::removeValue(const QString &key, const QString &name)
{
    return apply([&](SettingsBatch &batch) { batch.removeValue(key, name); });
}

}  // namespace tk70
