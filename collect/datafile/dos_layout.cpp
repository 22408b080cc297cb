// The TK70 (DOS) data file layout: see dos_layout.h.
#include "collect/datafile/dos_layout.h"

#include "collect/datafile/c_locale_text.h"
#include "collect/datafile/column_text.h"

namespace tk70 {
namespace {

// The value formats by signed range, bounds included, tried in order.
struct ValueRange {
    double low;
    double high;
    const char *format;
};
constexpr ValueRange kValueRanges[] = {
    {-9999.999, 99999.999, "%9.3f"},
    {-99999.99, 999999.99, "%9.2f"},
    {-999999.9, 9999999.9, "%9.1f"},
    {-99999999.0, 999999999.0, "%9.0f"},
};

constexpr int kValueWidth = 9;

// Beyond the ranges (and for NaN): "%9g" when its text fits the column, else the most
// significant digits that fit.  A wider text would shift every later column of the line.
QByteArray valueBeyondRanges(double value)
{
    QByteArray text = cFormat("%9g", value);
    for (int digits = 5; text.size() > kValueWidth && digits >= 1; --digits)
        text = cFormat("%9.*g", digits, value);
    return text;
}

// The value in the format of the first range holding it, 9 characters wide.
QByteArray valueText(double value)
{
    for (const ValueRange &range : kValueRanges) {
        if (value >= range.low && value <= range.high)
            return cFormat(range.format, value);
    }
    return valueBeyondRanges(value);
}

}  // namespace

QByteArray DosLayout::header(const HeaderFacts &facts, const std::vector<DataColumn> &columns) const
{
    const QDate day = facts.startingDate.date();
    QByteArray out = "                       TK70 DATA COLLECTION PROGRAM\n";
    out += cFormat("\nDate  %d/%d/%d\n\n", day.month(), day.day(), day.year() % 100);
    QByteArray addresses = "    TIME    ";
    QByteArray names(13, ' ');
    QByteArray rule = "----------- ";
    for (const DataColumn &column : columns) {
        addresses += cFormat("%2d-%02d-%04d ", int(column.pcu % 100), int(column.module), int(column.block));
        names += fileText(column.tagname).left(9).leftJustified(9, ' ') + "  ";
        rule += "---------- ";
    }
    return out + addresses + '\n' + names + '\n' + rule + '\n';
}

QByteArray DosLayout::stamp(const QDateTime &when) const
{
    const QTime time = when.time();
    return cFormat("%02d:%02d:%02d.%02d  ", time.hour(), time.minute(), time.second(), 0);
}

QByteArray DosLayout::value(const PointReading &reading) const
{
    if (reading.errorCode > 0)
        return cFormat("ERROR-%03d  ", reading.errorCode);
    return valueText(reading.value) + qualityMark(reading.badQuality);
}

}  // namespace tk70
