// "Import TK70 (DOS) TSF": reads the binary tag selection file of the DOS program into a
// new tag selection.
//
// The file: a 16-bit file mark (0x3021 with its top bit ignored), a signed 16-bit record
// count, then records of 34 bytes: a signed address word (loop = word / 256, PCU =
// word % 256, both truncating toward zero), module, block and trend flag (signed 16-bit
// each), trace zero and span (doubles), and a tagname of up to 10 bytes ending at the
// first zero byte.  All little-endian.
//
// Each record fills the next tag slot (its name is the description as well, point type
// Non-Exception, collection group 1).  A record flagged for trending (flag 1) adds a
// trace with its zero and span to trend graph 1; flagged records beyond the graph's 12
// traces are left off with one warning that says how many.  Only the first 30 records
// are read; when the file holds more, a warning says so after the import.  A file that
// ends inside a record, or a record whose tagname is empty, is reported and the records
// before it are kept.
#pragma once

#include <QString>

class QIODevice;

namespace tk70 {

class CTagDoc;

// Imports the file at path into target, which first takes the new-document values.
// Every message is shown through Messages.  Returns false, with target untouched, when
// the file cannot be opened or its file mark is wrong.
bool importDosTsf(const QString &path, CTagDoc &target);
// The same from a device opened for reading, from its current position.
bool importDosTsf(QIODevice &device, CTagDoc &target);

}  // namespace tk70
