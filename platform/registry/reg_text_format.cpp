// The text of the settings file: see reg_text_format.h.
#include "platform/registry/reg_text_format.h"

#include "platform/registry/reg_literal.h"

#include <QtEndian>

#include <algorithm>
#include <cctype>

namespace tk70::reg {

namespace {

constexpr QByteArrayView kRoot = "HKEY_LOCAL_MACHINE\\";
constexpr QByteArrayView kBom = "\xef\xbb\xbf";

constexpr char kHeader[] =
    "; TK70 Pro settings store: keys under HKEY_LOCAL_MACHINE, one value per line.\n"
    ";   \"Name\"=dword:0000000a   \"Name\"=sz:\"text\\0\"   \"Name\"=multi_sz:\"one\\0two\\0\\0\"\n"
    "; Between quotes \\\\ \\\" \\0 \\r \\n \\t and \\xHH stand for single bytes.\n";

struct TypeName {
    RegType type;
    QByteArrayView name;
};
constexpr TypeName kTypeNames[] = {{RegType::Dword, "dword"}, {RegType::Sz, "sz"}, {RegType::MultiSz, "multi_sz"}};

// Reads one value line: "name"=type:data.
class ValueLine {
public:
    explicit ValueLine(QByteArrayView line) : m_line(line) {}

    // Returns what is wrong with the line, or an empty text.
    QString read(QString &name, RegValue &value)
    {
        QByteArray bytes;
        if (QString why = unquote(m_line, m_pos, bytes); !why.isEmpty())
            return QStringLiteral("value name: %1").arg(why);
        if (!isValidUtf8(bytes))
            return QStringLiteral("the value name is not valid UTF-8 text");
        name = decodeUtf8(bytes);
        if (QString why = checkValueName(name); !why.isEmpty())
            return why;
        if (!skipPast('='))
            return QStringLiteral("'=' is expected after the value name");
        if (QString why = readType(value.type); !why.isEmpty())
            return why;
        if (QString why = readData(value); !why.isEmpty())
            return why;
        skipSpaces();
        if (m_pos != m_line.size())
            return QStringLiteral("unexpected text after the value");
        return checkValue(value);
    }

private:
    void skipSpaces()
    {
        while (m_pos < m_line.size() && (m_line[m_pos] == ' ' || m_line[m_pos] == '\t'))
            ++m_pos;
    }

    bool skipPast(char c)
    {
        skipSpaces();
        if (m_pos >= m_line.size() || m_line[m_pos] != c)
            return false;
        ++m_pos;
        skipSpaces();
        return true;
    }

    QString readType(RegType &type)
    {
        const qsizetype begin = m_pos;
        while (m_pos < m_line.size() && (isalpha(quint8(m_line[m_pos])) || m_line[m_pos] == '_'))
            ++m_pos;
        const QByteArrayView word = m_line.sliced(begin, m_pos - begin);
        const auto known = std::find_if(std::begin(kTypeNames), std::end(kTypeNames), [&](const TypeName &t) {
            return word.compare(t.name, Qt::CaseInsensitive) == 0;
        });
        if (known == std::end(kTypeNames) || !skipPast(':'))
            return QStringLiteral("unknown value type \"%1\" (dword, sz or multi_sz and ':' are expected)")
                .arg(QString::fromUtf8(m_line.sliced(begin).first(qMin<qsizetype>(20, m_line.size() - begin))));
        type = known->type;
        return {};
    }

    QString readData(RegValue &value)
    {
        if (value.type != RegType::Dword) {
            const QString why = unquote(m_line, m_pos, value.data);
            return why.isEmpty() ? why : QStringLiteral("data: %1").arg(why);
        }
        const qsizetype begin = m_pos;
        while (m_pos < m_line.size() && isxdigit(quint8(m_line[m_pos])))
            ++m_pos;
        const qsizetype digits = m_pos - begin;
        if (digits == 0 || digits > 8)
            return QStringLiteral("a dword needs 1 to 8 hex digits");
        const quint32 number = m_line.sliced(begin, digits).toByteArray().toUInt(nullptr, 16);
        value.data.resize(4);
        qToLittleEndian(number, value.data.data());
        return {};
    }

    QByteArrayView m_line;
    qsizetype m_pos = 0;
};

// Reads one section line into the name of its key.
QString readSection(QByteArrayView line, QString &key)
{
    if (!line.endsWith(']'))
        return QStringLiteral("a key line must end with ']'");
    const QByteArrayView inner = line.sliced(1, line.size() - 2);
    if (inner.first(qMin(kRoot.size(), inner.size())).compare(kRoot, Qt::CaseInsensitive) != 0)
        return QStringLiteral(
            "only keys under HKEY_LOCAL_MACHINE are kept here: [HKEY_LOCAL_MACHINE\\...] is expected");
    if (!isValidUtf8(inner))
        return QStringLiteral("the key name is not valid UTF-8 text");
    key = decodeUtf8(inner.sliced(kRoot.size()));
    return checkKeyName(key);
}

// Reads one line into the document; current is the key of the last section line.
QString readLine(QByteArrayView line, RegDocument &document, QString &current)
{
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
        return {};
    if (line.startsWith('[')) {
        QString why = readSection(line, current);
        if (why.isEmpty())
            document.addKey(current);
        return why;
    }
    if (!line.startsWith('"'))
        return QStringLiteral("not a key line, a value line or a comment");
    if (current.isEmpty())
        return QStringLiteral("a value line before the first key line");
    QString name;
    RegValue value;
    if (QString why = ValueLine(line).read(name, value); !why.isEmpty())
        return why;
    RegKey &key = document.addKey(current);
    if (key.find(name))
        return QStringLiteral("the value \"%1\" appears twice in key \"%2\"").arg(name, key.name());
    key.set(name, value);
    return {};
}

QByteArrayView trimmed(QByteArrayView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (begin < end && blank(line[begin]))
        ++begin;
    while (end > begin && blank(line[end - 1]))
        --end;
    return line.sliced(begin, end - begin);
}

}  // namespace

ParseResult parseText(QByteArrayView text)
{
    ParseResult result;
    if (text.startsWith(kBom))
        text = text.sliced(kBom.size());
    QString current;
    int number = 0;
    for (qsizetype begin = 0; begin < text.size();) {
        qsizetype end = text.indexOf('\n', begin);
        end = end < 0 ? text.size() : end;
        ++number;
        const QString why = readLine(trimmed(text.sliced(begin, end - begin)), result.document, current);
        if (!why.isEmpty()) {
            result.errorLine = number;
            result.error = why;
            result.document = {};
            return result;
        }
        begin = end + 1;
    }
    return result;
}

QByteArray formatText(const RegDocument &document)
{
    QByteArray out(kHeader);
    for (const RegKey &key : document.keys()) {
        out += "\n[" + kRoot.toByteArray() + key.name().toUtf8() + "]\n";
        for (const RegEntry &entry : key.entries()) {
            out += quote(entry.name.toUtf8()) + '=';
            if (entry.value.type == RegType::Dword) {
                const quint32 number = qFromLittleEndian<quint32>(entry.value.data.constData());
                out += "dword:" + QByteArray::number(number, 16).rightJustified(8, '0') + '\n';
            } else {
                out += entry.value.type == RegType::Sz ? "sz:" : "multi_sz:";
                out += quote(entry.value.data) + '\n';
            }
        }
    }
    return out;
}

}  // namespace tk70::reg
