// One run of tk70-graph: see graph_report.h.
#include "trend/graphtool/graph_report.h"

#include "chart/chart_page.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/export/page_export.h"
#include "trend/history/historical_file.h"
#include "trend/history/history_header.h"
#include "trend/historyview/historical_file_source.h"
#include "trend/historyview/history_graph_window.h"

#include <QFile>
#include <algorithm>
#include <optional>
#include <vector>

namespace tk70 {

HistoryFileKind historyKindOfFirstLine(const QByteArray &line)
{
    return line.trimmed().startsWith("TK70 DATA COLLECTION PROGRAM") ? HistoryFileKind::Dos : HistoryFileKind::Ascii;
}

namespace {

bool hasColumn(const HistoricalFile &file, const QString &tagname)
{
    const std::vector<HistoryColumn> &columns = file.columns();
    return std::any_of(columns.begin(), columns.end(),
                       [&](const HistoryColumn &column) { return column.name == tagname; });
}

// The selection's tag a DOS column stands for: the one tag whose cut name is the
// column's, or where several share it, the one of them at the column's point address;
// nothing when none or several do.
std::optional<TagRecord> selectionTagOf(const TagTable &selection, const HistoryColumn &column)
{
    std::vector<TagRecord> named;
    for (int slot = 0; slot < selection.count(); ++slot) {
        const TagRecord tag = selection.record(slot);
        if (!tag.isFree() && dosColumnName(tag.tagname) == column.name)
            named.push_back(tag);
    }
    if (named.size() > 1)
        std::erase_if(named, [&](const TagRecord &tag) {
            return tag.pcu != column.pcu || tag.module != column.module || tag.block != column.block;
        });
    return named.size() == 1 ? std::optional<TagRecord>(named.front()) : std::nullopt;
}

// A DOS file keeps 9 characters of each tagname, so FEEDWATER_FLOW and FEEDWATER_TEMP
// both head a column "FEEDWATER": each column takes back the full tagname of the
// selection's tag it stands for (by its address where the cut name is shared), so that
// the selection's traces find their own columns.
void restoreDosTagnames(CTagDoc &document, const TagTable &selection, const HistoricalFile &file)
{
    for (int slot = 0; slot < document.tags().count(); ++slot) {
        const std::optional<TagRecord> tag = selectionTagOf(selection, file.columns()[size_t(slot)]);
        if (!tag)
            continue;
        TagRecord column = document.tags().record(slot);
        column.tagname = tag->tagname;
        column.description = tag->tagname;
        document.setTag(slot, column);
    }
}

}  // namespace

std::unique_ptr<HistoricalFile> GraphReport::openFile() const
{
    QFile probe(m_options.dataFile);
    // The title line only: a file without line ends is not read whole into memory.
    const QByteArray firstLine = probe.open(QIODevice::ReadOnly) ? probe.readLine(256) : QByteArray();
    probe.close();
    return HistoricalFile::open(m_options.dataFile, historyKindOfFirstLine(firstLine));
}

// The document of the graph: the file's columns as its tags, and graph N of the
// selection or the command line's traces as graph 1.  A trace named on the command line
// must be a column of the file (a selection's trace may name a tag the file lacks, and
// draws nothing, as in the viewer).
bool GraphReport::fillDocument(CTagDoc &document, const HistoricalFile &file) const
{
    if (!m_options.selectionFile.isEmpty() && !document.openDocument(m_options.selectionFile))
        return false;
    const TagTable selection = document.tags();
    file.fillTagList(document);
    if (!m_options.selectionFile.isEmpty()) {
        if (file.kind() == HistoryFileKind::Dos)
            restoreDosTagnames(document, selection, file);
        return selectedGraphHasTraces(document);
    }
    for (const TrendTrace &trace : m_options.traces) {
        if (!hasColumn(file, trace.tagname)) {
            Messages::note(QStringLiteral("Tag %1 Not Found in Historical Data File.").arg(trace.tagname),
                           QString::fromLatin1(kTitleError), MessageIcon::Stop);
            return false;
        }
    }
    TrendGraph &graph = document.graph(0);
    const size_t count = m_options.traces.size();
    graph.traceCount = static_cast<qint32>(count);
    for (size_t i = 0; i < TrendGraph::kMaxTraces; ++i)
        graph.traces[i] = i < count ? m_options.traces[i] : TrendTrace{};
    return true;
}

// A graph of the selection without traces would be an empty picture, written as if it
// were the report: refused with a message instead.
bool GraphReport::selectedGraphHasTraces(const CTagDoc &document) const
{
    if (document.graph(m_options.graph - 1).tracesInUse() > 0)
        return true;
    Messages::note(
        QStringLiteral("Trend Graph #%1 of %2 Has No Traces.").arg(m_options.graph).arg(m_options.selectionFile),
        QString::fromLatin1(kTitleError), MessageIcon::Stop);
    return false;
}

// The viewer's Auto Fit load of the record range, through the viewer's own source.
void GraphReport::load(HistoricalFile &file, HistoryGraphWindow &window) const
{
    HistoricalFileSource source(file);
    const AutoFitRange range = autoFitRange(m_options.from, m_options.to, source.recordCount());
    source.seek(range.first);
    window.loadAutoFit(source, range);
}

// One line per point: position, date, time, then value and quality per trace (both
// empty for a trace whose tag is no column of the file).
void GraphReport::list(const HistoryGraphWindow &window, QTextStream &out)
{
    const HistoryPoints &points = window.points();
    const std::vector<int> columns = window.columns();
    for (int row = 0; row < points.rowCount(); ++row) {
        out << row << '\t' << points.date(row) << '\t' << points.time(row);
        for (int trace = 0; trace < points.columnCount(); ++trace) {
            if (columns[size_t(trace)] < 0)
                out << "\t\t";
            else
                out << '\t' << points.raw(row, trace) << '\t' << (points.isBad(row, trace) ? 'B' : 'G');
        }
        out << '\n';
    }
}

int GraphReport::run(QTextStream &out)
{
    std::unique_ptr<HistoricalFile> file = openFile();
    if (!file)
        return 1;
    CTagDoc document;
    if (!fillDocument(document, *file))
        return 1;
    const int graphIndex = m_options.selectionFile.isEmpty() ? 0 : m_options.graph - 1;
    ChartPage page;
    HistoryGraphWindow window(page, document, graphIndex, false);
    load(*file, window);
    if (m_options.outFile.isEmpty()) {
        list(window, out);
        return 0;
    }
    window.setOutput(m_options.reverse ? TrendOutput::ReverseExport : TrendOutput::Export);
    QString error;
    if (!exportPage(page, m_options.outFile, m_options.format, &error)) {
        Messages::note(error, QString::fromLatin1(kTitleError), MessageIcon::Stop);
        return 1;
    }
    return 0;
}

}  // namespace tk70
