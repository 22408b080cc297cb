// Fuzzes the Tag Selection File reader with arbitrary bytes, through the document so its
// messages are raised as well, and checks that whatever it loads writes out as a file
// that reads back to the same bytes (write, read, write is stable), and that every graph
// runs with a history length and interval of the bounded sets whatever the file holds.
#include "fuzz/silent_sink.h"
#include "tags/tag_doc.h"
#include "tags/tsf_reader.h"
#include "tags/tsf_writer.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tk70fuzz::silenceMessages();

    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    tk70::CTagDoc doc;
    const tk70::TagSelection before = doc.selection();
    if (!doc.loadTsf(bytes, QStringLiteral("fuzz.tsf"))) {
        if (!(doc.selection() == before))
            std::abort();  // a failed load must leave the document alone
        return 0;
    }
    if (doc.tagCount() < 0 || doc.tagCount() > doc.tagCapacity())
        std::abort();

    // Whatever a graph stores, it runs with a history length of the five and an interval
    // of 1 to 600 seconds.
    for (int g = 0; g < tk70::TrendGraph::kGraphCount; ++g) {
        const tk70::TrendGraph &graph = doc.graph(g);
        const auto &lengths = tk70::TrendGraph::kHistoryLengths;
        if (std::find(lengths.begin(), lengths.end(), graph.historyLengthInUse()) == lengths.end())
            std::abort();
        const double interval = graph.sampleIntervalInUse();
        if (!(interval >= tk70::TrendGraph::kMinSampleInterval && interval <= tk70::TrendGraph::kMaxSampleInterval))
            std::abort();
    }

    const QByteArray first = doc.writeTsf();
    const tk70::TsfReadResult again = tk70::TsfReader::read(first);
    if (again.status != tk70::TsfReadResult::Status::Ok || again.tagsLimited)
        std::abort();
    if (tk70::TsfWriter::write(again.selection) != first)
        std::abort();
    return 0;
}
