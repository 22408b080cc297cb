// The frame of the trend pages: see trend_frame.h.
#include "trend/realtime/trend_frame.h"

#include "chart/chart_palette.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/realtime/trace_scale.h"
#include "trend/realtime/trend_layout.h"

namespace tk70 {

namespace {

constexpr int kScreenBackground = kPaletteLightGrey;  // around the plot: the trace labels' ground
constexpr int kScreenPlotBackground = kPaletteBlack;
constexpr int kPlotFrame = 8;
constexpr int kGrid = 8;

void buildPlot(ChartPage &page, TrendFrame &frame, double timeTick)
{
    frame.window = page.addGraphWindow(TrendLayout::kWindow);
    page.setPlotArea(frame.window, TrendLayout::kPlotArea, kScreenPlotBackground, kPlotFrame);
    const ChartTextStyle axisStyle = trendTextStyle(TrendLayout::kPanelPoints);
    frame.timeAxis = page.addAxis(frame.window, Qt::Horizontal, timeTick, 0, QStringLiteral("Time of Day"), axisStyle);
    page.setAxisGrid(frame.timeAxis, kGrid);
    frame.valueAxis =
        page.addAxis(frame.window, Qt::Vertical, 100.0 / TrendFrame::kValueDivisions, 0, QString(), axisStyle);
    page.setAxisGrid(frame.valueAxis, kGrid);
}

void buildTexts(ChartPage &page, TrendFrame &frame, const QString &title, const QString &hint)
{
    using namespace TrendLayout;
    ChartTextStyle titleStyle = trendTextStyle(kTitlePoints, Qt::AlignHCenter | Qt::AlignTop);
    titleStyle.bold = true;
    frame.title = page.addText(kTitle, title, titleStyle);
    frame.hint = page.addText(kHintLine, hint, trendTextStyle(kTextPoints, Qt::AlignHCenter | Qt::AlignTop));
    frame.selectedBox = page.addRect(kSelectedBox, kNoColour, kPaletteBlack);
    frame.selectedText = page.addText(kSelectedText, QString(), trendTextStyle(kTextPoints));
    frame.date = page.addText(kDate, QString(), trendTextStyle(kPanelPoints));
    page.keepBelowAxisLabels(frame.date, frame.timeAxis);  // under the first time label
}

// A row per trace in use; a trace's tag position is where its tagname stands in the
// document's tag list (-1: not there).
void buildTraces(ChartPage &page, TrendFrame &frame, const CTagDoc &document, const TrendGraph &graph,
                 std::shared_ptr<const ChartData> plotted)
{
    frame.panel = std::make_unique<TracePanel>(page, frame.valueAxis, frame.selectedBox, frame.selectedText);
    for (int index = 0; index < graph.tracesInUse(); ++index) {
        const TrendTrace &trace = graph.traces[static_cast<size_t>(index)];
        TraceDefinition definition;
        definition.tagname = trace.tagname;
        definition.description = trace.description.left(TrendFrame::kMaxDescription);
        definition.scale = TraceScale{trace.zero, usableSpan(trace.span)};
        definition.tagPosition = document.tags().find(trace.tagname);
        frame.panel->add(frame.window, definition, plotted);
    }
}

}  // namespace

ChartTextStyle trendTextStyle(double points, Qt::Alignment alignment)
{
    ChartTextStyle style;
    style.pointSize = points;
    style.colour = kPaletteBlack;
    style.alignment = alignment;
    style.legibleColour = true;
    return style;
}

TrendFrame TrendFrame::build(ChartPage &page, const CTagDoc &document, int graphIndex, double timeTick,
                             const QString &hint, std::shared_ptr<const ChartData> plotted)
{
    if (document.tagCount() == 0)
        Messages::note(QStringLiteral("No Tags Defined in Tag List!"), QString::fromLatin1(kTitleProgram),
                       MessageIcon::Stop);
    const TrendGraph &graph = document.graph(graphIndex);
    TrendFrame frame;
    page.setBackground(kScreenBackground);
    buildPlot(page, frame, timeTick);
    buildTexts(page, frame, graph.title, hint);
    buildTraces(page, frame, document, graph, std::move(plotted));
    return frame;
}

void TrendFrame::applyColours(ChartPage &page, TrendOutput output) const
{
    const bool white = output == TrendOutput::ReverseExport;
    panel->applyColours(isPrintedOutput(output));
    page.setBackground(white ? kPaletteWhite : kScreenBackground);
    page.setPlotArea(window, TrendLayout::kPlotArea, white ? kPaletteWhite : kScreenPlotBackground, kPlotFrame);
}

}  // namespace tk70
