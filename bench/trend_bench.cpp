// trend-bench: what the real-time trends cost while a collection runs.  Ten trend
// windows of twelve traces with a history of 2400 samples each take one sample a second;
// one of them is on screen at 1280 x 1024 and is drawn once a second (the page rendered
// into an image, as its repaint does).  Reports the processor time per simulated second
// as a percentage of one core; the aim is below 2 %.  Usage: trend-bench [seconds]
#include "bench/bench_tags.h"
#include "bench/bench_timer.h"
#include "chart/chart_page.h"
#include "chart/chart_renderer.h"
#include "collect/datafile/group_output.h"
#include "core/clock.h"
#include "tags/tag_doc.h"
#include "trend/realtime/trend_graph_window.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kWindows = 10;
constexpr int kTraces = 12;
constexpr int kTags = 30;
constexpr int kHistory = 2400;

class BenchClock : public tk70::Clock {
public:
    QDateTime now() const override { return m_now; }
    void tick() { m_now = m_now.addSecs(1); }

private:
    QDateTime m_now{QDate(2024, 3, 7), QTime(8, 0, 0)};
};

// Values that move every second, some of them bad now and then.
class BenchReadings : public tk70::PointReadings {
public:
    tk70::PointReading reading(int position) const override
    {
        const double t = m_second / (7.0 + position);
        return {0, 50 + 45 * std::sin(t + position), (m_second / 40 + position) % 9 == 0};
    }
    void tick() { ++m_second; }

private:
    long m_second = 0;
};

void setUpDocument(tk70::CTagDoc &doc)
{
    tk70::bench::fillTags(doc, kTags, tk70::bench::numberedTag);
    for (int g = 0; g < kWindows; ++g) {
        tk70::TrendGraph &graph = doc.graph(g);
        graph.historyLength = kHistory;
        graph.sampleInterval = 1.0;
        graph.traceCount = kTraces;
        for (int t = 0; t < kTraces; ++t)
            graph.traces[static_cast<size_t>(t)].tagname = QStringLiteral("TAG-%1").arg((g * 3 + t) % kTags + 1);
    }
}

}  // namespace

using tk70::bench::cpuSeconds;

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3000;

    tk70::CTagDoc doc;
    setUpDocument(doc);
    BenchClock clock;
    BenchReadings readings;
    std::vector<std::unique_ptr<tk70::ChartPage>> pages;
    std::vector<std::unique_ptr<tk70::TrendGraphWindow>> graphs;
    for (int g = 0; g < kWindows; ++g) {
        pages.push_back(std::make_unique<tk70::ChartPage>());
        graphs.push_back(std::make_unique<tk70::TrendGraphWindow>(*pages.back(), doc, g, readings, clock));
    }
    tk70::ChartRenderer renderer;  // the visible view's, kept as the view keeps it
    QImage screen(1280, 1024, QImage::Format_RGB32);

    double sampling = 0.0;
    double drawing = 0.0;
    for (int second = 0; second < seconds; ++second) {
        clock.tick();
        readings.tick();
        const double start = cpuSeconds();
        for (auto &graph : graphs)
            graph->sample();
        const double sampled = cpuSeconds();
        QPainter painter(&screen);
        renderer.render(painter, *pages.front(), QRectF(screen.rect()));
        painter.end();
        drawing += cpuSeconds() - sampled;
        sampling += sampled - start;
    }
    const double perSecond = (sampling + drawing) / seconds;
    std::printf("trend-bench: %d windows x %d traces, history %d, %d simulated seconds\n", kWindows, kTraces, kHistory,
                seconds);
    std::printf("  sampling all windows: %8.3f ms per second\n", sampling / seconds * 1000.0);
    std::printf("  drawing the visible page 1280x1024: %8.3f ms per second\n", drawing / seconds * 1000.0);
    std::printf("  CPU: %.2f %% of one core (goal below 2 %%)\n", perSecond * 100.0);
    return 0;
}
