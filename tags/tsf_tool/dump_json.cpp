// JSON dump of a tag selection: see dump_json.h.
#include "tags/tsf_tool/dump_json.h"

#include "tags/tag_doc.h"
#include "tags/tsf_tool/selection_json_keys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tk70 {

namespace {

using namespace SelectionJsonKeys;

QJsonObject tagJson(const TagRecord &tag)
{
    QJsonArray groups;
    for (qint32 member : tag.groups)
        groups.append(member);
    return QJsonObject{
        {kTagname, tag.tagname},     {kDescription, tag.description},
        {kLoop, tag.loop},           {kPcu, tag.pcu},
        {kModule, tag.module},       {kBlock, tag.block},
        {kPointType, tag.pointType}, {kGroups, groups},
    };
}

QJsonObject graphJson(const TrendGraph &graph)
{
    QJsonArray traces;
    for (const TrendTrace &trace : graph.traces) {
        traces.append(QJsonObject{
            {kTagname, trace.tagname},
            {kDescription, trace.description},
            {kZero, trace.zero},
            {kSpan, trace.span},
        });
    }
    return QJsonObject{
        {kHistoryLength, graph.historyLength},   {kTraceCount, graph.traceCount},
        {kSampleInterval, graph.sampleInterval}, {kTitle, graph.title},
        {kSecondTitle, graph.secondTitle},       {kTraces, traces},
    };
}

QJsonObject groupJson(const CollectionGroup &group)
{
    return QJsonObject{
        {kEnabled, group.enabled},
        {kFileName, group.fileName},
        {kFileType, group.fileType},
        {kSampleTime, group.sampleTime},
        {kStartDate, group.startDate},
        {kStartTime, group.startTime},
        {kEndDate, group.endDate},
        {kEndTime, group.endTime},
        {kRolloverHours, group.rolloverHours},
        {kAppendFile, group.appendFile},
        {kSaveInhibitTag, group.saveInhibitTag},
    };
}

}  // namespace

QByteArray dumpJson(const CTagDoc &doc, const QStringList &warnings)
{
    const TagSelection &selection = doc.selection();
    QJsonArray tags;
    for (int slot = 0; slot < selection.tags.count(); ++slot)
        tags.append(tagJson(selection.tags.record(slot)));
    QJsonArray graphs;
    for (const TrendGraph &graph : selection.graphs)
        graphs.append(graphJson(graph));
    QJsonArray groups;
    for (const CollectionGroup &group : selection.groups)
        groups.append(groupJson(group));
    const QJsonObject root{
        {kTags, tags},
        {kGraphs, graphs},
        {kGroups, groups},
        {kSerialPortIndex, selection.serialPortIndex},
        {kBaudRateIndex, selection.baudRateIndex},
        {kWarnings, QJsonArray::fromStringList(warnings)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace tk70
