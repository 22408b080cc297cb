// The command line of tk70-graph: see graph_options.h.
#include "trend/graphtool/graph_options.h"

#include <QFileInfo>

namespace tk70 {

namespace {

// "TAG", or "TAG:ZERO:SPAN" with two numbers.
std::optional<TrendTrace> parseTrace(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    TrendTrace trace;
    trace.tagname = parts.front();
    if (trace.tagname.isEmpty() || (parts.size() != 1 && parts.size() != 3))
        return std::nullopt;
    if (parts.size() == 3) {
        bool zeroOk = false;
        bool spanOk = false;
        trace.zero = parts[1].toDouble(&zeroOk);
        trace.span = parts[2].toDouble(&spanOk);
        if (!zeroOk || !spanOk)
            return std::nullopt;
    }
    trace.description = trace.tagname;
    return trace;
}

std::optional<long long> parseRecord(const QString &text)
{
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    return ok && value >= 0 ? std::optional<long long>(value) : std::nullopt;
}

// One option with its value; false with the reason for a bad one.
bool takeOption(GraphOptions &options, const QString &name, const QString &value, QString *error)
{
    if (name == QLatin1String("--selection")) {
        options.selectionFile = value;
    } else if (name == QLatin1String("--graph")) {
        bool ok = false;
        options.graph = value.toInt(&ok);
        if (!ok || options.graph < 1 || options.graph > TrendGraph::kGraphCount)
            return *error = QStringLiteral("--graph takes a number from 1 to 10"), false;
    } else if (name == QLatin1String("--trace")) {
        const std::optional<TrendTrace> trace = parseTrace(value);
        if (!trace)
            return *error = QStringLiteral("bad trace: ") + value, false;
        options.traces.push_back(*trace);
    } else if (name == QLatin1String("--from") || name == QLatin1String("--to")) {
        const std::optional<long long> record = parseRecord(value);
        if (!record)
            return *error = QStringLiteral("bad record number: ") + value, false;
        (name == QLatin1String("--from") ? options.from : options.to) = *record;
    } else if (name == QLatin1String("--out")) {
        options.outFile = value;
    } else {
        return *error = QStringLiteral("unknown option: ") + name, false;
    }
    return true;
}

// The combinations the usage allows.
bool checkCombination(const GraphOptions &options, bool list, bool graphGiven, QString *error)
{
    if (options.dataFile.isEmpty())
        *error = QStringLiteral("no data file");
    else if (list == !options.outFile.isEmpty())
        *error = QStringLiteral("give either --out or --list");
    else if (options.selectionFile.isEmpty() == options.traces.empty())
        *error = QStringLiteral("give either --selection or --trace");
    else if (options.traces.size() > size_t(TrendGraph::kMaxTraces))
        *error = QStringLiteral("at most 12 traces");
    else if (graphGiven && options.selectionFile.isEmpty())
        *error = QStringLiteral("--graph goes with --selection");
    else if (options.reverse && list)
        *error = QStringLiteral("--reverse goes with --out");
    else if (!list && !graphFormatForPath(options.outFile))
        *error = QStringLiteral("--out takes a .pdf, .svg, .png, .emf or .wmf file");
    else
        return true;
    return false;
}

}  // namespace

std::optional<ExportFormat> graphFormatForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const ExportFormat format :
         {ExportFormat::Pdf, ExportFormat::Svg, ExportFormat::Png, ExportFormat::Emf, ExportFormat::PlaceableWmf}) {
        if (suffix == exportSuffix(format))
            return format;
    }
    return std::nullopt;
}

std::optional<GraphOptions> parseGraphOptions(const QStringList &args, QString *error)
{
    GraphOptions options;
    bool list = false;
    bool graphGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--list")) {
            list = true;
        } else if (arg == QLatin1String("--reverse")) {
            options.reverse = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            if (i + 1 >= args.size())
                return *error = arg + QStringLiteral(" needs a value"), std::nullopt;
            graphGiven = graphGiven || arg == QLatin1String("--graph");
            if (!takeOption(options, arg, args[++i], error))
                return std::nullopt;
        } else if (options.dataFile.isEmpty()) {
            options.dataFile = arg;
        } else {
            return *error = QStringLiteral("more than one data file"), std::nullopt;
        }
    }
    if (!checkCombination(options, list, graphGiven, error))
        return std::nullopt;
    if (!list)
        options.format = *graphFormatForPath(options.outFile);
    return options;
}

}  // namespace tk70
