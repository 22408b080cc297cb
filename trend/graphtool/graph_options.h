// The command line of tk70-graph: the data file, where the traces come from (a graph of
// a tag selection or --trace TAG[:ZERO:SPAN]), the record range and the output (a
// graph file or the --list of the loaded points).
#pragma once

#include "tags/trend_graph.h"
#include "trend/export/export_format.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tk70 {

struct GraphOptions {
    QString dataFile;
    QString selectionFile;           // empty: traces from --trace
    int graph = 1;                   // 1 to 10, with --selection
    std::vector<TrendTrace> traces;  // --trace, in order
    long long from = 0;
    long long to = 0;  // 0: to the end of the file
    QString outFile;   // empty: --list
    ExportFormat format = ExportFormat::Pdf;
    bool reverse = false;
};

inline constexpr const char *kGraphUsage =
    "usage: tk70-graph DATAFILE [--selection FILE.tsf --graph N | --trace TAG[:ZERO:SPAN]...]\n"
    "                  [--from RECORD] [--to RECORD]\n"
    "                  (--out FILE.pdf|.svg|.png|.emf|.wmf [--reverse] | --list)\n";

// The options of args (without the program's name); nothing, with the reason in *error,
// for a command line that does not follow the usage.
std::optional<GraphOptions> parseGraphOptions(const QStringList &args, QString *error);

// The format a graph file's suffix names (.wmf: placeable WMF); nothing for another.
std::optional<ExportFormat> graphFormatForPath(const QString &path);

}  // namespace tk70
