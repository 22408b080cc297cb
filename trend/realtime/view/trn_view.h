// CTrnView, a real-time trend window: a chart page view showing the trend graph of one
// of the document's graphs, sampled from the driver client's readings on a timer of the
// graph's sample interval.  A trace's button selects it for the value axis; a
// double-click on its "Zero:" or "Span:" label, or on the selected-trace box, rescales
// it through "Edit Trace Scale".  Printing and the shell's metafile export show the
// graph still: print colours (and a white background when reversed), no history
// controls, the second title in the hint line.
#pragma once

#include "trend/realtime/trend_graph_window.h"
#include "trend/realtime/view/trace_graph_view.h"

#include <QTimer>
#include <memory>

namespace tk70 {

class CTagDoc;
class Clock;
class PointReadings;

class CTrnView : public TraceGraphView {
    Q_OBJECT

public:
    static constexpr int kTimerIdBase = 100;

    // Builds the graph of document's graph graphIndex and starts sampling.
    CTrnView(CTagDoc &document, int graphIndex, const PointReadings &readings, const Clock &clock,
             QWidget *parent = nullptr);
    ~CTrnView() override;

    int graphIndex() const { return m_graphIndex; }
    // The window timer's identifier: 100 + graph index.
    int windowTimerId() const { return kTimerIdBase + m_graphIndex; }
    bool isSampling() const { return m_timer.isActive(); }
    int samplePeriodMs() const { return m_timer.interval(); }
    // One sample now: what the timer does.
    void sampleNow();

    TrendGraphWindow &graph() { return *m_graph; }
    // Rescales a trace as its double-click does: the question when scrolled back, the
    // "Edit Trace Scale" dialog, Auto Fit or the scale entered.
    void rescaleTrace(int trace);

protected:
    void setOutput(TrendOutput output) override;

private:
    void doubleClicked(ChartHandle handle);

    int m_graphIndex;
    std::unique_ptr<TrendGraphWindow> m_graph;
    QTimer m_timer;
};

}  // namespace tk70
