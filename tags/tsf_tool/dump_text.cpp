// Readable dump of a tag selection: see dump_text.h.
#include "tags/tsf_tool/dump_text.h"

#include "tags/point_type.h"
#include "tags/tag_doc.h"

#include <QLocale>
#include <QStringList>

namespace tk70 {

namespace {

// A text in double quotes, so empty and blank-padded texts show.
QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

QString number(qint32 value) { return QString::number(value); }
QString number(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

QString pointTypeText(qint32 code)
{
    const QString name = PointTypes::editorName(code);
    return name.isEmpty() ? QStringLiteral("unknown point type ") + number(code) : name;
}

// Texts from the file are put in with one multi-argument arg(), so a '%' in them is
// never taken for a placeholder.
void dumpTags(const TagTable &tags, QStringList &out)
{
    out << QStringLiteral("Tags: %1 of %2").arg(number(tags.count()), number(tags.capacity()));
    for (int slot = 0; slot < tags.count(); ++slot) {
        const TagRecord tag = tags.record(slot);
        out << QStringLiteral("  Tag %1: %2 %3 %4, groups %5 %6 %7 %8, description %9")
                   .arg(number(slot + 1), quoted(tag.tagname), tag.addressText(), pointTypeText(tag.pointType),
                        number(tag.groups[0]), number(tag.groups[1]), number(tag.groups[2]), number(tag.groups[3]),
                        quoted(tag.description));
    }
}

void dumpGraph(int index, const TrendGraph &graph, QStringList &out)
{
    out << QStringLiteral("  Graph %1: title %2, second title %3")
               .arg(number(index + 1), quoted(graph.title), quoted(graph.secondTitle));
    out << QStringLiteral("    history length %1, sample interval %2 s, trace count %3")
               .arg(number(graph.historyLength), number(graph.sampleInterval), number(graph.traceCount));
    for (int t = 0; t < graph.tracesInUse(); ++t) {
        const TrendTrace &trace = graph.traces[t];
        out << QStringLiteral("    Trace %1: %2 zero %3 span %4, description %5")
                   .arg(number(t + 1), quoted(trace.tagname), number(trace.zero), number(trace.span),
                        quoted(trace.description));
    }
}

void dumpGroup(int index, const CollectionGroup &group, QStringList &out)
{
    out << QStringLiteral("  Group %1: enabled %2, file %3, type %4, sample time %5 s")
               .arg(number(index + 1), number(group.enabled), quoted(group.fileName), quoted(group.fileType),
                    number(group.sampleTime));
    out << QStringLiteral("    start %1 %2, end %3 %4")
               .arg(quoted(group.startDate), quoted(group.startTime), quoted(group.endDate), quoted(group.endTime));
    out << QStringLiteral("    rollover %1 h, append %2, save inhibit tag %3")
               .arg(number(group.rolloverHours), number(group.appendFile), quoted(group.saveInhibitTag));
}

}  // namespace

QString dumpText(const CTagDoc &doc)
{
    const TagSelection &selection = doc.selection();
    QStringList out;
    dumpTags(selection.tags, out);
    out << QStringLiteral("Trend graphs:");
    for (int g = 0; g < TrendGraph::kGraphCount; ++g)
        dumpGraph(g, selection.graphs[g], out);
    out << QStringLiteral("Collection groups:");
    for (int g = 0; g < kCollectionGroupCount; ++g)
        dumpGroup(g, selection.groups[g], out);
    out << QStringLiteral("Serial port index: %1 (COM%2)")
               .arg(number(selection.serialPortIndex), number(doc.comPort()));
    out << QStringLiteral("Baud rate index: %1 (%2 baud)").arg(number(selection.baudRateIndex), number(doc.baudRate()));
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace tk70
