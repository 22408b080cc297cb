// The traces of a trend page together: see trace_panel.h.
#include "trend/realtime/trace_panel.h"

#include "platform/messages.h"
#include "trend/realtime/trace_colours.h"

namespace tk70 {

TracePanel::TracePanel(ChartPage &page, ChartHandle valueAxis, ChartHandle selectedBox, ChartHandle selectedText)
    : m_page(page), m_valueAxis(valueAxis), m_selectedBox(selectedBox), m_selectedText(selectedText)
{
}

void TracePanel::add(ChartHandle window, const TraceDefinition &definition, std::shared_ptr<const ChartData> plotted)
{
    const int index = count();
    m_rows.emplace_back(m_page, window, index, definition, std::move(plotted), [this, index] { select(index); });
}

void TracePanel::select(int index)
{
    if (index < 0 || index >= count())
        return;
    m_selected = index;
    const int colour = traceColours(index).labelColour(m_printed);
    const TraceDefinition &trace = row(index).definition();
    const TraceScale scale = trace.scale;
    m_page.setAxisLabels(m_valueAxis, [scale](double percent) { return valueAxisLabel(percent, scale); });
    m_page.setColour(m_valueAxis, colour);
    m_page.setFrameColour(m_selectedBox, colour);
    m_page.setText(m_selectedText,
                   QStringLiteral("Selected Trace : ") + trace.tagname + QStringLiteral("   ") + trace.description);
    m_page.setColour(m_selectedText, colour);
}

QString TracePanel::valueAxisLabelAt(double percent) const
{
    const ChartObject &axis = m_page.object(m_valueAxis);
    return axis.axis.label ? axis.axis.label(percent) : QString::number(percent);
}

int TracePanel::rescaleTarget(ChartHandle handle) const
{
    if (handle == kNoChartHandle)
        return -1;
    for (int index = 0; index < count(); ++index) {
        if (handle == row(index).zeroLabel() || handle == row(index).spanLabel())
            return index;
    }
    const bool box = handle == m_selectedBox || handle == m_selectedText;
    return box && count() > 0 ? m_selected : -1;
}

bool TracePanel::setScale(int index, const TraceScale &scale)
{
    if (index < 0 || index >= count())
        return false;
    if (!(scale.span >= kMinTraceSpan)) {
        Messages::note(QStringLiteral("Invalid Trace Span"), QString::fromLatin1(kTitleProgram), MessageIcon::Stop);
        return false;
    }
    row(index).setScale(scale);
    if (index == m_selected)
        select(index);
    return true;
}

void TracePanel::applyColours(bool printed)
{
    m_printed = printed;
    for (TracePanelRow &traceRow : m_rows)
        traceRow.applyColours(printed);
    select(m_selected);
}

}  // namespace tk70
