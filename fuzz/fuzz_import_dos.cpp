// Fuzzes the TK70 (DOS) tag selection file import with arbitrary bytes: a refused file
// must leave the document alone, an accepted one must hold at most 30 tags and 12 traces
// on graph 1 and write out as a tag selection file that reads back.
#include "dos_tsf_import.h"
#include "messages.h"
#include "tag_doc.h"
#include "tsf_reader.h"

#include <QBuffer>
#include <cstdlib>

namespace {

// Answers every message without showing it.
class SilentSink : public tk70::MessageSink {
public:
    tk70::MessageAnswer show(const tk70::Message &message) override { return message.defaultAnswer; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static SilentSink sink;
    tk70::Messages::install(&sink);

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    tk70::CTagDoc doc;
    const tk70::TagSelection before = doc.selection();
    if (!tk70::importDosTsf(buffer, doc)) {
        if (!(doc.selection() == before))
            std::abort();  // a refused file must leave the document alone
        return 0;
    }
    if (doc.tagCount() < 0 || doc.tagCount() > doc.tagCapacity() || doc.graph(0).traceCount > 12)
        std::abort();
    if (tk70::TsfReader::read(doc.writeTsf()).status != tk70::TsfReadResult::Status::Ok)
        std::abort();
    return 0;
}
