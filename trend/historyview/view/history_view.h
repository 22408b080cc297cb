// CHistoryView, a historical graph window: a chart page view showing one graph of a
// historical document with the points its source reads from the data file.  In Auto Fit
// the first timer tick loads the whole file (at most 240 points spread over it); a
// right-button drag zooms into a range and "Restore" loads the whole file again.  In a
// replay the timer runs every 20 ms and plots one record per tick, skipping the
// compression's records between, until the file or the range ends.  A left click or
// drag in the plot moves the cursor (pausing a replay); "Pause/Start" pauses and
// resumes.  Printing and the metafile export show the graph still.
#pragma once

#include "trend/historyview/history_graph_window.h"
#include "trend/realtime/view/trace_graph_view.h"

#include <QTimer>
#include <memory>

namespace tk70 {

class CTagDoc;
class HistorySource;

class CHistoryView : public TraceGraphView {
    Q_OBJECT

public:
    static constexpr int kTimerIdBase = 100;
    static constexpr int kLoadPeriodMs = 350;
    static constexpr int kReplayPeriodMs = 20;

    CHistoryView(CTagDoc &document, int graphIndex, HistorySource &source, bool replay, int skip,
                 QWidget *parent = nullptr);
    ~CHistoryView() override;

    // What the timer does: the Auto Fit load, or one step of the replay.
    void tick();

    int graphIndex() const { return m_graphIndex; }
    int windowTimerId() const { return kTimerIdBase + m_graphIndex; }
    bool isTimerActive() const { return m_timer.isActive(); }
    int timerPeriodMs() const { return m_timer.interval(); }
    bool isPaused() const { return m_paused; }
    bool isFinished() const { return m_finished; }
    // The record range of the points shown.
    RecordRange loadedRange() const { return m_loaded; }
    HistoryGraphWindow &graph() { return *m_graph; }

    // Pause/Start, the zoom of a right-button drag (user units), Restore, and the
    // rescaling a double-click on a trace's labels starts.
    void togglePause();
    void zoom(const QRectF &userRect);
    void restore();
    void rescaleTrace(int trace);

protected:
    void setOutput(TrendOutput output) override;

private:
    void autoFitLoad();
    void replayStep();
    void finishReplay();
    void pause();
    void moveCursor(const QPointF &pagePoint);
    void doubleClicked(ChartHandle handle);

    int m_graphIndex;
    HistorySource &m_source;
    std::unique_ptr<HistoryGraphWindow> m_graph;
    bool m_replay;
    int m_skip;
    RecordRange m_requested;
    RecordRange m_loaded;
    bool m_firstTick = true;
    bool m_paused = false;
    bool m_finished = false;
    QTimer m_timer;
};

}  // namespace tk70
