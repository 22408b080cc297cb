// "Import Delimited Tag List": reads a text file with one tag per line into a new tag
// selection, by the line rules of tag_list_line.h.
//
// Lines are read with at most 398 characters each (the rest of a longer line is read as
// the next line); blank lines are passed over.  The first line that breaks a rule ends
// the import: its message (with the line's tag number, 1 for the first tag, and the
// tagname), then the format help, and the target keeps what it held.  A file without a
// single tag is refused the same way.  At most 30 tags are imported; when the file holds
// a further tag line, a warning says so after the import.
#pragma once

#include <QString>

class QIODevice;

namespace tk70 {

class CTagDoc;

// Imports the file at path into target, which first takes the new-document values.
// Every message is shown through Messages.  Returns false, with target untouched, when
// the file cannot be opened or is refused.
bool importDelimitedTagList(const QString &path, CTagDoc &target);
// The same from a device opened for reading, from its current position.
bool importDelimitedTagList(QIODevice &device, CTagDoc &target);

}  // namespace tk70
