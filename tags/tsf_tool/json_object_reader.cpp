// Checked reading of a JSON object's members: see json_object_reader.h.
#include "tags/tsf_tool/json_object_reader.h"

#include "platform/windows1252.h"

#include <algorithm>
#include <cmath>

namespace tk70 {

namespace {

QString typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Bool: return QStringLiteral("true/false");
    case QJsonValue::Double: return QStringLiteral("a number");
    case QJsonValue::String: return QStringLiteral("a text");
    case QJsonValue::Array: return QStringLiteral("an array");
    case QJsonValue::Object: return QStringLiteral("an object");
    case QJsonValue::Undefined: break;
    }
    return QStringLiteral("nothing");
}

// The position of the first character that Windows-1252 has no byte for, or -1.
qsizetype firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSurrogate())
            return i;
        const QStringView one = text.mid(i, 1);
        if (Windows1252::decode(Windows1252::encode(one)) != one)
            return i;
    }
    return -1;
}

QString unencodableText(QStringView text, qsizetype at)
{
    const char32_t code = text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()
                              ? QChar::surrogateToUcs4(text[at], text[at + 1])
                              : text[at].unicode();
    const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("character %1 (U+%2) has no Windows-1252 byte").arg(QString::fromUcs4(&code, 1), hex);
}

}  // namespace

void JsonProblems::error(const QString &path, const QString &text)
{
    messages.append(path + QLatin1String(": ") + text);
    ++errors;
}

void JsonProblems::warning(const QString &path, const QString &text)
{
    messages.append(path + QLatin1String(": warning: ") + text);
}

JsonObjectReader::JsonObjectReader(const QJsonObject &object, const QString &path, JsonProblems &problems)
    : m_object(object), m_path(path), m_problems(&problems)
{
}

QString JsonObjectReader::pathOf(const char *key) const { return pathOf(QString::fromLatin1(key)); }

QString JsonObjectReader::pathOf(const QString &name) const
{
    return m_path.isEmpty() ? name : m_path + QLatin1Char('.') + name;
}

QString JsonObjectReader::pathOf(const char *key, qsizetype index) const
{
    return pathOf(key) + QStringLiteral("[%1]").arg(index);
}

bool JsonObjectReader::has(const char *key) const { return m_object.contains(QLatin1String(key)); }

bool JsonObjectReader::take(const char *key, QJsonValue &value)
{
    const QString name = QString::fromLatin1(key);
    m_asked.insert(name);
    if (!m_object.contains(name))
        return false;
    value = m_object.value(name);
    return true;
}

void JsonObjectReader::error(const char *key, const QString &text) const { m_problems->error(pathOf(key), text); }

void JsonObjectReader::warning(const char *key, const QString &text) const { m_problems->warning(pathOf(key), text); }

void JsonObjectReader::ignore(const char *key) { m_asked.insert(QString::fromLatin1(key)); }

void JsonObjectReader::warnUnknownKeys() const
{
    for (const QString &key : m_object.keys()) {
        if (!m_asked.contains(key))
            m_problems->warning(pathOf(key), QStringLiteral("unknown key, ignored"));
    }
}

bool JsonObjectReader::expectType(bool ok, const QJsonValue &value, const QString &path, const char *what) const
{
    if (!ok)
        m_problems->error(path, QStringLiteral("%1 is needed, not %2").arg(QLatin1String(what), typeName(value)));
    return ok;
}

bool JsonObjectReader::checkInt(const QJsonValue &value, const QString &path, qint32 min, qint32 max, qint32 &out) const
{
    const double number = value.toDouble();
    if (!expectType(value.isDouble(), value, path, "a whole number"))
        return false;
    if (number != std::trunc(number)) {
        m_problems->error(path, QStringLiteral("a whole number is needed, not %1").arg(number));
        return false;
    }
    if (number < min || number > max) {
        m_problems->error(path, QStringLiteral("%1 is out of range %2 to %3").arg(number).arg(min).arg(max));
        return false;
    }
    out = qint32(number);
    return true;
}

