// A line of the delimited tag list: see tag_list_line.h.
#include "tags/import/tag_list_line.h"

#include "tags/point_type.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace tk70 {

namespace {

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

bool isAllowed(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x20 && u < 0x7F) || u == '\t' || u == 0 || isLineEnd(c);
}

// The line's text: up to its first zero byte.
QByteArrayView textOf(QByteArrayView line)
{
    const qsizetype zero = line.indexOf('\0');
    return zero < 0 ? line : line.first(zero);
}

QString withoutQuotes(QByteArrayView field)
{
    QString text = QString::fromLatin1(field);
    text.remove(QLatin1Char('"'));
    return text;
}

// The fields of a line, taken one after another.
class FieldCursor {
public:
    explicit FieldCursor(QByteArrayView text) : m_text(text) {}

    // Up to the next comma or the line end; a comma is passed over.
    QByteArrayView text()
    {
        qsizetype end = m_pos;
        while (end < m_text.size() && m_text[end] != ',' && !isLineEnd(m_text[end]))
            ++end;
        return take(end);
    }
    // Up to the next comma, which is passed over; nothing when no comma follows.
    std::optional<QByteArrayView> number()
    {
        const qsizetype comma = m_text.indexOf(',', m_pos);
        if (comma < 0)
            return std::nullopt;
        return take(comma);
    }

private:
    QByteArrayView take(qsizetype end)
    {
        const QByteArrayView field = m_text.sliced(m_pos, end - m_pos);
        m_pos = end < m_text.size() && m_text[end] == ',' ? end + 1 : end;
        return field;
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

// The value of an address field of decimal digits, or nothing when it holds anything else.
std::optional<qint32> decimal(std::optional<QByteArrayView> field)
{
    if (!field)
        return std::nullopt;
    qint64 value = 0;
    for (const char c : *field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min<qint64>(value * 10 + (c - '0'), std::numeric_limits<qint32>::max());
    }
    return qint32(value);
}

// Reads the four address fields in order; the fault of the first that is not numeric.
TagListFault readAddress(FieldCursor &cursor, TagRecord &tag)
{
    const std::pair<qint32 TagRecord::*, TagListFault> fields[] = {
        {&TagRecord::loop, TagListFault::Loop},
        {&TagRecord::pcu, TagListFault::Pcu},
        {&TagRecord::module, TagListFault::Module},
        {&TagRecord::block, TagListFault::Block},
    };
    for (const auto &[member, fault] : fields) {
        const std::optional<qint32> value = decimal(cursor.number());
        if (!value)
            return fault;
        tag.*member = *value;
    }
    return TagListFault::None;
}

TagListFault readFields(QByteArrayView text, TagRecord &tag)
{
    FieldCursor cursor(text);
    tag.tagname = withoutQuotes(cursor.text());
    if (tag.tagname.isEmpty())
        return TagListFault::BlankTagname;
    if (tag.tagname.size() > kTagnameMaxChars)
        return TagListFault::Tagname;
    if (const TagListFault fault = readAddress(cursor, tag); fault != TagListFault::None)
        return fault;
    const QString pointType = withoutQuotes(cursor.text());
    if (pointType.size() > kPointTypeFieldMaxChars)
        return TagListFault::PointType;
    tag.pointType = PointTypes::fromImportField(pointType);
    tag.description = withoutQuotes(cursor.text());
    if (tag.description.size() > kTagDescriptionMaxChars)
        return TagListFault::Description;
    return TagListFault::None;
}

}  // namespace

bool isBlankTagListLine(QByteArrayView line)
{
    if (!std::all_of(line.begin(), line.end(), isAllowed))
        return false;
    for (const char c : textOf(line)) {
        if (c != ' ' && c != '\t' && c != ',' && c != '"' && !isLineEnd(c))
            return false;
    }
    return true;
}

TagListLine parseTagListLine(QByteArrayView line)
{
    TagListLine result;
    if (!std::all_of(line.begin(), line.end(), isAllowed)) {
        result.fault = TagListFault::BinaryData;
        return result;
    }
    result.fault = readFields(textOf(line), result.tag);
    return result;
}

}  // namespace tk70
