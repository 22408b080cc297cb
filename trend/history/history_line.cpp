// Sample lines of the historical data files: the column geometry of the two layouts and
// the reading of one value column.
#include "trend/history/history_line.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace tk70 {

namespace {

// Where a layout puts a value column k: the shortest line holding it, the value field
// and the quality flag character.
struct ValueGeometry {
    qsizetype minLength;
    qsizetype fieldStart;
    qsizetype fieldWidth;
    qsizetype flagAt;
};

ValueGeometry geometry(HistoryFileKind kind, int k)
{
    const qsizetype c = k;
    if (kind == HistoryFileKind::Ascii)
        return {15 * c + 20, 20 + 15 * c, 13, 33 + 15 * c};
    return {11 * c + 12, 12 + 11 * c, 10, 22 + 11 * c};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

QString textAt(QByteArrayView line, qsizetype from, qsizetype width)
{
    if (line.size() <= from)
        return {};
    return QString::fromLatin1(line.sliced(from, std::min(width, line.size() - from)));
}

// The number at the start of a trimmed field; nullopt when it starts with none.
std::optional<double> numberIn(QByteArrayView field)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end == field.data())
        return std::nullopt;
    return value;
}

}  // namespace

QByteArrayView withoutLineEnd(QByteArrayView line)
{
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r'))
        line.chop(1);
    return line;
}

bool isHistoryDataLine(QByteArrayView line, HistoryFileKind kind)
{
    if (line.size() < 8)
        return false;
    const char separator = kind == HistoryFileKind::Ascii ? '/' : ':';
    for (const int at : {0, 1, 3, 4, 6, 7}) {
        if (!isDigit(line[at]))
            return false;
    }
    return line[2] == separator;
}

HistoryValue historyValue(QByteArrayView line, HistoryFileKind kind, int column)
{
    const ValueGeometry g = geometry(kind, column);
    const QByteArrayView text = withoutLineEnd(line);
    // The field must at least begin on the line; a cut field is read as far as it goes.
    if (text.size() < g.minLength || text.size() <= g.fieldStart)
        return {0.0, true};
    const QByteArrayView field =
        text.sliced(g.fieldStart, std::min(g.fieldWidth, text.size() - g.fieldStart)).trimmed();
    if (field.contains(QByteArrayView("ERROR")))
        return {0.0, true};
    const std::optional<double> value = numberIn(field);
    if (!value)
        return {0.0, true};
    // A line that ends before the flag character cannot vouch for the value.
    const bool flagged = text.size() <= g.flagAt || !isBlank(text[g.flagAt]);
    return {*value, flagged};
}

HistoryPoint historyPoint(QByteArrayView line, HistoryFileKind kind, const std::vector<int> &columns)
{
    HistoryPoint point;
    const QByteArrayView text = withoutLineEnd(line);
    if (kind == HistoryFileKind::Ascii) {
        point.date = textAt(text, 0, 8);
        point.time = textAt(text, 10, 8);
    } else {
        point.time = textAt(text, 0, 8);
    }
    point.values.reserve(columns.size());
    for (const int column : columns)
        point.values.push_back(historyValue(text, kind, column));
    return point;
}

}  // namespace tk70
