// Fuzzes the JSON reader of `tk70-tsf build` with arbitrary text, through the same
// function the tool uses to turn JSON into a document.  When the text is accepted, the
// document's TSF bytes must load back without a single message and write out the same
// bytes again: what the reader accepts is always a file the program itself can open.
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "tags/tsf_tool/build_tsf.h"

#include <cstdlib>

namespace {

// Answers every message without showing it, counting them.
class CountingSink : public tk70::MessageSink {
public:
    tk70::MessageAnswer show(const tk70::Message &message) override
    {
        ++count;
        return message.defaultAnswer;
    }
    int count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static CountingSink sink;
    tk70::Messages::install(&sink);
    sink.count = 0;

    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    tk70::CTagDoc doc;
    const tk70::JsonProblems problems = tk70::readTsfJson(json, doc);
    if (problems.errors < 0 || problems.errors > problems.messages.size())
        std::abort();
    if (problems.errors > 0)
        return 0;

    const QByteArray first = doc.writeTsf();
    tk70::CTagDoc again;
    if (!again.loadTsf(first, QStringLiteral("fuzz.tsf")) || sink.count != 0)
        std::abort();  // accepted JSON made a file the program would complain about
    if (again.writeTsf() != first)
        std::abort();
    return 0;
}
