// Reading a Tag Selection File: see tsf_reader.h.
#include "tags/tsf_reader.h"

#include "tags/tsf_byte_reader.h"
#include "tags/tsf_format.h"

#include <algorithm>

namespace tk70 {

namespace {

TagRecord readTagRecord(TsfByteReader &in)
{
    TagRecord tag;
    tag.tagname = in.readString();
    tag.description = in.readString();
    tag.loop = in.readInt32();
    tag.pcu = in.readInt32();
    tag.module = in.readInt32();
    tag.block = in.readInt32();
    tag.pointType = in.readInt32();
    for (qint32 &member : tag.groups)
        member = in.readInt32();
    return tag;
}

bool readHeader(TsfByteReader &in)
{
    if (in.readRawString() != Tsf::kHeader)
        return false;
    return in.readInt32() == Tsf::kFileMark;
}

// Returns whether the file held more tags than the table takes.
bool readTags(TsfByteReader &in, TagTable &tags)
{
    const qint32 stored = in.readInt32();
    const int kept = std::clamp(stored, qint32(0), qint32(TagTable::kCapacity));
    tags.setCount(kept);
    for (int slot = 0; slot < kept; ++slot)
        tags.setRecord(slot, readTagRecord(in));
    for (qint64 extra = stored - qint64(kept); extra > 0; --extra)
        readTagRecord(in);
    return stored > kept;
}

TrendGraph readGraph(TsfByteReader &in)
{
    TrendGraph graph;
    graph.historyLength = in.readInt32();
    graph.traceCount = in.readInt32();
    graph.sampleInterval = in.readDouble();
    graph.title = in.readString();
    graph.secondTitle = in.readString();
    const int traces = graph.tracesInUse();
    for (int t = 0; t < traces; ++t) {
        TrendTrace &trace = graph.traces[t];
        trace.zero = in.readDouble();
        trace.span = in.readDouble();
        trace.tagname = in.readString();
        trace.description = in.readString();
    }
    return graph;
}

// Returns false when the graph count is above 10.
bool readGraphs(TsfByteReader &in, TagSelection &selection)
{
    const qint32 count = in.readInt32();
    if (count > Tsf::kMaxGraphRecords)
        return false;
    for (qint32 g = 0; g < count; ++g)
        selection.graphs[g] = readGraph(in);
    return true;
}

CollectionGroup readGroup(TsfByteReader &in)
{
    CollectionGroup group;
    group.fileName = in.readString();
    group.sampleTime = in.readInt32();
    group.startDate = in.readString();
    group.endDate = in.readString();
    group.saveInhibitTag = in.readString();
    group.appendFile = in.readInt32();
    group.rolloverHours = in.readInt32();
    group.startTime = in.readString();
    group.endTime = in.readString();
    group.enabled = in.readInt32();
    group.fileType = in.readString();
    return group;
}

void readGroupsAndLink(TsfByteReader &in, TagSelection &selection)
{
    for (CollectionGroup &group : selection.groups)
        group = readGroup(in);
    selection.baudRateIndex = in.readInt32();
    selection.serialPortIndex = in.readInt32();
}

TsfReadResult::Status readAll(TsfByteReader &in, TsfReadResult &result)
{
    TagSelection &selection = result.selection;
    if (!readHeader(in))
        return TsfReadResult::Status::Invalid;
    result.tagsLimited = readTags(in, selection.tags);
    if (!readGraphs(in, selection))
        return TsfReadResult::Status::Invalid;
    readGroupsAndLink(in, selection);
    return TsfReadResult::Status::Ok;
}

}  // namespace

// The result's selection starts with the new-document values, so whatever the file does
// not get to keeps them: an invalid file stops before a graph record is read.
TsfReadResult TsfReader::read(QByteArrayView bytes)
{
    TsfReadResult result;
    TsfByteReader in(bytes);
    try {
        result.status = readAll(in, result);
    } catch (const TsfDataEnd &) {
        result.status = TsfReadResult::Status::DataEnded;
    }
    return result;
}

}  // namespace tk70
