// How both tag list imports begin and end: the file opened (or its open error shown),
// and the tags read handed to the target document as a new selection, with the count
// warning when the file held more tags than a selection can.
#pragma once

#include <QString>
#include <functional>

class QIODevice;

namespace tk70 {

class CTagDoc;
struct TagSelection;

// Opens path for reading and returns what read returns on it; a file that cannot be
// opened shows openError (stop icon) and returns false.
bool importFromFile(const QString &path, const char *openError, const std::function<bool(QIODevice &)> &read);

// The target becomes a new document holding selection; limited adds the warning that
// not every tag of the file came in.
void adoptImportedSelection(CTagDoc &target, const TagSelection &selection, bool limited);

}  // namespace tk70
