// The line protocol of the DDE layer: see dde_protocol.h.
#include "platform/dde/dde_protocol.h"

#include <QStringDecoder>
#include <array>

namespace tk70::dde {

namespace {

struct VerbInfo {
    Verb verb;
    const char *name;
    int minFields, maxFields;  // fields after the verb
};

constexpr std::array<VerbInfo, 5> kVerbs{{
    {Verb::Connect, "CONNECT", 1, 1},
    {Verb::Request, "REQUEST", 2, 3},
    {Verb::Advise, "ADVISE", 2, 3},
    {Verb::Unadvise, "UNADVISE", 2, 3},
    {Verb::WildConnect, "WILDCONNECT", 0, 1},
}};

std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

const VerbInfo *findVerb(QByteArrayView name)
{
    for (const VerbInfo &info : kVerbs)
        if (name == info.name)
            return &info;
    return nullptr;
}

}  // namespace

QByteArray escapeField(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::optional<QByteArray> unescapeField(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::optional<QList<QString>> splitLine(QByteArrayView line)
{
    QList<QString> fields;
    for (QByteArrayView raw : QByteArray(line.data(), line.size()).split('\t')) {
        auto bytes = unescapeField(raw);
        if (!bytes)
            return std::nullopt;
        auto text = decodeUtf8(*bytes);
        if (!text)
            return std::nullopt;
        fields << *text;
    }
    return fields;
}

std::optional<ClientLine> parseClientLine(QByteArrayView line)
{
    if (line.size() > kMaxLineBytes || line.contains('\n'))
        return std::nullopt;
    auto fields = splitLine(line);
    if (!fields)
        return std::nullopt;
    const VerbInfo *info = findVerb(fields->front().toUtf8());
    const qsizetype args = fields->size() - 1;
    if (!info || args < info->minFields || args > info->maxFields)
        return std::nullopt;
    ClientLine parsed;
    parsed.verb = info->verb;
    parsed.hasTopic = args >= 1;
    if (args >= 1)
        parsed.topic = fields->at(1);
    if (args >= 2)
        parsed.item = fields->at(2);
    if (args >= 3)
        parsed.textFormat = fields->at(3) == QLatin1String(kTextFormat);
    return parsed;
}

const char *verbName(Verb verb)
{
    for (const VerbInfo &info : kVerbs)
        if (info.verb == verb)
            return info.name;
    return "";
}

QByteArray formatLine(const QList<QString> &fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += '\t';
        out += escapeField(fields[i].toUtf8());
    }
    return out + '\n';
}

}  // namespace tk70::dde
