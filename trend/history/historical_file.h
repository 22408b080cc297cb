// A historical data file opened for graphing: the header read with every check and
// message of opening, the file's columns, and the reads the historical viewer makes
// (the Auto Fit load and the sequential read of a replay).
//
// Reading is built for files of hundreds of megabytes: the file is read in large blocks
// and scanned for line ends, only the lines that become points are parsed, and the
// offsets of every few hundredth data line are remembered the first time they are
// passed, so a zoom or a Restore seeks instead of reading the file again.  A file that a
// running collection is still writing can be read: a last line without its line end is
// not a record yet, and later reads see what has been appended since.
#pragma once

#include "core/product.h"
#include "trend/history/history_line.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace tk70 {

class CTagDoc;
class HistoryLines;

// One value column of the file: its name and point address.
struct HistoryColumn {
    QString name;
    qint32 loop = 0;  // always 0 in the DOS layout
    qint32 pcu = 0;
    qint32 module = 0;
    qint32 block = 0;
    bool operator==(const HistoryColumn &) const = default;
};

// The records an Auto Fit load covers: the requested first record limited to the file
// (never below 0, at most records - 1), the requested last (0: to the end) limited to
// the file and never before first, and the step that spreads at most 240 points over
// them: (last - first) div 240 + 1.  A load stops at last: it shows the records from
// first up to, not including, last.
struct AutoFitRange {
    qint64 first = 0;
    qint64 last = 0;
    qint64 step = 1;

    // Whether a record read belongs to the load; lines that are no sample do not carry
    // a load to or past its last record.
    bool takes(qint64 record) const { return record < last; }
};
AutoFitRange autoFitRange(qint64 firstRequested, qint64 lastRequested, qint64 records);

// What an Auto Fit load used and found.
struct HistoryLoad {
    qint64 first = 0;                  // the first record of the range, after the limits
    qint64 last = 0;                   // the last record of the range, after the limits
    qint64 step = 1;                   // records from one point to the next
    std::vector<HistoryPoint> points;  // at most kMaxPoints
};

class HistoricalFile {
public:
    static constexpr int kMaxPoints = 240;

    // Opens the file and reads its header, showing each refusal (stop icon) and the
    // capacity warning; columns beyond tagCapacity are dropped.  nullptr after a refusal.
    static std::unique_ptr<HistoricalFile> open(const QString &path, HistoryFileKind kind, int tagCapacity = kTagCapacity);
    ~HistoricalFile();
    HistoricalFile(const HistoricalFile &) = delete;
    HistoricalFile &operator=(const HistoricalFile &) = delete;

    HistoryFileKind kind() const { return m_kind; }
    const QString &path() const { return m_path; }
    // The columns kept (at most the capacity), in file order.
    const std::vector<HistoryColumn> &columns() const { return m_columns; }
    // The file position of the first data line (after the seventh line).
    qint64 dataStart() const { return m_dataStart; }
    // File length / length of the fifth line, as at the open: an estimate only.
    qint64 estimatedRecords() const { return m_estimatedRecords; }
    // The records the file holds now: its complete lines after the start of data, each
    // line one record (a line that is no sample, such as a header a restarted collection
    // wrote, keeps its number).  A recount reads only what was appended since the last.
    qint64 countRecords();

    // Fills the document's tag list from the columns: tagname = description = column
    // name, the column's address, default point type.  The tag list is reset first.
    void fillTagList(CTagDoc &doc) const;

    // The Auto Fit load of the requested range (last 0: to the end) for the given file
    // columns over the records counted now: first = min(first, records - 1) but not
    // below 0, last = the requested last within first..records, then every
    // ((last - first) / 240 + 1)-th record from first up to, not including, last, at
    // most 240 points.
    HistoryLoad autoFitLoad(qint64 firstRequested, qint64 lastRequested, const std::vector<int> &columns);

    // The sequential read of a replay: go to record (counted from the start of data),
    // then read the next data line (nullopt at the end of the file) and skip lines.
    void seekRecord(qint64 record);
    std::optional<HistoryPoint> readNext(const std::vector<int> &columns);
    void skipRecords(qint64 count);
    // The record the sequential read stands at.
    qint64 currentRecord() const { return m_current; }
    // Bytes held by the index of line offsets (one offset per HistoryLines::kStride lines
    // passed so far).
    qint64 indexBytes() const;

private:
    HistoricalFile(const QString &path, HistoryFileKind kind);

    QString m_path;
    HistoryFileKind m_kind;
    std::vector<HistoryColumn> m_columns;
    qint64 m_dataStart = 0;
    qint64 m_estimatedRecords = 0;
    std::unique_ptr<HistoryLines> m_lines;
    qint64 m_current = 0;
};

}  // namespace tk70
