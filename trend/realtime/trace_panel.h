// The traces of a trend page together: their panel rows, the selected trace that labels
// the value axis and the "Selected Trace : " box in its colours, which trace an object
// rescales, and a new scale checked and shown.  The real-time and historical graphs
// share it.
#pragma once

#include "chart/chart_page.h"
#include "trend/realtime/trace_panel_row.h"

#include <QString>
#include <memory>
#include <vector>

namespace tk70 {

class TracePanel {
public:
    // A panel that labels valueAxis and the selected-trace box (its frame selectedBox and
    // its text selectedText).
    TracePanel(ChartPage &page, ChartHandle valueAxis, ChartHandle selectedBox, ChartHandle selectedText);
    TracePanel(const TracePanel &) = delete;
    TracePanel &operator=(const TracePanel &) = delete;

    // Adds the next trace: its row, and its plot of the trace's column of plotted in
    // window; the row's button selects it.
    void add(ChartHandle window, const TraceDefinition &definition, std::shared_ptr<const ChartData> plotted);
    int count() const { return static_cast<int>(m_rows.size()); }
    TracePanelRow &row(int index) { return m_rows.at(static_cast<size_t>(index)); }
    const TracePanelRow &row(int index) const { return m_rows.at(static_cast<size_t>(index)); }

    int selected() const { return m_selected; }
    // Labels the value axis with a trace's engineering values in its colours.
    void select(int index);
    // The value axis label at percent (0..100).
    QString valueAxisLabelAt(double percent) const;
    // The trace whose "Zero:" or "Span:" label, or the selected-trace box, an object is;
    // -1 for other objects.
    int rescaleTarget(ChartHandle handle) const;
    // Shows a trace's new scale; "Invalid Trace Span" and false (nothing changed) for a
    // span below 0.0001 or an index out of range.
    bool setScale(int index, const TraceScale &scale);
    // The colours on screen or on paper.
    void applyColours(bool printed);

private:
    ChartPage &m_page;
    ChartHandle m_valueAxis;
    ChartHandle m_selectedBox;
    ChartHandle m_selectedText;
    std::vector<TracePanelRow> m_rows;
    int m_selected = 0;
    bool m_printed = false;
};

}  // namespace tk70
