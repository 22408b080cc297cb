// The ASCII data file layout: see ascii_layout.h.
#include "collect/datafile/ascii_layout.h"

#include "collect/datafile/c_locale_text.h"
#include "collect/datafile/column_text.h"
#include "tags/tag_record.h"

#include <cmath>

namespace tk70 {
namespace {

// The title, the starting-date line and the empty line after it.
QByteArray titleLines(const HeaderFacts &facts)
{
    QByteArray out = "                       TK70 Pro DATA COLLECTION PROGRAM\n\n";
    out += "Starting Date " + posixTimeText("%x", facts.startingDate) + " - TSF Name : " + fileText(facts.tsfPath) +
           cFormat(" - Collection # %d ", facts.groupNumber);
    if (!facts.inhibitTagName.isEmpty())
        out += "- Save Inhibit Tag : " + fileText(facts.inhibitTagName);
    return out + "\n\n";
}

// Names right-aligned in 14 characters; longer names are written whole.
QByteArray namesLine(const std::vector<DataColumn> &columns)
{
    QByteArray out(18, ' ');
    for (const DataColumn &column : columns)
        out += fileText(column.tagname).rightJustified(14, ' ') + ' ';
    return out + '\n';
}

// The address line and the rule line under it.
QByteArray addressAndRuleLines(const std::vector<DataColumn> &columns)
{
    QByteArray addresses = " DATE      TIME    ";
    QByteArray rule = "\n--------  -------- ";
    for (const DataColumn &column : columns) {
        addresses += ' ' + fileText(pointAddressText(column.loop, column.pcu, column.module, column.block)) + ' ';
        rule += " ------------- ";
    }
    return addresses + rule + '\n';
}

// The format by magnitude, rows tried in order.  NaN fails every comparison and takes
// the last row, which writes "nan" in the same 13 characters.
const char *valueFormat(double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude > 999.999 && magnitude <= 99999999.999)
        return "%13.3f";
    if (magnitude > 0.0999 && magnitude < 1000.0)
        return "%13.4f";
    if (magnitude < 0.1)
        return "%13.5f";
    return "%13g";
}

}  // namespace

QByteArray AsciiLayout::header(const HeaderFacts &facts, const std::vector<DataColumn> &columns) const
{
    return titleLines(facts) + namesLine(columns) + addressAndRuleLines(columns);
}

QByteArray AsciiLayout::stamp(const QDateTime &when) const
{
    return posixTimeText("%x  %X ", when).rightJustified(11, ' ') + ' ';
}

QByteArray AsciiLayout::value(const PointReading &reading) const
{
    if (reading.errorCode > 0)
        return cFormat("    ERROR-%03d* ", reading.errorCode);
    return cFormat(valueFormat(reading.value), reading.value) + qualityMark(reading.badQuality);
}

}  // namespace tk70
