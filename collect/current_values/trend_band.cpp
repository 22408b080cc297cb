// The selected tag's running trend on the current-values page.
#include "collect/current_values/trend_band.h"

#include "collect/current_values/page_geometry.h"

#include <vector>

namespace tk70 {
namespace {

constexpr int kSecondsPerDay = 24 * 3600;
constexpr double kTimeTick = 60.0;  // one label a minute
constexpr int kTraceColour = 4;     // dark red
constexpr int kAxisColour = 0;

ChartTextStyle labelStyle()
{
    ChartTextStyle style;
    style.pointSize = 7.5;
    style.colour = kAxisColour;
    return style;
}

}  // namespace

TrendBand::TrendBand(ChartPage &page, const QTime &now)
    : m_page(page), m_data(std::make_shared<ChartDynamicData>(1, kTrendSpan))
{
    m_window = m_page.addGraphWindow(trendBand());
    m_page.setPlotArea(m_window, QRectF(QPointF(0.06, 0.06), QPointF(0.99, 0.78)), kNoColour, kAxisColour);
    buildAxes();
    m_plot = m_page.addLinePlot(m_window, m_data, 0, kTraceColour);
    ChartTextStyle titleStyle;
    titleStyle.pointSize = 10.0;
    titleStyle.bold = true;
    titleStyle.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    m_title = m_page.addText(trendTitlePosition(), QString(), titleStyle);
    startTimeAxis(now);
    applyScale();
}

void TrendBand::buildAxes()
{
    m_timeAxis = m_page.addAxis(m_window, Qt::Horizontal, kTimeTick, 0, QString(), labelStyle());
    m_page.setAxisGrid(m_timeAxis, 8);
    m_valueAxis = m_page.addAxis(m_window, Qt::Vertical, m_scale.tick(), m_scale.decimals(), QString(), labelStyle());
    m_page.setAxisGrid(m_valueAxis, 8);
}

// The time axis starting at time: the first value plotted stands there.
void TrendBand::startTimeAxis(const QTime &time)
{
    m_originSecond = time.msecsSinceStartOfDay() / 1000;
    m_page.setTimeAxis(m_timeAxis, m_originSecond, 1.0);
}

void TrendBand::restart(const QString &title, double value)
{
    m_page.setText(m_title, title);
    m_scale.select(value);
    m_lastValue = value;
    m_data->clear();
    applyScale();
}

bool TrendBand::add(double value, const QTime &now)
{
    if (m_data->rowCount() == 0)
        startTimeAxis(now);
    m_lastValue = value;
    m_data->append({value});
    m_page.redraw(m_plot);
    if (m_scale.countRefresh(value))
        rescale(value);
    if (!m_scale.countTimeShift())
        return false;
    moveTimeAxisOn();
    return true;
}

void TrendBand::clickSelected()
{
    if (m_scale.clickSelected())
        rescale(m_lastValue);
}

void TrendBand::rescale(double value)
{
    const ValueRange before = m_scale.range();
    m_scale.rescale(m_data->columnMinimum(0), m_data->columnMaximum(0), value);
    if (!(m_scale.range() == before))
        applyScale();
}

void TrendBand::applyScale()
{
    const ValueRange &range = m_scale.range();
    m_page.setScale(m_window, ChartScale{0.0, double(kTrendSpan), range.low, range.high});
    m_page.setAxisTicks(m_valueAxis, m_scale.tick(), m_scale.decimals());
    m_page.redraw(m_window);
}

// Keeps the newest kTrendShift values and starts the time axis at the first of them.
void TrendBand::moveTimeAxisOn()
{
    const int drop = m_data->rowCount() - kTrendShift;
    if (drop <= 0)
        return;
    std::vector<double> kept;
    kept.reserve(kTrendShift);
    for (int row = drop; row < m_data->rowCount(); ++row)
        kept.push_back(m_data->value(row, 0));
    m_data->clear();
    for (const double value : kept)
        m_data->append({value});
    m_originSecond = (m_originSecond + drop) % kSecondsPerDay;
    m_page.setTimeAxis(m_timeAxis, m_originSecond, 1.0);
    m_page.redraw(m_window);
}

}  // namespace tk70
