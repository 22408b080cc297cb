// The printed trend setup without a printer: see trend_setup_print.h.
#include "trend/setup/trend_setup_print.h"

#include "tags/tag_list_print.h"

#include <QStringList>
#include <cstdio>

namespace tk70::TrendSetupPrint {

namespace {

// printf's "%-ns" (padded, never cut) and "%ng".
QString left(const QString &text, int width) { return text.leftJustified(width, u' '); }
QString right(const QString &text, int width) { return text.rightJustified(width, u' '); }

QString printed(const char *format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

QString columns(const QString &tagname, const QString &zero, const QString &span, const QString &description)
{
    return left(tagname, 15) + u' ' + zero + u' ' + span + QStringLiteral("   ") + left(description, 40);
}

void addGraphLines(Page &page, const TrendGraph &graph, int graphIndex, bool historical)
{
    QStringList lines{QStringLiteral("Graph Number   : %1").arg(graphIndex + 1),
                      QStringLiteral("Graph Title    : ") + graph.title,
                      QStringLiteral("Second Title   : ") + graph.secondTitle};
    if (!historical)
        lines << QStringLiteral("Sample Interval: %1 Seconds").arg(printed("%.0f", graph.sampleInterval));
    for (int line = 0; line < lines.size(); ++line)
        page.texts.push_back(TextLine{kFirstGraphLine + line, lines[line]});
}

}  // namespace

std::vector<int> printedGraphs(const std::array<TrendGraph, TrendGraph::kGraphCount> &graphs)
{
    std::vector<int> indexes;
    for (int index = 0; index < TrendGraph::kGraphCount; ++index) {
        if (!graphs[index].traces[0].tagname.isEmpty())
            indexes.push_back(index);
    }
    return indexes;
}

QString headingLine()
{
    return columns(QStringLiteral("Tagname"), right(QStringLiteral("Zero"), 10), right(QStringLiteral("Span"), 10),
                   QStringLiteral("Trace Description"));
}

QString traceLine(const TrendTrace &trace)
{
    return columns(trace.tagname, printed("%10g", trace.zero), printed("%10g", trace.span), trace.description);
}

Page page(const TrendGraph &graph, int graphIndex, int pageNumber, const QString &pathName, const QString &title,
          bool historical)
{
    Page page;
    page.texts.push_back(TextLine{kHeaderLine, TagListPrint::headerLine(pathName, title, pageNumber)});
    page.rules.push_back(kHeaderRuleLine);
    addGraphLines(page, graph, graphIndex, historical);
    page.rules.push_back(kGraphRuleLine);
    page.texts.push_back(TextLine{kHeadingLine, headingLine()});
    page.rules.push_back(kHeadingRuleLine);
    double line = kFirstTraceLine;
    for (const TrendTrace &trace : graph.traces) {
        if (trace.tagname.isEmpty())
            continue;
        page.texts.push_back(TextLine{line, traceLine(trace)});
        line += 1;
    }
    const double lastTrace = line - 1;
    page.rules.push_back(lastTrace + kDoubleRuleGap);
    page.rules.push_back(lastTrace + kDoubleRuleGap + kDoubleRuleSpacing);
    return page;
}

}  // namespace tk70::TrendSetupPrint
