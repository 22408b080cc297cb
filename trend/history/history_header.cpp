// Reading the header block of the two historical data file layouts.
#include "trend/history/history_header.h"

#include "platform/messages.h"
#include "platform/windows1252.h"
#include "trend/history/history_line.h"

#include <algorithm>

namespace tk70 {

namespace {

// Line 5 is read into a buffer of this size; a line filling it is refused.
constexpr qint64 kLineBuffer = 8192;

void refuse(const char *text)
{
    Messages::note(QString::fromLatin1(text), QString::fromLatin1(kTitleError), MessageIcon::Stop);
}

// One line: its first kLineBuffer bytes in kept, its whole length (with line end) as
// the result, -1 at the end of the file.
qint64 readLine(QIODevice &file, QByteArray &kept)
{
    kept = file.readLine(kLineBuffer);
    if (kept.isEmpty())
        return -1;
    qint64 length = kept.size();
    bool ended = kept.endsWith('\n');
    while (!ended && !file.atEnd()) {
        const QByteArray more = file.readLine(kLineBuffer);
        if (more.isEmpty())
            break;
        length += more.size();
        ended = more.endsWith('\n');
    }
    return length;
}

// The bytes at from, width wide, within the line, trimmed.
QByteArrayView field(QByteArrayView line, qsizetype from, qsizetype width)
{
    if (line.size() <= from)
        return {};
    return line.sliced(from, std::min(width, line.size() - from)).trimmed();
}

// The whole number at the start of a field, 0 when there is none.
qint32 number(QByteArrayView line, qsizetype from, qsizetype width)
{
    const QByteArrayView text = field(line, from, width);
    qint32 value = 0;
    qsizetype i = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000)
        value = value * 10 + (text[i++] - '0');
    return value;
}

// Column i from the names line and the address line of the ASCII layout.
HistoryColumn asciiColumn(QByteArrayView names, QByteArrayView addresses, qsizetype i)
{
    const qsizetype at = 20 + 15 * i;
    return {Windows1252::decode(field(names, 17 + 15 * i, 15)), number(addresses, at, 2), number(addresses, at + 3, 2),
            number(addresses, at + 6, 2), number(addresses, at + 9, 4)};
}

// Column i from the address line and the names line of the DOS layout (no loop).
HistoryColumn dosColumn(QByteArrayView addresses, QByteArrayView names, qsizetype i)
{
    const qsizetype at = 12 + 11 * i;
    return {Windows1252::decode(field(names, 13 + 11 * i, 9)), 0, number(addresses, at, 2),
            number(addresses, at + 3, 2), number(addresses, at + 6, 4)};
}

bool titleFits(const QByteArray &line, HistoryFileKind kind)
{
    const char *title = kind == HistoryFileKind::Ascii ? "TK70 Pro DATA COLLECTION" : "TK70 DATA COLLECTION PROGRAM";
    return line.contains(title) && !line.contains('"');
}

}  // namespace

std::optional<HistoryHeader> readHistoryHeader(QIODevice &file, HistoryFileKind kind, int tagCapacity)
{
    const bool ascii = kind == HistoryFileKind::Ascii;
    QByteArray lines[7];
    if (readLine(file, lines[0]) < 0 || !titleFits(lines[0], kind)) {
        refuse(ascii ? "Invalid TK70 Pro Historical Data File Format.\nCould Not Open Data File."
                     : "Invalid TK70 (DOS) Historical Data File Format.\nCould Not Open Data File.");
        return std::nullopt;
    }
    for (int i = 1; i < 4; ++i)
        readLine(file, lines[i]);
    HistoryHeader header;
    header.columnLineLength = readLine(file, lines[4]);
    if (header.columnLineLength >= kLineBuffer - 1) {
        refuse("Historical Data File contains too many tags.\nCan Not view this file.");
        return std::nullopt;
    }
    // The header must be whole: a column line with content and the two lines after it.
    if (withoutLineEnd(lines[4]).isEmpty() || readLine(file, lines[5]) < 0 || readLine(file, lines[6]) < 0) {
        refuse("Historical Data File Format is Invalid.\nCan Not view this file.");
        return std::nullopt;
    }
    header.dataStart = file.pos();
    qint64 count = ascii ? (header.columnLineLength - 17) / 15 : (header.columnLineLength - 12) / 11;
    count = std::max<qint64>(count, 0);
    if (count > tagCapacity) {
        Messages::note(QStringLiteral("Tag Count Exceeds This Version's Tag Capability.\nCould Not Read All Tags."),
                       QString::fromLatin1(kTitleWarning), MessageIcon::Warning);
        count = tagCapacity;
    }
    for (qsizetype i = 0; i < count; ++i)
        header.columns.push_back(ascii ? asciiColumn(lines[4], lines[5], i) : dosColumn(lines[4], lines[5], i));
    return header;
}

QString dosColumnName(const QString &tagname)
{
    const QByteArray bytes = Windows1252::encode(tagname);
    return Windows1252::decode(bytes.left(9).trimmed());
}

}  // namespace tk70
