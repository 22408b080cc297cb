// JSON dump of a tag selection: see dump_json.h.
#include "dump_json.h"

#include "tag_doc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tk70 {

namespace {

QJsonObject tagJson(const TagRecord &tag)
{
    QJsonArray groups;
    for (qint32 member : tag.groups)
        groups.append(member);
    return QJsonObject{
        {"tagname", tag.tagname}, {"description", tag.description}, {"loop", tag.loop},
        {"pcu", tag.pcu},         {"module", tag.module},           {"block", tag.block},
        {"pointType", tag.pointType}, {"groups", groups},
    };
}

QJsonObject graphJson(const TrendGraph &graph)
{
    QJsonArray traces;
    for (const TrendTrace &trace : graph.traces) {
        traces.append(QJsonObject{
            {"tagname", trace.tagname}, {"description", trace.description},
            {"zero", trace.zero},       {"span", trace.span},
        });
    }
    return QJsonObject{
        {"historyLength", graph.historyLength}, {"traceCount", graph.traceCount},
        {"sampleInterval", graph.sampleInterval}, {"title", graph.title},
        {"secondTitle", graph.secondTitle}, {"traces", traces},
    };
}

QJsonObject groupJson(const CollectionGroup &group)
{
    return QJsonObject{
        {"enabled", group.enabled},     {"fileName", group.fileName},
        {"fileType", group.fileType},   {"sampleTime", group.sampleTime},
        {"startDate", group.startDate}, {"startTime", group.startTime},
        {"endDate", group.endDate},     {"endTime", group.endTime},
        {"rolloverHours", group.rolloverHours}, {"appendFile", group.appendFile},
        {"saveInhibitTag", group.saveInhibitTag},
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
        {"tags", tags},
        {"graphs", graphs},
        {"groups", groups},
        {"serialPortIndex", selection.serialPortIndex},
        {"baudRateIndex", selection.baudRateIndex},
        {"warnings", QJsonArray::fromStringList(warnings)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace tk70
