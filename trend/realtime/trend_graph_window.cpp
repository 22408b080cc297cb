// The real-time trend graph on a chart page: see trend_graph_window.h.
#include "trend/realtime/trend_graph_window.h"

#include "chart/chart_palette.h"
#include "core/clock.h"
#include "core/point_reading.h"
#include "tags/tag_doc.h"
#include "trend/realtime/trend_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tk70 {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TrendGraphWindow::TrendGraphWindow(ChartPage &page, const CTagDoc &document, int graphIndex,
                                   const PointReadings &readings, const Clock &clock)
    : m_page(page), m_readings(readings), m_clock(clock), m_interval(document.graph(graphIndex).sampleIntervalInUse()),
      m_secondTitle(document.graph(graphIndex).secondTitle),
      m_timeline(document.graph(graphIndex).historyLengthInUse(), m_interval, secondsOfDay())
{
    const TrendGraph &graph = document.graph(graphIndex);
    const int traces = graph.tracesInUse();
    const int history = std::max(graph.historyLengthInUse(), TrendTimeline::kVisibleSamples);
    m_raw = std::make_shared<ChartDynamicData>(traces, history);
    m_plotted = std::make_shared<ChartDynamicData>(traces, history);
    m_quality = std::make_shared<ChartDynamicData>(traces, history);
    m_rawRow.resize(static_cast<size_t>(traces));
    m_plottedRow.resize(static_cast<size_t>(traces));
    m_qualityRow.resize(static_cast<size_t>(traces));
    m_frame = TrendFrame::build(m_page, document, graphIndex, TrendTimeline::kTickSamples, m_secondTitle, m_plotted);
    showDate();
    buildHistoryControls();
    selectTrace(0);
    showDisplay();
}

// --- Building ----------------------------------------------------------------------------

void TrendGraphWindow::buildHistoryControls()
{
    using namespace TrendLayout;
    m_scrollBar = m_page.addScrollBar(kScrollBar, 0, m_timeline.scrollMaximum(), m_timeline.scrollPageStep(),
                                      m_timeline.thumb(), [this](int position) { moveThumb(position); });
    m_realTime = m_page.addButton(
        kRealTimeButton, QStringLiteral("Real Time"), kPaletteLightGrey, [this] { returnToLive(); },
        trendTextStyle(kTextPoints));
    m_historyCaption = m_page.addText(kHistoryCaption, QStringLiteral("History Count"), trendTextStyle(kPanelPoints));
    m_historyValue = m_page.addText(kHistoryValue, QString(), trendTextStyle(kPanelPoints));
    for (const ChartHandle handle : {m_scrollBar, m_realTime, m_historyCaption, m_historyValue})
        m_page.hide(handle);
}

// --- Sampling --------------------------------------------------------------------------------

double TrendGraphWindow::secondsOfDay() const
{
    const QTime time = m_clock.now().time();
    return time.hour() * 3600.0 + time.minute() * 60.0 + time.second();
}

void TrendGraphWindow::showDate()
{
    const QDate date = m_clock.now().date();
    m_page.setText(m_frame.date, QString::asprintf("%02d/%02d/%02d", date.month(), date.day(), date.year() % 100));
}

void TrendGraphWindow::sample()
{
    const double now = secondsOfDay();
    readTraces();
    m_raw->append(m_rawRow);
    m_plotted->append(m_plottedRow);
    m_quality->append(m_qualityRow);
    if (m_timeline.addSample(now).rebased)
        showDate();
    showDisplay();
    showHistoryControls();
}

// Each trace's value and quality flag; a trace whose tag is not in the tag list has no
// value (its line breaks) and never shows "(B)".
void TrendGraphWindow::readTraces()
{
    for (int position = 0; position < m_frame.panel->count(); ++position) {
        const auto index = static_cast<size_t>(position);
        TracePanelRow &row = m_frame.panel->row(position);
        const TraceDefinition &trace = row.definition();
        if (trace.tagPosition < 0) {
            m_rawRow[index] = m_plottedRow[index] = kNoValue;
            m_qualityRow[index] = 0.0;
            continue;
        }
        const PointReading reading = m_readings.reading(trace.tagPosition);
        m_rawRow[index] = reading.value;
        m_plottedRow[index] = plottedValue(reading.value, trace.scale);
        m_qualityRow[index] = reading.badQuality ? 1.0 : 0.0;
        row.showQuality(reading.badQuality);
    }
}

// The window's x range puts the display's left sample at 0: x counts rows of the data
// sets, whose row 0 is the oldest sample held, so the range starts where leftSample()
// stands among them (before row 0 when the display shows samples no longer held).
void TrendGraphWindow::showDisplay()
{
    const long long oldest = m_timeline.sampleCount() - m_plotted->rowCount();
    const double left = static_cast<double>(m_timeline.leftSample() - oldest);
    m_page.setScale(m_frame.window, ChartScale{left, left + TrendTimeline::kVisibleSamples, 0.0, 100.0});
    m_page.setTimeAxis(m_frame.timeAxis, m_timeline.leftTime() - left * m_interval, m_interval);
}

void TrendGraphWindow::showHistoryControls()
{
    const bool screen = m_output == TrendOutput::Screen;
    const bool history = screen && m_timeline.hasHistory();
    m_page.setVisible(m_scrollBar, history);
    m_page.setText(m_frame.hint, history ? QString::fromLatin1(kHistoryHint) : m_secondTitle);
    m_page.setScrollValue(m_scrollBar, m_timeline.thumb());
    const bool back = screen && m_timeline.isScrolledBack();
    for (const ChartHandle handle : {m_realTime, m_historyCaption, m_historyValue})
        m_page.setVisible(handle, back);
    m_page.setText(m_historyValue, QString::asprintf("%.1f Minutes", m_timeline.historyMinutes()));
}

// --- History -------------------------------------------------------------------------------------

void TrendGraphWindow::moveThumb(int position)
{
    const TrendTimeline::ThumbOutcome outcome = m_timeline.moveThumb(position, m_plotted->rowCount());
    if (outcome.beep && m_beep)
        m_beep();
    showDisplay();
    showHistoryControls();
}

void TrendGraphWindow::returnToLive()
{
    m_timeline.returnToLive();
    showDisplay();
    showHistoryControls();
}

// --- Traces --------------------------------------------------------------------------------------

void TrendGraphWindow::selectTrace(int index) { m_frame.panel->select(index); }

QString TrendGraphWindow::valueAxisLabelAt(double percent) const { return m_frame.panel->valueAxisLabelAt(percent); }

int TrendGraphWindow::rescaleTarget(ChartHandle handle) const { return m_frame.panel->rescaleTarget(handle); }

TraceScale TrendGraphWindow::autoFitScale(int index) const
{
    return autoFit(*m_raw, index).value_or(trace(index).scale);
}

bool TrendGraphWindow::rescale(int index, const TraceScale &scale)
{
    if (!m_frame.panel->setScale(index, scale))
        return false;
    for (int rowIndex = 0; rowIndex < m_raw->rowCount(); ++rowIndex)
        m_plotted->setValue(rowIndex, index, plottedValue(m_raw->value(rowIndex, index), scale));
    returnToLive();
    m_page.redraw(m_frame.window);
    return true;
}

// --- Output ------------------------------------------------------------------------------------

void TrendGraphWindow::setOutput(TrendOutput output)
{
    m_output = output;
    m_frame.applyColours(m_page, m_output);
    showHistoryControls();
}

}  // namespace tk70
