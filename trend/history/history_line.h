// The data lines of a historical data file: which lines are samples, and the date,
// time and value columns of one sample line, for the ASCII and the TK70 (DOS) layout.
// Pure functions over a line's bytes (its line end may be present or not).
#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace tk70 {

enum class HistoryFileKind { Ascii, Dos };

// One trace value of a sample line.
struct HistoryValue {
    double raw = 0.0;
    bool bad = false;  // bad quality: flagged, "ERROR", or the column missing
    bool operator==(const HistoryValue &) const = default;
};

// One sample line read for a set of file columns.
struct HistoryPoint {
    qint64 record = 0;                 // the line's number counted from the start of data (0-based)
    QString date;                      // ASCII "MM/DD/YY"; empty for the DOS layout, which has no date
    QString time;                      // "HH:MM:SS"
    std::vector<HistoryValue> values;  // one per requested column, in request order
};

// The line without its line end ("\r\n" or "\n").
QByteArrayView withoutLineEnd(QByteArrayView line);

// Whether the line starts with a sample's date (ASCII: digits at 0, 1, 3, 4, 6, 7 and a
// slash at 2) or time (DOS: the same digits and a colon at 2).
bool isHistoryDataLine(QByteArrayView line, HistoryFileKind kind);

// The value of file column k (0-based) on a sample line.  A line that ends before the
// column, a value field holding "ERROR" or no number gives 0 with bad quality; else the
// number, bad when the column's flag character is not blank.
HistoryValue historyValue(QByteArrayView line, HistoryFileKind kind, int column);

// The whole point of a sample line for the given file columns; record is left 0.
// The line must be a data line (isHistoryDataLine).
HistoryPoint historyPoint(QByteArrayView line, HistoryFileKind kind, const std::vector<int> &columns);

}  // namespace tk70
