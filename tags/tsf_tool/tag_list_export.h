// The delimited tag list written by `tk70-tsf export-tags`: one line per tag,
// "Tagname,Loop,PCU,Module,Block,PointType,TagDescription", the point type as its editor
// name, the way the delimited tag list import reads it.  Lines end in "\n"; texts are
// Windows-1252 bytes, like every file the program exchanges.
//
// The import has no quoting: it splits at every comma and drops every double quote.  So
// a double quote in a field is left out (the import would drop it anyway), a comma is
// written as ';' and a control character (line breaks included) as a blank; each such
// change is noted.  Lines that the import will refuse (tagname empty or above 14
// characters, description above 50, a negative address number) are written as they are
// and noted too.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace tk70 {

class TagTable;

struct TagListExport {
    QByteArray text;    // the list
    QStringList notes;  // one line per change or import problem, "tag 3 (NAME): ..."
};

TagListExport exportTagList(const TagTable &tags);

}  // namespace tk70
