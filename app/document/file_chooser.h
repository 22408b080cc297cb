// Where the document lifecycle takes the names of files from: the file dialogs on the
// screen, a script in tests.  Each returns an empty name when the user cancels.
#pragma once

#include <QString>

namespace tk70 {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A tag selection file to open.
    virtual QString tagSelectionToOpen() = 0;
    // Where to save the tag selection that is now at current (empty for a new one).
    virtual QString tagSelectionToSave(const QString &current) = 0;
    // The file of an import: a TK70 (DOS) tag selection file, or a delimited tag list.
    virtual QString importToOpen(bool dos) = 0;
    // A historical data file: TK70 (DOS) or ASCII.
    virtual QString historicalFileToOpen(bool dos) = 0;
};

}  // namespace tk70
