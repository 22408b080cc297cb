// The TK70 (DOS) data file, in the layout of the product's earlier DOS version: the date
// once in the header, addresses without the loop, names cut to 9 characters, and sample
// lines of the time of day and 11-character value columns.
#pragma once

#include "collect/datafile/text_layout.h"

namespace tk70 {

class DosLayout final : public TextLayout {
public:
    QByteArray header(const HeaderFacts &facts, const std::vector<DataColumn> &columns) const override;
    // "HH:MM:SS.00  " (13 characters).
    QByteArray stamp(const QDateTime &when) const override;
    // "ERROR-%03d  " for a point error, else the value in 9 characters (format by its
    // signed range) and the quality mark.
    QByteArray value(const PointReading &reading) const override;
};

}  // namespace tk70
