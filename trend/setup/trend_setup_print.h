// The printed trend setup without a printer: which graphs print (one page each, those
// whose first tagname is not empty) and the text lines and rules of a page, placed in
// line heights from the top.  The block is as wide as the tag list's 81-character ruler
// (TagListPrint::ruler()) and has the same header line with the document name and page.
#pragma once

#include "tags/trend_graph.h"

#include <QString>
#include <array>
#include <vector>

namespace tk70::TrendSetupPrint {

// Where the parts of a page go, in line heights from the top of the page.
inline constexpr double kHeaderLine = 2;
inline constexpr double kHeaderRuleLine = 3.5;
inline constexpr double kFirstGraphLine = 4;  // "Graph Number", then one line each
inline constexpr double kGraphRuleLine = 8.5;
inline constexpr double kHeadingLine = 10;
inline constexpr double kHeadingRuleLine = 11.5;
inline constexpr double kFirstTraceLine = 13;
// The double rule: two lines below the last trace, its two lines half a line apart.
inline constexpr double kDoubleRuleGap = 2;
inline constexpr double kDoubleRuleSpacing = 0.5;

struct TextLine {
    double line;
    QString text;

    bool operator==(const TextLine &) const = default;
};

struct Page {
    std::vector<TextLine> texts;
    std::vector<double> rules;  // rules across the block, at these lines
};

// The indexes of the graphs that print, in graph order.
std::vector<int> printedGraphs(const std::array<TrendGraph, TrendGraph::kGraphCount> &graphs);

// Page pageNumber (from 1), showing graph graphIndex (0 to 9).  The header names
// pathName, or title for a path of 69 characters or more; a historical document's page
// has no sample interval line.
Page page(const TrendGraph &graph, int graphIndex, int pageNumber, const QString &pathName, const QString &title,
          bool historical);

// "%-15s %10s %10s   %-40s" with the column names, and one trace with "%-15s %10g %10g   %-40s".
QString headingLine();
QString traceLine(const TrendTrace &trace);

}  // namespace tk70::TrendSetupPrint
