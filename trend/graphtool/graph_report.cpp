// One run of tk70-graph: see graph_report.h.
#include "graph_report.h"

#include "chart/chart_page.h"
#include "historical_file.h"
#include "history_graph_window.h"
#include "messages.h"
#include "page_export.h"
#include "tag_doc.h"

#include <QFile>
#include <cmath>
#include <limits>

namespace tk70 {

HistoryFileKind historyKindOfFirstLine(const QByteArray &line)
{
    return line.trimmed().startsWith("TK70 DATA COLLECTION PROGRAM") ? HistoryFileKind::Dos : HistoryFileKind::Ascii;
}

std::unique_ptr<HistoricalFile> GraphReport::openFile() const
{
    QFile probe(m_options.dataFile);
    const QByteArray firstLine = probe.open(QIODevice::ReadOnly) ? probe.readLine() : QByteArray();
    probe.close();
    return HistoricalFile::open(m_options.dataFile, historyKindOfFirstLine(firstLine));
}

// The document of the graph: the file's columns as its tags, and graph N of the
// selection or the command line's traces as graph 1.
bool GraphReport::fillDocument(CTagDoc &document, const HistoricalFile &file) const
{
    if (!m_options.selectionFile.isEmpty() && !document.openDocument(m_options.selectionFile))
        return false;
    file.fillTagList(document);
    if (!m_options.selectionFile.isEmpty())
        return true;
    TrendGraph &graph = document.graph(0);
    const size_t count = m_options.traces.size();
    graph.traceCount = static_cast<qint32>(count);
    for (size_t i = 0; i < TrendGraph::kMaxTraces; ++i)
        graph.traces[i] = i < count ? m_options.traces[i] : TrendTrace{};
    return true;
}

// The Auto Fit load of the record range, with the cursor on the last point as the viewer
// leaves it.  A trace whose tagname is no column of the file has no value.
std::vector<HistorySample> GraphReport::load(HistoricalFile &file, HistoryGraphWindow &window) const
{
    const std::vector<int> columns = window.columns();
    std::vector<int> fileColumns;
    for (const int column : columns) {
        if (column >= 0)
            fileColumns.push_back(column);
    }
    const HistoryLoad loaded = file.autoFitLoad(m_options.from, m_options.to, fileColumns);
    std::vector<HistorySample> samples;
    window.clearPoints();
    for (const HistoryPoint &point : loaded.points) {
        HistorySample sample{point.date, point.time, {}, {}};
        size_t read = 0;
        for (const int column : columns) {
            const bool present = column >= 0 && read < point.values.size();
            sample.values.push_back(present ? point.values[read].raw : std::numeric_limits<double>::quiet_NaN());
            sample.bad.push_back(present && point.values[read].bad);
            read += present ? 1 : 0;
        }
        window.addPoint(sample);
        samples.push_back(std::move(sample));
    }
    window.placeCursor(window.points().rowCount() - 1);
    return samples;
}

// One line per point: position, date, time, then value and quality per trace.
void GraphReport::list(const std::vector<HistorySample> &samples, QTextStream &out)
{
    for (size_t row = 0; row < samples.size(); ++row) {
        const HistorySample &sample = samples[row];
        out << row << '\t' << sample.date << '\t' << sample.time;
        for (size_t trace = 0; trace < sample.values.size(); ++trace)
            out << '\t' << sample.values[trace] << '\t' << (sample.bad[trace] ? 'B' : 'G');
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
    const std::vector<HistorySample> samples = load(*file, window);
    if (m_options.outFile.isEmpty()) {
        list(samples, out);
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
