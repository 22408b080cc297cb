// The real-time trend graph of one TrendGraph on a chart page: titles, the plot area
// (value axis 0..100 percent in 5 divisions, time axis of 120 sample intervals titled
// "Time of Day" with a tick every 30), the trace panel, the "Selected Trace : " box,
// the date label, the history scroll bar with its hint, the "Real Time" button and the
// "History Count" indicator.  Each sample() reads the traces' tags, plots them as a
// percentage of their spans and keeps raw values, plotted values and quality flags in
// three data sets of history-length rows, so the user can scroll back and rescale.
// The time of day comes from a clock, the values from the driver client's readings.
#pragma once

#include "chart/chart_dynamic_data.h"
#include "chart/chart_page.h"
#include "trend/realtime/trace_panel.h"
#include "trend/realtime/trace_scale.h"
#include "trend/realtime/trend_frame.h"
#include "trend/realtime/trend_timeline.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tk70 {

class CTagDoc;
class Clock;
class PointReadings;
struct TrendGraph;

class TrendGraphWindow {
public:
    static constexpr int kValueDivisions = TrendFrame::kValueDivisions;
    static constexpr int kMaxDescription = TrendFrame::kMaxDescription;

    // Builds the graph of document's graph graphIndex on page (which should be empty);
    // "No Tags Defined in Tag List!" when the document holds no tags.
    TrendGraphWindow(ChartPage &page, const CTagDoc &document, int graphIndex, const PointReadings &readings,
                     const Clock &clock);
    TrendGraphWindow(const TrendGraphWindow &) = delete;
    TrendGraphWindow &operator=(const TrendGraphWindow &) = delete;

    // One sample of every trace at the clock's time.
    void sample();

    // The plain beep of the history scroll bar (none unless set).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    int traceCount() const { return m_frame.panel->count(); }
    const TraceDefinition &trace(int index) const { return m_frame.panel->row(index).definition(); }
    int selectedTrace() const { return m_frame.panel->selected(); }
    // Labels the value axis with a trace's engineering values in its colours.
    void selectTrace(int index);
    // The value axis label at percent (0..100).
    QString valueAxisLabelAt(double percent) const;

    // Rescaling: the trace whose "Zero:" or "Span:" label, or the selected-trace box,
    // an object is (-1 for other objects); the scale Auto Fit gives (the current one when
    // the buffered values are all equal); applying a scale.  A span below 0.0001 shows
    // "Invalid Trace Span" and changes nothing; otherwise every buffered row is replotted
    // and the display returns to live.
    int rescaleTarget(ChartHandle handle) const;
    TraceScale autoFitScale(int index) const;
    bool rescale(int index, const TraceScale &scale);

    // The history scroll bar moved to position (what the user's scrolling calls), and
    // the "Real Time" button.
    void moveThumb(int position);
    void returnToLive();

    void setOutput(TrendOutput output);
    TrendOutput output() const { return m_output; }

    const TrendTimeline &timeline() const { return m_timeline; }
    const ChartDynamicData &rawValues() const { return *m_raw; }
    const ChartDynamicData &plottedValues() const { return *m_plotted; }
    const ChartDynamicData &qualities() const { return *m_quality; }
    bool isBadShown(int index) const { return m_frame.panel->row(index).isBadShown(); }
    const TracePanelRow &row(int index) const { return m_frame.panel->row(index); }
    ChartHandle graphWindow() const { return m_frame.window; }
    ChartHandle hintLine() const { return m_frame.hint; }
    ChartHandle dateLabel() const { return m_frame.date; }
    ChartHandle scrollBar() const { return m_scrollBar; }
    ChartHandle realTimeButton() const { return m_realTime; }
    ChartHandle historyCount() const { return m_historyValue; }
    ChartHandle valueAxis() const { return m_frame.valueAxis; }
    ChartHandle timeAxis() const { return m_frame.timeAxis; }
    ChartHandle selectedBox() const { return m_frame.selectedBox; }
    ChartHandle selectedText() const { return m_frame.selectedText; }

private:
    void buildHistoryControls();
    double secondsOfDay() const;
    void showDate();
    void readTraces();
    void showDisplay();
    void showHistoryControls();

    ChartPage &m_page;
    const PointReadings &m_readings;
    const Clock &m_clock;
    double m_interval;
    QString m_secondTitle;
    TrendTimeline m_timeline;
    std::shared_ptr<ChartDynamicData> m_raw;
    std::shared_ptr<ChartDynamicData> m_plotted;
    std::shared_ptr<ChartDynamicData> m_quality;
    std::vector<double> m_rawRow;  // one sample, reused
    std::vector<double> m_plottedRow;
    std::vector<double> m_qualityRow;
    TrendFrame m_frame;
    TrendOutput m_output = TrendOutput::Screen;
    std::function<void()> m_beep;

    ChartHandle m_scrollBar = kNoChartHandle;
    ChartHandle m_realTime = kNoChartHandle;
    ChartHandle m_historyCaption = kNoChartHandle;
    ChartHandle m_historyValue = kNoChartHandle;
};

// The hint that replaces the second title once there is history to scroll.
inline constexpr const char *kHistoryHint = "Use scroll bar to view history";

}  // namespace tk70
