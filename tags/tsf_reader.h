// Reads a Tag Selection File from bytes into a TagSelection, by the reading rules of
// the format:
//  - the tag table is reset, then the header text (case-sensitive) and the file mark
//    are checked: either wrong makes the file invalid;
//  - the tag count N is read and the first min(N, 30) tag records fill the slots; more
//    than 30 are read and discarded, the count becomes 30 and tagsLimited is set; a
//    negative count reads no records and gives a count of 0;
//  - the graphs are reset, the graph count G is read: above 10 the file is invalid; each
//    of the G graph records fills a graph slot from the first, keeping its trace count
//    as stored (even above 12) and reading up to 12 trace records;
//  - then the four group records, the baud-rate index and the serial port index.
// An invalid file keeps the tags already read; graphs, groups and indexes take their
// new-document values.  Bytes after the serial port index are ignored.
//
// Pure: nothing is shown; the document turns the result into its messages.
#pragma once

#include "tags/tag_selection.h"

#include <QByteArrayView>

namespace tk70 {

struct TsfReadResult {
    enum class Status {
        Ok,         // read in full
        Invalid,    // wrong header, wrong mark or more than 10 graphs: defaults as above
        DataEnded,  // the bytes ended early (or a string prefix is malformed): a file error
    };

    Status status = Status::Ok;
    bool tagsLimited = false;  // the file held more tags than the capacity
    TagSelection selection;    // what was read; only partly filled when the data ended
};

class TsfReader {
public:
    static TsfReadResult read(QByteArrayView bytes);
};

}  // namespace tk70
