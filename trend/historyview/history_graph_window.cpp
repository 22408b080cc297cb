// The historical graph on a chart page: see history_graph_window.h.
#include "trend/historyview/history_graph_window.h"

#include "chart/chart_palette.h"
#include "platform/messages.h"
#include "tags/tag_doc.h"
#include "trend/realtime/trend_layout.h"

#include <algorithm>
#include <cmath>

namespace tk70 {

namespace {

constexpr int kCursorColour = kPaletteWhite;
constexpr int kPausedColour = 12;
constexpr int kRunningColour = 10;

constexpr QRectF kRestoreButton(0.09, 0.86, 0.1, 0.04);
constexpr QRectF kPauseButton(0.21, 0.86, 0.1, 0.04);
constexpr QPointF kCursorCaption(0.75, 0.858);
constexpr QPointF kCursorTime(0.75, 0.883);

}  // namespace

HistoryGraphWindow::HistoryGraphWindow(ChartPage &page, const CTagDoc &document, int graphIndex, bool replay)
    : m_page(page), m_replay(replay), m_secondTitle(document.graph(graphIndex).secondTitle)
{
    m_points = std::make_shared<HistoryPoints>(document.graph(graphIndex).tracesInUse());
    m_frame = TrendFrame::build(m_page, document, graphIndex, kTickPositions, QString(), m_points);
    buildTimeAxis();
    buildCursor();
    buildButtons();
    selectTrace(0);
    showInteractive();
}

// --- Building ----------------------------------------------------------------------------

// Positions 0 to 240 across, labelled with the time of every 60th point.
void HistoryGraphWindow::buildTimeAxis()
{
    m_page.setScale(m_frame.window, ChartScale{0.0, kPositions, 0.0, 100.0});
    m_page.setAxisLabels(m_frame.timeAxis, [this](double x) {
        const long tick = std::lround(x / kTickPositions);
        return tick >= 0 && tick < static_cast<long>(m_ticks.size()) ? m_ticks[static_cast<size_t>(tick)] : QString();
    });
}

void HistoryGraphWindow::buildCursor()
{
    m_cursor = m_page.addCursor(m_frame.window, 0.0, kCursorColour);
    m_page.hide(m_cursor);
    m_cursorCaption =
        m_page.addText(kCursorCaption, QStringLiteral("Time At Cursor"), trendTextStyle(TrendLayout::kPanelPoints));
    m_cursorTime = m_page.addText(kCursorTime, QString(), trendTextStyle(TrendLayout::kPanelPoints));
}

void HistoryGraphWindow::buildButtons()
{
    const ChartTextStyle caption = trendTextStyle(TrendLayout::kTextPoints);
    m_restore = m_page.addButton(
        kRestoreButton, QStringLiteral("Restore"), kPaletteLightGrey,
        [this] {
            if (m_restoreAction)
                m_restoreAction();
        },
        caption);
    m_pause = m_page.addButton(
        kPauseButton, QStringLiteral("Pause/Start"), kRunningColour,
        [this] {
            if (m_pauseAction)
                m_pauseAction();
        },
        caption);
}

std::vector<int> HistoryGraphWindow::columns() const
{
    std::vector<int> out;
    for (int index = 0; index < traceCount(); ++index)
        out.push_back(trace(index).tagPosition);
    return out;
}

std::vector<TraceScale> HistoryGraphWindow::scales() const
{
    std::vector<TraceScale> out;
    for (int index = 0; index < traceCount(); ++index)
        out.push_back(trace(index).scale);
    return out;
}

// --- Points --------------------------------------------------------------------------------

void HistoryGraphWindow::clearPoints()
{
    m_points->clear();
    m_page.redraw(m_frame.window);
}

void HistoryGraphWindow::addPoint(const HistorySample &point)
{
    if (m_points->rowCount() == 0) {
        m_ticks.fill(QString());
        m_page.setText(m_frame.date, point.date);
    } else if (m_replay && m_points->rowCount() >= kPositions) {
        scrollLeft();
    }
    const int position = m_points->rowCount();
    if (position >= kPositions)
        return;  // a load holds 240 points at most
    m_points->append(point, scales());
    if (position % kTickPositions == 0)
        showTickLabel(position, point.time);
    m_page.redraw(m_frame.window);
}

void HistoryGraphWindow::showTickLabel(int position, const QString &time)
{
    m_ticks[static_cast<size_t>(position / kTickPositions)] = time;
    m_page.redraw(m_frame.timeAxis);
}

// The plot, its time stamps and tick labels move left by 60 positions.
void HistoryGraphWindow::scrollLeft()
{
    m_points->dropOldest(kTickPositions);
    std::rotate(m_ticks.begin(), m_ticks.begin() + 1, m_ticks.end());
    m_ticks.back().clear();
    m_page.redraw(m_frame.timeAxis);
}

// --- Cursor --------------------------------------------------------------------------------

bool HistoryGraphWindow::positionCursor(const QPointF &pagePoint)
{
    if (!m_page.inPlotArea(m_frame.window, pagePoint) || m_points->rowCount() == 0)
        return false;
    const double x = m_page.pageToUser(m_frame.window, pagePoint).x();
    placeCursor(std::min(m_points->rowCount() - 1, static_cast<int>(std::max(0.0, std::floor(x)))));
    return true;
}

void HistoryGraphWindow::loadAutoFit(HistorySource &source, const AutoFitRange &range)
{
    clearPoints();
    hideCursor();
    const std::vector<int> fileColumns = columns();
    HistorySample point;
    while (m_points->rowCount() < kPositions && source.read(fileColumns, point) && range.takes(point.record)) {
        addPoint(point);
        source.skip(range.step - 1);
    }
    placeCursor(m_points->rowCount() - 1);
}

void HistoryGraphWindow::placeCursor(int index)
{
    if (index < 0 || index >= m_points->rowCount())
        return;
    m_cursorPoint = index;
    m_page.setCursor(m_cursor, index);
    m_page.show(m_cursor);
    for (int trace = 0; trace < traceCount(); ++trace)
        m_frame.panel->row(trace).showQuality(m_points->isBad(index, trace));
    m_page.setText(m_cursorTime, m_points->time(index));
}

void HistoryGraphWindow::hideCursor()
{
    m_cursorPoint = -1;
    m_page.hide(m_cursor);
    for (int trace = 0; trace < traceCount(); ++trace)
        m_frame.panel->row(trace).showQuality(false);
    m_page.setText(m_cursorTime, QString());
}

// --- Zoom ----------------------------------------------------------------------------------

std::optional<RecordRange> HistoryGraphWindow::zoomRange(const QRectF &userRect, const RecordRange &loaded) const
{
    const QRectF rect = userRect.normalized();
    const double valueRange = m_zoomMax - m_zoomMin;
    const int shown = m_points->rowCount();
    const auto point = [shown](double x) {
        return static_cast<int>(std::clamp(std::floor(x), 0.0, static_cast<double>(std::max(shown - 1, 0))));
    };
    const int left = point(rect.left());
    const int right = point(rect.right());
    if (rect.width() < kMinZoomFraction * kPositions || rect.height() < kMinZoomFraction * valueRange ||
        right - left < 1) {
        Messages::note(QStringLiteral("Please select a larger Zoom area."), QString::fromLatin1(kTitleProgram),
                       MessageIcon::Warning);
        return std::nullopt;
    }
    const long long last =
        right + 1 < shown ? m_points->record(right + 1) : std::max(loaded.last, m_points->record(right) + 1);
    return RecordRange{m_points->record(left), last};
}

void HistoryGraphWindow::showZoom(double yMin, double yMax)
{
    m_zoomMin = std::min(yMin, yMax);
    m_zoomMax = std::max(yMin, yMax);
    m_zoomed = true;
    m_page.setScale(m_frame.window, ChartScale{0.0, kPositions, m_zoomMin, m_zoomMax});
    m_page.setAxisTicks(m_frame.valueAxis, (m_zoomMax - m_zoomMin) / TrendGraphWindow::kValueDivisions, 0);
    selectTrace(m_frame.panel->selected());
    showScaleLabels();
    showInteractive();
}

void HistoryGraphWindow::showFull()
{
    m_zoomMin = 0.0;
    m_zoomMax = 100.0;
    m_zoomed = false;
    m_page.setScale(m_frame.window, ChartScale{0.0, kPositions, 0.0, 100.0});
    m_page.setAxisTicks(m_frame.valueAxis, 100.0 / TrendGraphWindow::kValueDivisions, 0);
    selectTrace(m_frame.panel->selected());
    showScaleLabels();
    showInteractive();
}

// "Zero:" and "Span:" of the value range shown: the whole scale, or the zoomed part.
void HistoryGraphWindow::showScaleLabels()
{
    for (int trace = 0; trace < traceCount(); ++trace) {
        const TracePanelRow &row = m_frame.panel->row(trace);
        const TraceScale own = row.definition().scale;
        const TraceScale shown{m_zoomMin / 100.0 * own.span + own.zero, (m_zoomMax - m_zoomMin) / 100.0 * own.span};
        m_page.setText(row.zeroLabel(), zeroText(shown));
        m_page.setText(row.spanLabel(), spanText(shown));
    }
}

// --- Buttons, traces, output -------------------------------------------------------------------

void HistoryGraphWindow::showPaused(bool paused)
{
    m_paused = paused;
    m_page.setColour(m_pause, paused ? kPausedColour : kRunningColour);
}

bool HistoryGraphWindow::mayRescale() const
{
    if (m_zoomed)
        Messages::note(QStringLiteral("Traces may not be re-scaled while\ngraph is Zoomed."),
                       QString::fromLatin1(kTitleProgram), MessageIcon::Warning);
    return !m_zoomed;
}

TraceScale HistoryGraphWindow::autoFitScale(int index) const
{
    return autoFit(m_points->raw(), index).value_or(trace(index).scale);
}

bool HistoryGraphWindow::rescale(int index, const TraceScale &scale)
{
    if (!m_frame.panel->setScale(index, scale))
        return false;
    m_points->replot(index, scale);
    m_page.redraw(m_frame.window);
    return true;
}

bool HistoryGraphWindow::isPrinted() const { return isPrintedOutput(m_output); }

void HistoryGraphWindow::setOutput(TrendOutput output)
{
    m_output = output;
    m_frame.applyColours(m_page, output);
    // On paper and on a white picture the cursor is drawn black, as the texts are.
    m_page.setColour(m_cursor, isPrintedOutput(output) ? kPaletteBlack : kCursorColour);
    showInteractive();
}

// Restore while zoomed, Pause/Start in a replay and the mouse hint, on screen only; the
// still outputs show the second title in the hint line instead.
void HistoryGraphWindow::showInteractive()
{
    const bool screen = m_output == TrendOutput::Screen;
    m_page.setVisible(m_restore, screen && m_zoomed);
    m_page.setVisible(m_pause, screen && m_replay);
    m_page.setText(m_frame.hint, !screen ? m_secondTitle : QString::fromLatin1(m_replay ? kReplayHint : kAutoFitHint));
}

}  // namespace tk70
