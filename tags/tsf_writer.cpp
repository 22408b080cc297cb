// Writing a Tag Selection File: see tsf_writer.h.
#include "tags/tsf_writer.h"

#include "tags/tsf_byte_writer.h"
#include "tags/tsf_format.h"

#include <algorithm>

namespace tk70 {

namespace {

void writeTags(TsfByteWriter &out, const TagTable &tags)
{
    out.writeInt32(tags.count());
    for (int slot = 0; slot < tags.count(); ++slot) {
        const TagRecord tag = tags.record(slot);
        out.writeString(tag.tagname);
        out.writeString(tag.description);
        out.writeInt32(tag.loop);
        out.writeInt32(tag.pcu);
        out.writeInt32(tag.module);
        out.writeInt32(tag.block);
        out.writeInt32(tag.pointType);
        for (qint32 member : tag.groups)
            out.writeInt32(member);
    }
}

void writeGraph(TsfByteWriter &out, const TrendGraph &graph)
{
    out.writeInt32(graph.historyLength);
    out.writeInt32(graph.traceCount);
    out.writeDouble(graph.sampleInterval);
    out.writeString(graph.title);
    out.writeString(graph.secondTitle);
    const int traces = graph.tracesInUse();
    for (int t = 0; t < traces; ++t) {
        const TrendTrace &trace = graph.traces[t];
        out.writeDouble(trace.zero);
        out.writeDouble(trace.span);
        out.writeString(trace.tagname);
        out.writeString(trace.description);
    }
}

void writeGraphs(TsfByteWriter &out, const TagSelection &selection)
{
    const auto stored = [](const TrendGraph &graph) { return graph.traceCount != 0; };
    out.writeInt32(qint32(std::count_if(selection.graphs.begin(), selection.graphs.end(), stored)));
    for (const TrendGraph &graph : selection.graphs) {
        if (stored(graph))
            writeGraph(out, graph);
    }
}

void writeGroup(TsfByteWriter &out, const CollectionGroup &group)
{
    out.writeString(group.fileName);
    out.writeInt32(group.sampleTime);
    out.writeString(group.startDate);
    out.writeString(group.endDate);
    out.writeString(group.saveInhibitTag);
    out.writeInt32(group.appendFile);
    out.writeInt32(group.rolloverHours);
    out.writeString(group.startTime);
    out.writeString(group.endTime);
    out.writeInt32(group.enabled);
    out.writeString(group.fileType);
}

}  // namespace

QByteArray TsfWriter::write(const TagSelection &selection)
{
    TsfByteWriter out;
    out.writeRawString(Tsf::kHeader);
    out.writeInt32(Tsf::kFileMark);
    writeTags(out, selection.tags);
    writeGraphs(out, selection);
    for (const CollectionGroup &group : selection.groups)
        writeGroup(out, group);
    out.writeInt32(selection.baudRateIndex);
    out.writeInt32(selection.serialPortIndex);
    return out.bytes();
}

}  // namespace tk70
