// A tag selection document of named tags and a table of readings the tests change at
// will, for the current values page and view.
#pragma once

#include "collect/datafile/group_output.h"
#include "tags/tag_doc.h"

#include <QString>
#include <vector>

namespace tk70test {

// Readings by tag position; positions beyond the table read as 0 with good quality.
class TableReadings : public tk70::PointReadings {
public:
    tk70::PointReading reading(int position) const override
    {
        ++reads;
        return position < int(rows.size()) ? rows[size_t(position)] : tk70::PointReading{};
    }

    std::vector<tk70::PointReading> rows;
    mutable int reads = 0;
};

// count tags named "FIC-101" onwards, every third with a description.
inline void fillDocument(tk70::CTagDoc &document, int count)
{
    document.newDocument();
    for (int i = 0; i < count; ++i) {
        tk70::TagRecord tag;
        tag.tagname = QStringLiteral("FIC-%1").arg(101 + i);
        if (i % 3 == 0)
            tag.description = QStringLiteral("Feed flow %1").arg(i + 1);
        document.setTag(i, tag);
    }
    document.tags().setCount(count);
}

// A table of count readings: good values, with a point error at 4, bad quality at 5 and
// a negative status at 6.
inline std::vector<tk70::PointReading> sampleRows(int count)
{
    std::vector<tk70::PointReading> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({0, 10.0 * i + 0.25, false});
    rows[4].errorCode = 12;
    rows[5].badQuality = true;
    rows[6].errorCode = -1;
    return rows;
}

}  // namespace tk70test
