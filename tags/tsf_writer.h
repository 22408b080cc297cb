// Writes a TagSelection as a Tag Selection File: header text, file mark, the tag count
// and its tag records, then only the graphs that have traces (trace count not 0), in
// graph order, preceded by their number, each with up to 12 trace records; then the
// four group records, the baud-rate index and the serial port index.  A graph without
// traces is not stored, so stored graphs close up: graph 3 behind an empty graph 2 is
// read back as graph 2.
#pragma once

#include "tags/tag_selection.h"

#include <QByteArray>

namespace tk70 {

class TsfWriter {
public:
    static QByteArray write(const TagSelection &selection);
};

}  // namespace tk70
