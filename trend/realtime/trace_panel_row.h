// One trace of a real-time trend page: what it draws (tagname, description, scale, the
// tag position it reads) and its objects on the page: the line plot, the button without
// caption, the tagname, the "Zero:" and "Span:" labels and the "(B)" marker, coloured
// from the trace colour table on screen or on paper.
#pragma once

#include "chart/chart_page.h"
#include "trend/realtime/trace_scale.h"

#include <QString>
#include <functional>
#include <memory>

namespace tk70 {

struct TraceDefinition {
    QString tagname;
    QString description;
    TraceScale scale;
    int tagPosition = -1;  // -1: not in the tag list, the trace draws nothing
};

class TracePanelRow {
public:
    // Builds row index of the panel and the trace's plot of column index of plotted.
    TracePanelRow(ChartPage &page, ChartHandle window, int index, const TraceDefinition &definition,
                  std::shared_ptr<const ChartData> plotted, std::function<void()> clicked);

    const TraceDefinition &definition() const { return m_definition; }
    void setScale(const TraceScale &scale);
    // Shows the "(B)" marker while bad, touching the page only when the flag changes.
    void showQuality(bool bad);
    bool isBadShown() const { return m_badShown; }
    void applyColours(bool printed);

    ChartHandle button() const { return m_button; }
    ChartHandle nameLabel() const { return m_name; }
    ChartHandle zeroLabel() const { return m_zero; }
    ChartHandle spanLabel() const { return m_span; }
    ChartHandle badMarker() const { return m_bad; }
    ChartHandle plot() const { return m_plot; }

private:
    ChartPage &m_page;
    int m_index;
    TraceDefinition m_definition;
    bool m_badShown = false;
    ChartHandle m_plot = kNoChartHandle;
    ChartHandle m_button = kNoChartHandle;
    ChartHandle m_name = kNoChartHandle;
    ChartHandle m_zero = kNoChartHandle;
    ChartHandle m_span = kNoChartHandle;
    ChartHandle m_bad = kNoChartHandle;
};

// "Zero: %8.2f" and "Span: %8.2f" of a scale.
QString zeroText(const TraceScale &scale);
QString spanText(const TraceScale &scale);

}  // namespace tk70
