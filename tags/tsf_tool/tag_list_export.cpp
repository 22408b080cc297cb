// Export of the tags as a delimited tag list: see tag_list_export.h.
#include "tags/tsf_tool/tag_list_export.h"

#include "platform/windows1252.h"
#include "tags/point_type.h"
#include "tags/tag_table.h"

namespace tk70 {

namespace {

// Collects the notes of one tag, each prefixed with the tag's number and name.
class TagNotes {
public:
    TagNotes(int slot, const TagRecord &tag, QStringList &notes)
        : m_prefix(QStringLiteral("tag %1 (%2): ").arg(QString::number(slot + 1), tag.tagname)), m_notes(notes)
    {
    }
    void add(const QString &note) { m_notes << m_prefix + note; }

private:
    QString m_prefix;
    QStringList &m_notes;
};

// The field as the import can read it back, with a note for every kind of change.
QString cleanField(const QString &field, const QString &name, TagNotes &notes)
{
    QString clean;
    bool quote = false, comma = false, control = false;
    for (const QChar c : field) {
        if (c == QLatin1Char('"')) {
            quote = true;
        } else if (c == QLatin1Char(',')) {
            comma = true;
            clean += QLatin1Char(';');
        } else if ((c.unicode() < 0x20 || c.unicode() == 0x7F) && c != QLatin1Char('\t')) {
            control = true;
            clean += QLatin1Char(' ');
        } else {
            clean += c;
        }
    }
    if (quote)
        notes.add(name + QStringLiteral(": double quotes left out"));
    if (comma)
        notes.add(name + QStringLiteral(": commas written as ';'"));
    if (control)
        notes.add(name + QStringLiteral(": control characters written as blanks"));
    return clean;
}

void checkImportLimits(const TagRecord &tag, TagNotes &notes)
{
    const qsizetype nameBytes = Windows1252::encode(tag.tagname).size();
    if (nameBytes == 0 || nameBytes > kTagnameMaxChars)
        notes.add(QStringLiteral("the tagname must have 1 to 14 characters; the import will refuse this line"));
    if (Windows1252::encode(tag.description).size() > kTagDescriptionMaxChars)
        notes.add(QStringLiteral("the description has more than 50 characters; the import will refuse this line"));
    if (tag.loop < 0 || tag.pcu < 0 || tag.module < 0 || tag.block < 0)
        notes.add(QStringLiteral("a negative address number; the import will refuse this line"));
    if (!PointTypes::isValid(tag.pointType))
        notes.add(QStringLiteral("point type %1 has no name; the import reads it as Non-Exception")
                      .arg(QString::number(tag.pointType)));
}

QString tagLine(int slot, const TagRecord &tag, QStringList &allNotes)
{
    TagNotes notes(slot, tag, allNotes);
    checkImportLimits(tag, notes);
    const QStringList fields{
        cleanField(tag.tagname, QStringLiteral("tagname"), notes),
        QString::number(tag.loop),
        QString::number(tag.pcu),
        QString::number(tag.module),
        QString::number(tag.block),
        PointTypes::editorName(tag.pointType),
        cleanField(tag.description, QStringLiteral("description"), notes),
    };
    return fields.join(QLatin1Char(',')) + QLatin1Char('\n');
}

}  // namespace

TagListExport exportTagList(const TagTable &tags)
{
    TagListExport result;
    for (int slot = 0; slot < tags.count(); ++slot)
        result.text += Windows1252::encode(tagLine(slot, tags.record(slot), result.notes));
    return result;
}

}  // namespace tk70
