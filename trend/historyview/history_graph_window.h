// The historical graph of one TrendGraph on a chart page: the trend page's titles,
// plot and trace panel, with a time axis of 240 point positions labelled every 60 from
// the points' time stamps, the date label, the cursor line with "Time At Cursor" and the
// "(B)" markers at the cursor, zoom by a rectangle in user units with "Restore", the
// "Pause/Start" button of a replay and the mouse hint.  The view loads the points from
// the file; this class keeps and draws them.
#pragma once

#include "chart/chart_page.h"
#include "trend/history/historical_file.h"
#include "trend/historyview/history_points.h"
#include "trend/realtime/trace_panel.h"
#include "trend/realtime/trend_graph_window.h"

#include <QRectF>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tk70 {

class CTagDoc;
class HistorySource;

// A range of records: last 0 means to the end of the file.
struct RecordRange {
    long long first = 0;
    long long last = 0;
};

class HistoryGraphWindow {
public:
    static constexpr int kPositions = HistoricalFile::kMaxPoints;  // a load's points
    static constexpr int kTickPositions = 60;
    static constexpr double kMinZoomFraction = 0.05;

    // Builds graph graphIndex of the document on page (which should be empty); "No Tags
    // Defined in Tag List!" when the document holds no tags.
    HistoryGraphWindow(ChartPage &page, const CTagDoc &document, int graphIndex, bool replay);
    HistoryGraphWindow(const HistoryGraphWindow &) = delete;
    HistoryGraphWindow &operator=(const HistoryGraphWindow &) = delete;

    // What the "Restore" and "Pause/Start" buttons do (the view's).
    void setRestoreAction(std::function<void()> action) { m_restoreAction = std::move(action); }
    void setPauseAction(std::function<void()> action) { m_pauseAction = std::move(action); }

    int traceCount() const { return m_frame.panel->count(); }
    const TraceDefinition &trace(int index) const { return m_frame.panel->row(index).definition(); }
    const TracePanelRow &row(int index) const { return m_frame.panel->row(index); }
    // The file column of every trace (-1 for a tagname not in the tag list).
    std::vector<int> columns() const;

    // --- Points ----------------------------------------------------------------------
    void clearPoints();
    // Appends a point; the first of a load shows its date, a point at a multiple of 60
    // labels that tick, and a replay that has filled 240 positions scrolls left by 60.
    void addPoint(const HistorySample &point);
    const HistoryPoints &points() const { return *m_points; }
    // The Auto Fit load of a range from a source standing at its first record: a point
    // every step records up to and including last, at most 240, then the cursor on the
    // last point.  The viewer and the command-line report load through this one.
    void loadAutoFit(HistorySource &source, const AutoFitRange &range);
    QString tickLabel(int tick) const { return m_ticks.at(static_cast<size_t>(tick)); }

    // --- Cursor ----------------------------------------------------------------------
    // Moves the cursor to the point under a page point inside the plot area: its time
    // under "Time At Cursor" and the "(B)" markers of its bad traces; false outside.
    bool positionCursor(const QPointF &pagePoint);
    void placeCursor(int index);
    // Hides the cursor line and clears what it showed: "Time At Cursor" and the "(B)"
    // markers.
    void hideCursor();
    int cursorPoint() const { return m_cursorPoint; }

    // --- Zoom ------------------------------------------------------------------------
    // The records a zoom rectangle (user units) selects: those under the positions it
    // covers, from the record of the point at its left position up to, not including,
    // the record of the point after its right one (the loaded range's last when that is
    // the last point).  Positions right of the last point count as the last point.
    // None, after "Please select a larger Zoom area.", when the rectangle is narrower or
    // lower than 5 % of an axis or covers fewer than two points.
    std::optional<RecordRange> zoomRange(const QRectF &userRect, const RecordRange &loaded) const;
    // Shows the value range yMin..yMax (percent) with the traces' labels rescaled to it.
    void showZoom(double yMin, double yMax);
    // Back to the full value range and the traces' own labels.
    void showFull();
    bool isZoomed() const { return m_zoomed; }

    // --- Pause/Start, traces, output ----------------------------------------------------
    void showPaused(bool paused);
    void selectTrace(int index) { m_frame.panel->select(index); }
    QString valueAxisLabelAt(double percent) const { return m_frame.panel->valueAxisLabelAt(percent); }
    // The trace an object rescales (its labels, or the selected-trace box), else -1.
    int rescaleTarget(ChartHandle handle) const { return m_frame.panel->rescaleTarget(handle); }
    // Whether rescaling is allowed now: "Traces may not be re-scaled while\ngraph is
    // Zoomed." when it is not.
    bool mayRescale() const;
    TraceScale autoFitScale(int index) const;
    // Applies a scale ("Invalid Trace Span" below 0.0001) and replots the loaded points.
    bool rescale(int index, const TraceScale &scale);
    void setOutput(TrendOutput output);

    ChartHandle graphWindow() const { return m_frame.window; }
    ChartHandle valueAxis() const { return m_frame.valueAxis; }
    ChartHandle timeAxis() const { return m_frame.timeAxis; }
    ChartHandle hintLine() const { return m_frame.hint; }
    ChartHandle dateLabel() const { return m_frame.date; }
    ChartHandle cursorLine() const { return m_cursor; }
    ChartHandle cursorTime() const { return m_cursorTime; }
    ChartHandle restoreButton() const { return m_restore; }
    ChartHandle pauseButton() const { return m_pause; }
    ChartHandle selectedBox() const { return m_frame.selectedBox; }

private:
    void buildTimeAxis();
    void buildCursor();
    void buildButtons();
    void showTickLabel(int position, const QString &time);
    void scrollLeft();
    void showScaleLabels();
    void showInteractive();
    bool isPrinted() const;
    std::vector<TraceScale> scales() const;

    ChartPage &m_page;
    bool m_replay;
    QString m_secondTitle;
    std::shared_ptr<HistoryPoints> m_points;
    TrendFrame m_frame;
    std::array<QString, kPositions / kTickPositions + 1> m_ticks;
    int m_cursorPoint = -1;
    bool m_zoomed = false;
    bool m_paused = false;
    double m_zoomMin = 0.0;
    double m_zoomMax = 100.0;
    TrendOutput m_output = TrendOutput::Screen;
    std::function<void()> m_restoreAction;
    std::function<void()> m_pauseAction;

    ChartHandle m_cursor = kNoChartHandle;
    ChartHandle m_cursorCaption = kNoChartHandle;
    ChartHandle m_cursorTime = kNoChartHandle;
    ChartHandle m_restore = kNoChartHandle;
    ChartHandle m_pause = kNoChartHandle;
};

inline constexpr const char *kReplayHint = "Use Left Mouse Button to Position Cursor";
inline constexpr const char *kAutoFitHint =
    "Use Left Mouse Button to Position Cursor or Drag Right Mouse Button to Zoom";

}  // namespace tk70
