// The historical viewer's way of reading data files by column: see column_reader.h.
#include "tests/app/column_reader.h"

#include <cctype>

namespace tk70test {
namespace {

struct Geometry {
    int namesLine, addressLine;
    int nameStart, nameWidth, addressStart, valueStart, valueWidth, flagStart, pitch;
    char stampSeparator;  // '/' in a date, ':' in a time
};

constexpr Geometry kAscii{4, 5, 17, 15, 20, 20, 13, 33, 15, '/'};
constexpr Geometry kDos{5, 4, 13, 9, 12, 12, 10, 22, 11, ':'};

QString field(const QByteArray &line, int start, int width)
{
    return QString::fromLatin1(line.mid(start, width)).trimmed();
}

ReadColumn column(const QList<QByteArray> &lines, const Geometry &g, ReadLayout layout, int i)
{
    ReadColumn c;
    c.name = field(lines[g.namesLine], g.nameStart + g.pitch * i, g.nameWidth);
    const QByteArray &address = lines[g.addressLine];
    const int at = g.addressStart + g.pitch * i;
    const int shift = layout == ReadLayout::Ascii ? 3 : 0;  // the DOS address has no loop
    c.loop = layout == ReadLayout::Ascii ? field(address, at, 2).toInt() : 0;
    c.pcu = field(address, at + shift, 2).toInt();
    c.module = field(address, at + shift + 3, 2).toInt();
    c.block = field(address, at + shift + 6, 4).toInt();
    return c;
}

bool isStamp(const QByteArray &line, char separator)
{
    if (line.size() < 8 || line[2] != separator)
        return false;
    for (int at : {0, 1, 3, 4, 6, 7})
        if (!std::isdigit(static_cast<unsigned char>(line[at])))
            return false;
    return true;
}

ReadSample sample(const QByteArray &line, const Geometry &g, ReadLayout layout, qsizetype count)
{
    ReadSample s;
    s.date = layout == ReadLayout::Ascii ? field(line, 0, 8) : QString();
    s.time = layout == ReadLayout::Ascii ? field(line, 10, 8) : field(line, 0, 8);
    for (int k = 0; k < count; ++k) {
        const QString text = field(line, g.valueStart + g.pitch * k, g.valueWidth);
        const bool error = line.size() < g.pitch * k + g.valueStart || text.contains("ERROR");
        s.values << (error ? 0.0 : text.toDouble());
        s.bad << (error || (line.size() > g.flagStart + g.pitch * k && line[g.flagStart + g.pitch * k] != ' '));
    }
    return s;
}

}  // namespace

ReadDataFile readByColumns(const QByteArray &bytes, ReadLayout layout)
{
    const Geometry &g = layout == ReadLayout::Ascii ? kAscii : kDos;
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines)
        line.chop(line.endsWith('\r') ? 1 : 0);
    ReadDataFile file;
    if (lines.size() < 7)
        return file;
    // The names line (ASCII) or the address line (DOS), without its line end.
    const qsizetype count = (lines[4].size() - (layout == ReadLayout::Ascii ? 18 : 12)) / g.pitch;
    for (int i = 0; i < count; ++i)
        file.columns << column(lines, g, layout, i);
    for (qsizetype n = 7; n < lines.size(); ++n)
        if (isStamp(lines[n], g.stampSeparator))
            file.samples << sample(lines[n], g, layout, count);
    return file;
}

}  // namespace tk70test
