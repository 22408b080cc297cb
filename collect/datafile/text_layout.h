// The layout of one text data file type: the bytes of its header block and of the
// pieces of a sample line.  Lines end in '\n' here; the file writes each as "\r\n".
#pragma once

#include "collect/datafile/group_output.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

namespace tk70 {

class TextLayout {
public:
    virtual ~TextLayout() = default;
    // The whole header block of one open, for the member tags in columns.
    virtual QByteArray header(const HeaderFacts &facts, const std::vector<DataColumn> &columns) const = 0;
    // The start of a sample line: its time stamp.
    virtual QByteArray stamp(const QDateTime &when) const = 0;
    // One tag's column of a sample line: the value with its quality mark, or the error.
    virtual QByteArray value(const PointReading &reading) const = 0;
};

// The layout of "ASCII", "CSV" or "TK70 (DOS)"; nullptr for any other file type.
std::unique_ptr<TextLayout> makeTextLayout(const QString &fileType);

}  // namespace tk70
