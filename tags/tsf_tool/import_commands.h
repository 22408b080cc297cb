// The import commands of tk70-tsf: `import-dos FILE OUT.tsf` and `import-list FILE
// OUT.tsf` read a TK70 (DOS) tag selection file or a delimited tag list with the
// program's own import and save the tag selection it gives.
#pragma once

#include <QString>

namespace tk70 {

enum class ImportKind { DosTsf, DelimitedList };

// Imports source and writes the result to out.  Messages go to standard error, one line
// each.  Returns false, writing nothing, when the source is refused or out cannot be
// written.
bool runImport(ImportKind kind, const QString &source, const QString &out);

}  // namespace tk70
