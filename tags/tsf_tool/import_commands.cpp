// The import commands of tk70-tsf: see import_commands.h.
#include "tags/tsf_tool/import_commands.h"

#include "tags/import/dos_tsf_import.h"
#include "tags/import/tag_list_import.h"
#include "tags/tag_doc.h"
#include "tags/tsf_tool/tool_message_sink.h"

namespace tk70 {

bool runImport(ImportKind kind, const QString &source, const QString &out)
{
    ToolMessageSink sink;
    CTagDoc doc;
    const bool imported = kind == ImportKind::DosTsf ? importDosTsf(source, doc) : importDelimitedTagList(source, doc);
    return imported && doc.saveDocument(out);
}

}  // namespace tk70
