// The real-time trend graph on a chart page, without widgets: plotting as a percentage
// of span, the history scroll bar and the return to live, the thumb correction, Auto Fit
// and rescaling, the "(B)" marker, the value axis labels and the print colours.
#include "tests/support/message_recorder.h"
#include "tests/trend/realtime/trend_fixture.h"
#include "trend/realtime/trace_colours.h"
#include "trend/realtime/trend_graph_window.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

using tk70test::TableReadings;
using tk70test::TestClock;

struct Trend {
    CTagDoc doc;
    TableReadings readings{4};
    TestClock clock;
    ChartPage page;
    std::unique_ptr<TrendGraphWindow> graph;
    int beeps = 0;

    Trend(const std::vector<QString> &traces, int history = 600, double interval = 5.0)
    {
        tk70test::setUpDocument(doc, 4, traces, history, interval);
        doc.graph(0).traces[1].zero = 10.0;
        doc.graph(0).traces[1].span = 0.0;
        graph = std::make_unique<TrendGraphWindow>(page, doc, 0, readings, clock);
        graph->setBeep([this] { ++beeps; });
    }
    void sample(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            clock.advance(5);
            graph->sample();
        }
    }
    int lastRow() const { return graph->rawValues().rowCount() - 1; }
};

TEST(TrendGraphWindowTest, PlotsPercentOfSpanLimitedAndKeepsTheRawValue)
{
    // Trace 1: zero 0, span 100.  Trace 2: zero 10, span 0 drawn as 1.0.  Trace 3: a tag
    // missing from the list draws nothing rather than another tag's value.
    Trend trend({QStringLiteral("TAG-1"), QStringLiteral("TAG-2"), QStringLiteral("NO-SUCH")});
    EXPECT_DOUBLE_EQ(trend.graph->trace(1).scale.span, 1.0);
    struct Row {
        double value;
        double plotted1;
        double plotted2;
    };
    const Row rows[] = {{-25.0, 0.0, 0.0}, {40.0, 40.0, 100.0}, {10.25, 10.25, 25.0}, {250.0, 100.0, 100.0}};
    for (const Row &row : rows) {
        trend.readings.set(0, row.value);
        trend.readings.set(1, row.value);
        trend.readings.set(2, 77.0);
        trend.sample();
        const int last = trend.lastRow();
        EXPECT_DOUBLE_EQ(trend.graph->rawValues().value(last, 0), row.value);
        EXPECT_DOUBLE_EQ(trend.graph->plottedValues().value(last, 0), row.plotted1) << row.value;
        EXPECT_DOUBLE_EQ(trend.graph->plottedValues().value(last, 1), row.plotted2) << row.value;
        EXPECT_TRUE(std::isnan(trend.graph->plottedValues().value(last, 2)));
    }
}

