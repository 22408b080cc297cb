// The CSV data file layout: see csv_layout.h.
#include "collect/datafile/csv_layout.h"

#include "collect/datafile/c_locale_text.h"
#include "collect/datafile/column_text.h"
#include "tags/tag_record.h"

namespace tk70 {
namespace {

// A text in quotes; a quote inside it is doubled, so that a name or path holding one
// still reads back as one field.
QByteArray quoted(QByteArray text) { return '"' + text.replace('"', "\"\"") + '"'; }

// The title, the starting-date line and the empty line after it.
QByteArray titleLines(const HeaderFacts &facts)
{
    QByteArray out = "\"TK70 Pro DATA COLLECTION PROGRAM\"\n\n";
    out += "\"Starting Date\"," + quoted(posixTimeText("%x", facts.startingDate)) + ",\"TSF Name:\"," +
           quoted(fileText(facts.tsfPath)) + ',' + quoted(cFormat("Collection # %d", facts.groupNumber));
    if (!facts.inhibitTagName.isEmpty())
        out += ",\"Save Inhibit Tag:\"," + quoted(fileText(facts.inhibitTagName));
    return out + "\n\n";
}

// The names line, the address line and the rule line; each tag's quality column is
// headed by an empty text and a single '-'.
QByteArray columnLines(const std::vector<DataColumn> &columns)
{
    QByteArray names = "\"\",\"\"";
    QByteArray addresses = "\"DATE\",\"TIME\"";
    QByteArray rule = "\n\"--------\",\"--------\"";
    for (const DataColumn &column : columns) {
        names += ',' + quoted(fileText(column.tagname)) + ",\"\"";
        addresses +=
            ',' + quoted(fileText(pointAddressText(column.loop, column.pcu, column.module, column.block))) + ",\"\"";
        rule += ",\"-------------\",\"-\"";
    }
    return names + '\n' + addresses + rule + '\n';
}

}  // namespace

QByteArray CsvLayout::header(const HeaderFacts &facts, const std::vector<DataColumn> &columns) const
{
    return titleLines(facts) + columnLines(columns);
}

QByteArray CsvLayout::stamp(const QDateTime &when) const
{
    return quoted(posixTimeText("%x", when)) + ',' + quoted(posixTimeText("%X", when));
}

QByteArray CsvLayout::value(const PointReading &reading) const
{
    if (reading.errorCode > 0)
        return cFormat(",\"ERROR-%03d\",\"*\"", reading.errorCode);
    return cFormat(",%g", reading.value) + (reading.badQuality ? ",\"*\"" : ",\"\"");
}

}  // namespace tk70
