// The header block of a historical data file (lines 1 to 7): the title check, the line
// holding the columns and its limits, the column names and addresses of the ASCII and
// the TK70 (DOS) layout, and the start of data.  Each refusal is shown (stop icon); more
// columns than the tag capacity are warned about and cut.
#pragma once

#include "trend/history/historical_file.h"

#include <QIODevice>
#include <optional>

namespace tk70 {

struct HistoryHeader {
    std::vector<HistoryColumn> columns;  // at most the tag capacity
    qint64 columnLineLength = 0;         // length of line 5 with its line end
    qint64 dataStart = 0;                // offset of line 8
};

// The column name a DOS file keeps of a tagname: its first 9 characters (as the file's
// bytes), blanks trimmed.  Two tagnames alike in those 9 name two columns alike.
QString dosColumnName(const QString &tagname);

// Reads the header from the start of file; nullopt after a refusal.
std::optional<HistoryHeader> readHistoryHeader(QIODevice &file, HistoryFileKind kind, int tagCapacity);

}  // namespace tk70
