// How both tag list imports begin and end: see import_result.h.
#include "tags/import/import_result.h"

#include "tags/import/import_messages.h"
#include "tags/tag_doc.h"

#include <QFile>

namespace tk70 {

bool importFromFile(const QString &path, const char *openError, const std::function<bool(QIODevice &)> &read)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ImportMessages::stop(QString::fromLatin1(openError));
        return false;
    }
    return read(file);
}

void adoptImportedSelection(CTagDoc &target, const TagSelection &selection, bool limited)
{
    target.newDocument();
    target.selection() = selection;
    if (limited)
        ImportMessages::warn(QString::fromLatin1(ImportMessages::kTagCountExceeded));
}

}  // namespace tk70
