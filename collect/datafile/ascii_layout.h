// The ASCII data file: a column-aligned text that the historical viewer reads back by
// position.  Every tag column is 15 characters wide; the names line has 18 leading
// characters, the address and rule lines 19, and a sample line's stamp takes 20.
#pragma once

#include "collect/datafile/text_layout.h"

namespace tk70 {

class AsciiLayout final : public TextLayout {
public:
    QByteArray header(const HeaderFacts &facts, const std::vector<DataColumn> &columns) const override;
    // "MM/DD/YY  HH:MM:SS  " (20 characters).
    QByteArray stamp(const QDateTime &when) const override;
    // "    ERROR-%03d* " for a point error, else the value in 13 characters (format by its
    // magnitude) and the quality mark: 15 characters.
    QByteArray value(const PointReading &reading) const override;
};

}  // namespace tk70
