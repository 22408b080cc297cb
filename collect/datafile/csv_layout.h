// The CSV data file: quoted texts for spreadsheet import.  Each tag has two columns, its
// value and its quality mark ("*" for bad quality or a point error).
#pragma once

#include "collect/datafile/text_layout.h"

namespace tk70 {

class CsvLayout final : public TextLayout {
public:
    QByteArray header(const HeaderFacts &facts, const std::vector<DataColumn> &columns) const override;
    // "\"MM/DD/YY\",\"HH:MM:SS\"".
    QByteArray stamp(const QDateTime &when) const override;
    // ",\"ERROR-%03d\",\"*\"" for a point error, else ",%g" and the quality column.
    QByteArray value(const PointReading &reading) const override;
};

}  // namespace tk70
