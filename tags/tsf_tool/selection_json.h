// Reads the JSON form of a tag selection, as `tk70-tsf dump --json` writes it, back into
// a TagSelection for `tk70-tsf build`.  A member that is absent keeps the value the
// selection already holds (the new-document value for a new selection).  Every value is
// checked against what the program's own editors can store: at most 30 tags, 10 graphs
// of 12 traces and 4 groups, the address and point type ranges, the text lengths, texts
// that Windows-1252 can hold.  Unknown members are warnings; "warnings" is ignored.
#pragma once

#include "tags/tag_selection.h"
#include "tags/tsf_tool/json_object_reader.h"

#include <QByteArray>

namespace tk70 {

// Reads json into selection; with any error the selection is only partly filled and
// must not be saved.
JsonProblems readSelectionJson(const QByteArray &json, TagSelection &selection);

}  // namespace tk70
