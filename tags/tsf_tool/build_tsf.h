// `tk70-tsf build`: writes a Tag Selection File from its JSON form (see selection_json.h).
// The JSON file's faults and warnings go to standard error, one line each, naming the
// file and the member.  With any fault, or when the JSON file cannot be read, nothing is
// written and an existing output file stays as it was.
#pragma once

#include "tags/tsf_tool/json_object_reader.h"

#include <QByteArray>
#include <QString>

namespace tk70 {

class CTagDoc;

// Makes doc a new document and reads the JSON text into it, reporting nothing itself.
// With any fault among the returned problems the document is only partly filled and
// must not be saved.
JsonProblems readTsfJson(const QByteArray &json, CTagDoc &doc);

// Returns true when the TSF was written.
bool buildTsf(const QString &jsonPath, const QString &tsfPath);

}  // namespace tk70
