// One trace of a real-time trend page: see trace_panel_row.h.
#include "trend/realtime/trace_panel_row.h"

#include "trend/realtime/trace_colours.h"
#include "trend/realtime/trend_frame.h"
#include "trend/realtime/trend_layout.h"

namespace tk70 {

namespace {

ChartTextStyle panelStyle(double points, int colour)
{
    ChartTextStyle style = trendTextStyle(points);
    style.colour = colour;
    return style;
}

}  // namespace

QString zeroText(const TraceScale &scale) { return QString::asprintf("Zero: %8.2f", scale.zero); }
QString spanText(const TraceScale &scale) { return QString::asprintf("Span: %8.2f", scale.span); }

TracePanelRow::TracePanelRow(ChartPage &page, ChartHandle window, int index, const TraceDefinition &definition,
                             std::shared_ptr<const ChartData> plotted, std::function<void()> clicked)
    : m_page(page), m_index(index), m_definition(definition)
{
    using namespace TrendLayout;
    const TraceColours &colours = traceColours(index);
    m_plot = page.addLinePlot(window, std::move(plotted), index, colours.line, tracePenStyle(colours.style));
    const double top = kPanelTop + index * kRowHeight;
    m_button = page.addButton(QRectF(QPointF(kPanelLeft, top + 0.002), kTraceButton), QString(), colours.button,
                              std::move(clicked));
    ChartTextStyle name = panelStyle(kPanelPoints, colours.label);
    name.bold = true;
    m_name = page.addText(QPointF(kNameLeft, top), definition.tagname, name);
    m_bad = page.addText(QPointF(kBadLeft, top), QStringLiteral("(B)"), name);
    page.hide(m_bad);
    const ChartTextStyle scaleStyle = panelStyle(kScalePoints, colours.label);
    m_zero = page.addText(QPointF(kNameLeft, top + kScaleLine), zeroText(definition.scale), scaleStyle);
    m_span = page.addText(QPointF(kSpanLeft, top + kScaleLine), spanText(definition.scale), scaleStyle);
}

void TracePanelRow::setScale(const TraceScale &scale)
{
    m_definition.scale = scale;
    m_page.setText(m_zero, zeroText(scale));
    m_page.setText(m_span, spanText(scale));
}

void TracePanelRow::showQuality(bool bad)
{
    if (bad == m_badShown)
        return;
    m_badShown = bad;
    m_page.setVisible(m_bad, bad);
}

void TracePanelRow::applyColours(bool printed)
{
    const TraceColours &colours = traceColours(m_index);
    m_page.setColour(m_plot, colours.lineColour(printed));
    m_page.setColour(m_button, colours.buttonColour(printed));
    for (const ChartHandle label : {m_name, m_bad, m_zero, m_span})
        m_page.setColour(label, colours.labelColour(printed));
}

}  // namespace tk70
