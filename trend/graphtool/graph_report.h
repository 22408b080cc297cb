// One run of tk70-graph: the data file opened as the historical viewer opens it (its
// kind from its first line), the traces of a selection's graph or of the command line
// matched to the file's columns by tagname, the Auto Fit load of the record range, and
// the viewer's page written in its export mode, or the loaded points listed.
#pragma once

#include "trend/graphtool/graph_options.h"
#include "trend/history/history_line.h"

#include <QByteArray>
#include <QTextStream>
#include <memory>

namespace tk70 {

class CTagDoc;
class HistoricalFile;
class HistoryGraphWindow;

// The kind of data file whose first line this is: "TK70 DATA COLLECTION PROGRAM" is the
// DOS layout (after its leading blanks), anything else is read as ASCII (whose reader refuses what it is not).
HistoryFileKind historyKindOfFirstLine(const QByteArray &line);

class GraphReport {
public:
    explicit GraphReport(const GraphOptions &options) : m_options(options) {}

    // Runs the report, writing --list to out; 0 on success, 1 after a refusal (its
    // message already shown).
    int run(QTextStream &out);

private:
    std::unique_ptr<HistoricalFile> openFile() const;
    bool fillDocument(CTagDoc &document, const HistoricalFile &file) const;
    bool selectedGraphHasTraces(const CTagDoc &document) const;
    void load(HistoricalFile &file, HistoryGraphWindow &window) const;
    static void list(const HistoryGraphWindow &window, QTextStream &out);

    const GraphOptions &m_options;
};

}  // namespace tk70
