// The import commands of tk70-tsf: see import_commands.h.
#include "import_commands.h"

#include "dos_tsf_import.h"
#include "tag_doc.h"
#include "tag_list_import.h"
#include "tool_message_sink.h"

namespace tk70 {

bool runImport(ImportKind kind, const QString &source, const QString &out)
{
    ToolMessageSink sink;
    CTagDoc doc;
    const bool imported =
        kind == ImportKind::DosTsf ? importDosTsf(source, doc) : importDelimitedTagList(source, doc);
    return imported && doc.saveDocument(out);
}

}  // namespace tk70