// A graph's history length and interval come from a file that may hold anything: the
// window runs with the normalised length and an interval within 1 to 600 seconds (a
// length of two thousand million samples once asked for gigabytes at Start).
TEST(TrendGraphWindowTest, HostileHistoryLengthsAndIntervalsAreRunNormalised)
{
    const struct {
        int history;
        double interval;
        int scrollMaximum;  // seconds: (history in use - 120) x interval in use
    } cases[] = {
        {2'000'000'000, 1e7, (600 - 120) * 600}, {-5, 0.25, (360 - 120) * 1},       {900, NAN, (1200 - 120) * 5},
        {2401, INFINITY, (600 - 120) * 600},     {2400, 600.0, (2400 - 120) * 600},
    };
    for (const auto &c : cases) {
        Trend trend({QStringLiteral("TAG-1")}, c.history, c.interval);
        EXPECT_EQ(trend.graph->timeline().scrollMaximum(), c.scrollMaximum) << c.history << " " << c.interval;
        trend.sample(2);
        EXPECT_EQ(trend.graph->rawValues().rowCount(), 2);
    }
}

TEST(TrendGraphWindowTest, HistoryScrollBarAppearsAfter120AndScrolledBackReturnsLiveWith241st)
{
    Trend trend({QStringLiteral("TAG-1")}, 360);
    ChartPage &page = trend.page;
    trend.sample(119);
    EXPECT_FALSE(page.isVisible(trend.graph->scrollBar()));
    EXPECT_EQ(page.text(trend.graph->hintLine()), QStringLiteral("Boiler 2 feed"));
    trend.sample();
    EXPECT_TRUE(page.isVisible(trend.graph->scrollBar()));
    EXPECT_EQ(page.text(trend.graph->hintLine()), QString::fromLatin1(kHistoryHint));
    EXPECT_EQ(trend.graph->timeline().onScreenCount(), 119);

    // The 121st sample jumps: the latest sample stands at 90 and reads the clock's time.
    trend.sample();
    const TrendTimeline &timeline = trend.graph->timeline();
    EXPECT_EQ(timeline.onScreenCount(), 90);
    const QTime now = trend.clock.now().time();
    EXPECT_DOUBLE_EQ(timeline.leftTime() + 90 * 5.0, now.msecsSinceStartOfDay() / 1000.0);
    EXPECT_EQ(page.text(trend.graph->dateLabel()), QStringLiteral("03/07/24"));

    trend.graph->moveThumb(timeline.scrollMaximum() - 150);  // 30 samples back
    ASSERT_TRUE(timeline.isScrolledBack());
    EXPECT_EQ(timeline.leftSample(), 0);
    EXPECT_TRUE(page.isVisible(trend.graph->realTimeButton()));
    trend.sample();
    EXPECT_EQ(page.text(trend.graph->historyCount()),
              QStringLiteral("%1 Minutes").arg(5.0 / 60 * (360 - 121), 0, 'f', 1));
    trend.sample(239);
    EXPECT_TRUE(timeline.isScrolledBack());
    trend.sample();  // the 241st while scrolled back
    EXPECT_FALSE(timeline.isScrolledBack());
    EXPECT_FALSE(page.isVisible(trend.graph->realTimeButton()));
    EXPECT_EQ(timeline.onScreenCount(), 90);
    EXPECT_EQ(page.scrollValue(trend.graph->scrollBar()), timeline.scrollMaximum());
}

TEST(TrendGraphWindowTest, ThumbCorrectionForSamplesNoLongerHeld)
{
    Trend trend({QStringLiteral("TAG-1")}, 360);
    const TrendTimeline &timeline = trend.graph->timeline();
    trend.sample(120);  // the display fills the axis: nothing held before it
    trend.graph->moveThumb(timeline.scrollMaximum() - 50);
    EXPECT_FALSE(timeline.isScrolledBack());
    EXPECT_EQ(trend.page.scrollValue(trend.graph->scrollBar()), timeline.scrollMaximum());

    trend.sample(300);  // the buffer is full
    trend.graph->moveThumb(600);
    ASSERT_TRUE(timeline.isScrolledBack());
    trend.sample(20);
    struct Move {
        int position;
        int thumb;
        int beeps;
    };
    const Move moves[] = {{100, 105, 1}, {200, 200, 1}, {50, 105, 2}, {0, 105, 3}};
    for (const Move &move : moves) {
        trend.graph->moveThumb(move.position);
        EXPECT_EQ(trend.page.scrollValue(trend.graph->scrollBar()), move.thumb) << move.position;
        EXPECT_EQ(trend.beeps, move.beeps) << move.position;
        EXPECT_GE(timeline.leftSample(), timeline.sampleCount() - 360) << "shows samples no longer held";
    }
}

TEST(TrendGraphWindowTest, AutoFitAndRescaleReplotFromTheRawValues)
{
    tk70test::MessageRecorder messages;
    Trend trend({QStringLiteral("TAG-1"), QStringLiteral("TAG-2")});
    trend.readings.set(0, 40.0);
    trend.readings.set(1, 12.0);
    trend.sample(150);
    const TraceScale equal = trend.graph->autoFitScale(1);  // all equal: the scale stays
    EXPECT_DOUBLE_EQ(equal.zero, 10.0);
    EXPECT_DOUBLE_EQ(equal.span, 1.0);

    trend.readings.set(0, 80.0);
    trend.sample();
    const TraceScale fit = trend.graph->autoFitScale(0);
    EXPECT_DOUBLE_EQ(fit.zero, 40.0);
    EXPECT_DOUBLE_EQ(fit.span, 40.0);
    trend.graph->moveThumb(trend.graph->timeline().scrollMaximum() - 50);
    ASSERT_TRUE(trend.graph->timeline().isScrolledBack());
    ASSERT_TRUE(trend.graph->rescale(0, fit));
    EXPECT_FALSE(trend.graph->timeline().isScrolledBack());
    EXPECT_DOUBLE_EQ(trend.graph->plottedValues().value(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(trend.graph->plottedValues().value(trend.lastRow(), 0), 100.0);
    EXPECT_EQ(trend.page.text(trend.graph->row(0).spanLabel()), QStringLiteral("Span:    40.00"));

    EXPECT_FALSE(trend.graph->rescale(0, TraceScale{0.0, 0.00005}));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Invalid Trace Span")});
    EXPECT_DOUBLE_EQ(trend.graph->trace(0).scale.span, 40.0);
}

TEST(TrendGraphWindowTest, BadMarkerFollowsTheQualityFlagExactly)
{
    Trend trend({QStringLiteral("TAG-1"), QStringLiteral("TAG-2")});
    const bool flags[] = {false, true, true, false, true, false, false};
    for (const bool bad : flags) {
        trend.readings.set(1, 5.0, bad);
        trend.sample();
        EXPECT_EQ(trend.page.isVisible(trend.graph->row(1).badMarker()), bad);
        EXPECT_FALSE(trend.page.isVisible(trend.graph->row(0).badMarker()));
    }
    EXPECT_DOUBLE_EQ(trend.graph->qualities().value(1, 1), 1.0);
}

TEST(TrendGraphWindowTest, ValueAxisLabelsOfTheSelectedTraceInItsColours)
{
    Trend trend({QStringLiteral("TAG-1"), QStringLiteral("TAG-2"), QStringLiteral("TAG-3"), QStringLiteral("TAG-4")});
    struct Case {
        double zero;
        double span;
        double percent;
        const char *label;
    };
    const Case cases[] = {{0, 100, 40, "40     "}, {0, 50, 100, "50.0   "},   {-1, 3, 50, "0.50   "},
                          {0, 0.5, 20, "0.100  "}, {0, 0.05, 100, "0.0500 "}, {-300, 100, 0, "-300   "}};
    for (const Case &c : cases) {
        trend.graph->rescale(3, TraceScale{c.zero, c.span});
        trend.graph->selectTrace(3);
        EXPECT_EQ(trend.graph->valueAxisLabelAt(c.percent), QString::fromLatin1(c.label)) << c.zero << " " << c.span;
    }
    EXPECT_EQ(trend.page.colour(trend.graph->valueAxis()), 0);
    trend.page.clickButton(trend.graph->row(2).button());
    EXPECT_EQ(trend.graph->selectedTrace(), 2);
    EXPECT_EQ(trend.page.colour(trend.graph->selectedText()), 13);
    EXPECT_EQ(trend.graph->rescaleTarget(trend.graph->selectedBox()), 2);
    EXPECT_EQ(trend.graph->rescaleTarget(trend.graph->row(1).zeroLabel()), 1);
}

TEST(TrendGraphWindowTest, ReverseAndPrintOutputUsePrintColoursAndHideHistory)
{
    Trend trend({QStringLiteral("TAG-1"), QStringLiteral("TAG-2"), QStringLiteral("TAG-3"), QStringLiteral("TAG-4")});
    trend.sample(150);
    trend.graph->moveThumb(trend.graph->timeline().scrollMaximum() - 100);
    ChartPage &page = trend.page;
    const TracePanelRow &fourth = trend.graph->row(3);
    EXPECT_EQ(page.colour(fourth.plot()), 15);
    for (const TrendOutput output : {TrendOutput::ReverseExport, TrendOutput::Print}) {
        trend.graph->setOutput(output);
        for (const ChartHandle handle : {fourth.plot(), fourth.button(), fourth.zeroLabel(), fourth.spanLabel()})
            EXPECT_EQ(page.colour(handle), 0);
        EXPECT_EQ(page.text(trend.graph->hintLine()), QStringLiteral("Boiler 2 feed"));
        for (const ChartHandle handle :
             {trend.graph->scrollBar(), trend.graph->realTimeButton(), trend.graph->historyCount()})
            EXPECT_FALSE(page.isVisible(handle));
        EXPECT_EQ(page.background(), output == TrendOutput::ReverseExport ? 15 : 7);
    }
    trend.graph->setOutput(TrendOutput::Screen);
    EXPECT_EQ(page.colour(fourth.plot()), 15);
    EXPECT_TRUE(page.isVisible(trend.graph->realTimeButton()));
    EXPECT_EQ(page.text(trend.graph->hintLine()), QString::fromLatin1(kHistoryHint));
}

}  // namespace
}  // namespace tk70