bool JsonObjectReader::checkText(const QJsonValue &value, const QString &path, qsizetype maxChars, QString &out) const
{
    if (!expectType(value.isString(), value, path, "a text"))
        return false;
    const QString text = value.toString();
    if (const qsizetype at = firstUnencodable(text); at >= 0) {
        m_problems->error(path, unencodableText(text, at));
        return false;
    }
    if (text.size() > maxChars) {
        m_problems->error(path, QStringLiteral("%1 characters, at most %2 fit").arg(text.size()).arg(maxChars));
        return false;
    }
    out = text;
    return true;
}

bool JsonObjectReader::checkArray(const QJsonValue &value, const QString &path, qsizetype maxCount,
                                  QJsonArray &out) const
{
    if (!expectType(value.isArray(), value, path, "an array"))
        return false;
    out = value.toArray();
    if (out.size() > maxCount)
        m_problems->error(path, QStringLiteral("%1 entries, at most %2 fit").arg(out.size()).arg(maxCount));
    return true;
}

void JsonObjectReader::readInt(const char *key, qint32 &value, qint32 min, qint32 max)
{
    QJsonValue member;
    if (take(key, member))
        checkInt(member, pathOf(key), min, max, value);
}

void JsonObjectReader::readIntOf(const char *key, qint32 &value, std::span<const qint32> allowed)
{
    QJsonValue member;
    qint32 number = 0;
    if (!take(key, member) || !checkInt(member, pathOf(key), kIntMin, kIntMax, number))
        return;
    if (std::find(allowed.begin(), allowed.end(), number) != allowed.end()) {
        value = number;
        return;
    }
    QStringList texts;
    for (qint32 one : allowed)
        texts.append(QString::number(one));
    error(key, QStringLiteral("%1 is none of %2").arg(number).arg(texts.join(QLatin1String(", "))));
}

void JsonObjectReader::readDouble(const char *key, double &value, double min, double max)
{
    QJsonValue member;
    if (!take(key, member) || !expectType(member.isDouble(), member, pathOf(key), "a number"))
        return;
    const double number = member.toDouble();
    if (number < min || number > max)
        error(key, QStringLiteral("%1 is out of range %2 to %3").arg(number).arg(min).arg(max));
    else
        value = number;
}

bool JsonObjectReader::readText(const char *key, QString &value, qsizetype maxChars)
{
    QJsonValue member;
    return take(key, member) && checkText(member, pathOf(key), maxChars, value);
}

void JsonObjectReader::readTextOf(const char *key, QString &value, const QStringList &allowed)
{
    QJsonValue member;
    QString text;
    if (!take(key, member) || !checkText(member, pathOf(key), kAnyLength, text))
        return;
    if (allowed.contains(text)) {
        value = text;
        return;
    }
    error(key, QStringLiteral("\"%1\" is none of \"%2\"").arg(text, allowed.join(QLatin1String("\", \""))));
}

void JsonObjectReader::readIntArray(const char *key, std::span<qint32> values, qint32 min, qint32 max)
{
    QJsonValue member;
    QJsonArray array;
    if (!take(key, member) || !checkArray(member, pathOf(key), qsizetype(values.size()), array))
        return;
    const qsizetype count = std::min(array.size(), qsizetype(values.size()));
    for (qsizetype i = 0; i < count; ++i)
        checkInt(array[i], pathOf(key, i), min, max, values[size_t(i)]);
}

QList<JsonObjectReader> JsonObjectReader::readObjects(const char *key, qsizetype maxCount)
{
    QJsonValue member;
    QJsonArray array;
    QList<JsonObjectReader> readers;
    if (!take(key, member) || !checkArray(member, pathOf(key), maxCount, array))
        return readers;
    const qsizetype count = std::min(array.size(), maxCount);
    for (qsizetype i = 0; i < count; ++i) {
        if (expectType(array[i].isObject(), array[i], pathOf(key, i), "an object"))
            readers.append(JsonObjectReader(array[i].toObject(), pathOf(key, i), *m_problems));
    }
    return readers;
}

}  // namespace tk70
