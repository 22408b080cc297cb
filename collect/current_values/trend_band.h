// The band of the current-values page that plots the selected tag's value: a graph window
// with a time axis (one step a refresh) and a value axis, the running data set of the
// values since the selection, the title line above it, and the scale rules that rescale
// it (trend_scale.h).  Every two minutes its time axis moves on, keeping the newest
// values.
#pragma once

#include "chart/chart_dynamic_data.h"
#include "chart/chart_page.h"
#include "collect/current_values/trend_scale.h"

#include <QString>
#include <QTime>
#include <memory>

namespace tk70 {

class TrendBand {
public:
    // Builds the band on page: scales 0 to 240 (time, from now) and 0 to 100 (value).
    TrendBand(ChartPage &page, const QTime &now);
    TrendBand(const TrendBand &) = delete;
    TrendBand &operator=(const TrendBand &) = delete;

    // A new selection showing value: the title line, the range value - 50 to value + 50,
    // no data, the counters restarted.
    void restart(const QString &title, double value);
    // One refresh at now with the selected value: plotted, rescaled when due.  Returns
    // true at the two-minute beat, when the time axis moved on.
    bool add(double value, const QTime &now);
    // A click on the selected cell: rescales once 5 refreshes have passed.
    void clickSelected();

    const TrendScale &scale() const { return m_scale; }
    const ChartDynamicData &data() const { return *m_data; }
    QString title() const { return m_page.text(m_title); }

private:
    void buildAxes();
    void startTimeAxis(const QTime &time);
    void rescale(double value);
    void applyScale();
    void moveTimeAxisOn();

    ChartPage &m_page;
    TrendScale m_scale;
    std::shared_ptr<ChartDynamicData> m_data;
    ChartHandle m_window = kNoChartHandle;
    ChartHandle m_timeAxis = kNoChartHandle;
    ChartHandle m_valueAxis = kNoChartHandle;
    ChartHandle m_plot = kNoChartHandle;
    ChartHandle m_title = kNoChartHandle;
    int m_originSecond = 0;  // time of day of the first value held, in seconds
    double m_lastValue = 0.0;
};

}  // namespace tk70
