// Reading the JSON form of a tag selection: see selection_json.h.
#include "tags/tsf_tool/selection_json.h"

#include "tags/point_type.h"
#include "tags/tsf_tool/selection_json_keys.h"

#include <QJsonDocument>
#include <array>

namespace tk70 {

namespace {

using namespace SelectionJsonKeys;

// The limits of the tag editor, the trend setup and the collection settings.
constexpr qsizetype kTraceDescriptionChars = 32;
constexpr qsizetype kTitleChars = 40;
constexpr std::array<qint32, 5> kHistoryLengths{360, 600, 1200, 1800, 2400};
constexpr double kMinSampleInterval = 1.0;
constexpr double kMaxSampleInterval = 600.0;
constexpr qint32 kMaxSerialPortIndex = 1;
constexpr qint32 kMaxBaudRateIndex = 4;

TagRecord readTag(JsonObjectReader &in)
{
    TagRecord tag;
    if (!in.has(kTagname))
        in.error(kTagname, QStringLiteral("missing; every tag needs a name"));
    else if (in.readText(kTagname, tag.tagname, kTagnameMaxChars) && tag.tagname.isEmpty())
        in.error(kTagname, QStringLiteral("empty; every tag needs a name"));
    in.readText(kDescription, tag.description, kTagDescriptionMaxChars);
    in.readInt(kLoop, tag.loop, 0, kMaxLoop);
    in.readInt(kPcu, tag.pcu, 0, kMaxPcu);
    in.readInt(kModule, tag.module, 0, kMaxModule);
    in.readInt(kBlock, tag.block, 0, kMaxBlock);
    in.readInt(kPointType, tag.pointType, 0, PointTypes::kCount - 1);
    in.readIntArray(kGroups, tag.groups, 0, 1);
    in.warnUnknownKeys();
    return tag;
}

void readTags(JsonObjectReader &root, TagTable &tags)
{
    QList<JsonObjectReader> items = root.readObjects(kTags, TagTable::kCapacity);
    tags.setCount(int(items.size()));
    for (qsizetype slot = 0; slot < items.size(); ++slot)
        tags.setRecord(int(slot), readTag(items[slot]));
}

void readTrace(JsonObjectReader &in, TrendTrace &trace)
{
    in.readText(kTagname, trace.tagname, kTagnameMaxChars);
    in.readText(kDescription, trace.description, kTraceDescriptionChars);
    in.readDouble(kZero, trace.zero);
    in.readDouble(kSpan, trace.span);
    in.warnUnknownKeys();
}

// The traces in use need a tagname; a named trace past them would be lost unnoticed.
// Only checked on a graph without faults, whose trace count can be trusted.
void checkTracesInUse(const JsonObjectReader &in, const TrendGraph &graph)
{
    for (int t = 0; t < TrendGraph::kMaxTraces; ++t) {
        const QString &tagname = graph.traces[size_t(t)].tagname;
        if (t < graph.traceCount && tagname.isEmpty()) {
            in.error(kTraceCount,
                     QStringLiteral("%1 traces in use, but traces[%2] has no tagname").arg(graph.traceCount).arg(t));
        } else if (t >= graph.traceCount && !tagname.isEmpty()) {
            in.warning(kTraceCount, QStringLiteral("traces[%1] (%2) is past the %3 traces in use and is not stored")
                                        .arg(QString::number(t), tagname, QString::number(graph.traceCount)));
        }
    }
}

void readGraph(JsonObjectReader &in, TrendGraph &graph)
{
    const int errorsBefore = in.errors();
    in.readIntOf(kHistoryLength, graph.historyLength, kHistoryLengths);
    in.readInt(kTraceCount, graph.traceCount, 0, TrendGraph::kMaxTraces);
    in.readDouble(kSampleInterval, graph.sampleInterval, kMinSampleInterval, kMaxSampleInterval);
    in.readText(kTitle, graph.title, kTitleChars);
    in.readText(kSecondTitle, graph.secondTitle, kTitleChars);
    QList<JsonObjectReader> traces = in.readObjects(kTraces, TrendGraph::kMaxTraces);
    for (qsizetype t = 0; t < traces.size(); ++t)
        readTrace(traces[t], graph.traces[size_t(t)]);
    if (in.errors() == errorsBefore)
        checkTracesInUse(in, graph);
    in.warnUnknownKeys();
}

// Only graphs with traces are stored, and they come back from the first graph on.
void readGraphs(JsonObjectReader &root, std::array<TrendGraph, TrendGraph::kGraphCount> &graphs)
{
    QList<JsonObjectReader> items = root.readObjects(kGraphs, TrendGraph::kGraphCount);
    int stored = 0;
    for (qsizetype g = 0; g < items.size(); ++g) {
        TrendGraph &graph = graphs[size_t(g)];
        readGraph(items[g], graph);
        if (graph.traceCount == 0)
            continue;
        if (stored != g && root.errors() == 0)
            root.warning(kGraphs, QStringLiteral("graphs[%1] is stored as graph %2: graphs without traces are "
                                                 "not stored, so the ones after them move up")
                                      .arg(g)
                                      .arg(stored + 1));
        ++stored;
    }
}

void readGroup(JsonObjectReader &in, CollectionGroup &group)
{
    static const QStringList fileTypes{QString::fromLatin1(kFileTypeAscii), QString::fromLatin1(kFileTypeCsv),
                                       QString::fromLatin1(kFileTypeAccess), QString::fromLatin1(kFileTypeDatabase),
                                       QString::fromLatin1(kFileTypeDos), QString::fromLatin1(kFileTypeHistorian)};
    in.readInt(kEnabled, group.enabled, 0, 1);
    in.readText(kFileName, group.fileName);
    in.readTextOf(kFileType, group.fileType, fileTypes);
    in.readInt(kSampleTime, group.sampleTime);
    in.readText(kStartDate, group.startDate);
    in.readText(kStartTime, group.startTime);
    in.readText(kEndDate, group.endDate);
    in.readText(kEndTime, group.endTime);
    in.readInt(kRolloverHours, group.rolloverHours);
    in.readInt(kAppendFile, group.appendFile, 0, 1);
    in.readText(kSaveInhibitTag, group.saveInhibitTag);
    in.warnUnknownKeys();
}

void readGroups(JsonObjectReader &root, std::array<CollectionGroup, kCollectionGroupCount> &groups)
{
    QList<JsonObjectReader> items = root.readObjects(kGroups, kCollectionGroupCount);
    for (qsizetype g = 0; g < items.size(); ++g)
        readGroup(items[g], groups[size_t(g)]);
}

// "line L, column C" of a byte offset into json.
QString positionText(const QByteArray &json, int offset)
{
    const QByteArray before = json.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QStringLiteral("line %1, column %2").arg(before.count('\n') + 1).arg(offset - lineStart + 1);
}

}  // namespace

JsonProblems readSelectionJson(const QByteArray &json, TagSelection &selection)
{
    JsonProblems problems;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        problems.error(positionText(json, parseError.offset), parseError.errorString());
        return problems;
    }
    if (!document.isObject()) {
        problems.error(QStringLiteral("top level"), QStringLiteral("an object is needed, not an array"));
        return problems;
    }
    JsonObjectReader root(document.object(), QString(), problems);
    readTags(root, selection.tags);
    readGraphs(root, selection.graphs);
    readGroups(root, selection.groups);
    root.readInt(kSerialPortIndex, selection.serialPortIndex, 0, kMaxSerialPortIndex);
    root.readInt(kBaudRateIndex, selection.baudRateIndex, 0, kMaxBaudRateIndex);
    root.ignore(kWarnings);
    root.warnUnknownKeys();
    return problems;
}

}  // namespace tk70
