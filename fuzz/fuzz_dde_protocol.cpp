// Fuzzes the DDE line protocol with arbitrary client lines: a line is either refused or
// read into fields that, written out again, read back the same; and any bytes escaped as
// a field come back unchanged.
#include "platform/dde/dde_protocol.h"

#include <cstdlib>

namespace {

QList<QString> fieldsOf(const tk70::dde::ClientLine &line)
{
    QList<QString> fields{QString::fromLatin1(tk70::dde::verbName(line.verb))};
    if (line.hasTopic)
        fields << line.topic;
    if (line.verb == tk70::dde::Verb::Request || line.verb == tk70::dde::Verb::Advise ||
        line.verb == tk70::dde::Verb::Unadvise)
        fields << line.item;
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (tk70::dde::unescapeField(tk70::dde::escapeField(bytes)) != bytes)
        std::abort();
    const auto parsed = tk70::dde::parseClientLine(bytes);
    if (!parsed)
        return 0;
    QByteArray again = tk70::dde::formatLine(fieldsOf(*parsed));
    again.chop(1);
    const auto reparsed = tk70::dde::parseClientLine(again);
    if (again.size() > tk70::dde::kMaxLineBytes)
        return 0;  // escaping may lengthen a line past the limit
    if (!reparsed || reparsed->verb != parsed->verb || reparsed->topic != parsed->topic ||
        reparsed->item != parsed->item || reparsed->hasTopic != parsed->hasTopic)
        std::abort();
    return 0;
}
