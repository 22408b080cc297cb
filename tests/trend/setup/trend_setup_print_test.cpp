// The printed trend setup's pages without a printer.
#include "tags/tag_doc.h"
#include "trend/setup/trend_setup_print.h"

#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70::TrendSetupPrint;

TEST(TrendSetupPrint, OnlyGraphsWithAFirstTagnamePrint)
{
    CTagDoc doc;
    EXPECT_TRUE(printedGraphs(doc.selection().graphs).empty());
    doc.graph(1).traces[0].tagname = "FIC-101";
    doc.graph(4).traces[1].tagname = "LIC-401";  // no first tagname: no page
    doc.graph(7).traces[0].tagname = "PIC-301";
    EXPECT_EQ(printedGraphs(doc.selection().graphs), (std::vector<int>{1, 7}));
}

TEST(TrendSetupPrint, APageShowsTheGraphAndItsNamedTraces)
{
    TrendGraph graph;
    graph.title = "Boiler 1";
    graph.secondTitle = "Drum level";
    graph.sampleInterval = 5.0;
    graph.traces[0] = TrendTrace{"FIC-101", 0, 100, "Feed flow"};
    graph.traces[2] = TrendTrace{"LIC-401", -50, 250.5, "Drum level"};
    const Page page = TrendSetupPrint::page(graph, 2, 1, "/plant/unit1.tsf", "unit1.tsf", false);
    const std::vector<TextLine> expected{
        {2, "/plant/unit1.tsf" + QString(81 - 16 - 6, u' ') + "Page 1"},
        {4, "Graph Number   : 3"},
        {5, "Graph Title    : Boiler 1"},
        {6, "Second Title   : Drum level"},
        {7, "Sample Interval: 5 Seconds"},
        {10, "Tagname               Zero       Span   Trace Description                       "},
        {13, "FIC-101                  0        100   Feed flow                               "},
        {14, "LIC-401                -50      250.5   Drum level                              "},
    };
    EXPECT_EQ(page.texts, expected);
    EXPECT_EQ(page.rules, (std::vector<double>{3.5, 8.5, 11.5, 16, 16.5}));

    const Page historical = TrendSetupPrint::page(graph, 2, 1, QString(69, u'p'), "unit1.tsf", true);
    EXPECT_TRUE(historical.texts[0].text.startsWith("unit1.tsf "));
    EXPECT_EQ(historical.texts[4].text, headingLine());  // no sample interval line
}
