// The frame every trend page is built on, real-time or historical: the graph window
// with its black plot area and grid, the time and value axes, the title, the hint line,
// the selected-trace box and text, the date, and the trace panel with one row per trace
// of the graph.  The pages add what is their own (history controls, cursor, buttons).
#pragma once

#include "chart/chart_page.h"
#include "trend/realtime/trace_panel.h"

#include <QString>
#include <memory>

namespace tk70 {

class CTagDoc;

// How the page is drawn: on screen; printed (print colours, backgrounds left to the
// printing); exported as shown; exported reversed (print colours on white).  Every
// output but the screen hides the interactive controls and shows the second title.
enum class TrendOutput { Screen, Print, Export, ReverseExport };

inline bool isPrintedOutput(TrendOutput output)
{
    return output == TrendOutput::Print || output == TrendOutput::ReverseExport;
}

// A text in the trend pages' style: black, the size in points, top-left unless told; a
// trace colour given to it later stays legible on the grey page on screen.
ChartTextStyle trendTextStyle(double points, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

struct TrendFrame {
    static constexpr int kValueDivisions = 5;
    static constexpr int kMaxDescription = 50;

    ChartHandle window = kNoChartHandle;
    ChartHandle timeAxis = kNoChartHandle;
    ChartHandle valueAxis = kNoChartHandle;
    ChartHandle title = kNoChartHandle;
    ChartHandle hint = kNoChartHandle;
    ChartHandle selectedBox = kNoChartHandle;
    ChartHandle selectedText = kNoChartHandle;
    ChartHandle date = kNoChartHandle;
    std::unique_ptr<TracePanel> panel;

    // Builds the frame of document's graph graphIndex on page (which should be empty):
    // a time axis tick every timeTick units, the hint line showing hint, and a trace row
    // per trace in use plotting its column of plotted.  "No Tags Defined in Tag List!"
    // when the document holds no tags (the page is built all the same).
    static TrendFrame build(ChartPage &page, const CTagDoc &document, int graphIndex, double timeTick,
                            const QString &hint, std::shared_ptr<const ChartData> plotted);

    // The backgrounds and trace colours of an output: the screen's grey page and black
    // plot, the print colours, or white for a reversed export.
    void applyColours(ChartPage &page, TrendOutput output) const;
};

}  // namespace tk70
