// The historical graph page without widgets: zoom refusal and ranges, the zoomed labels,
// rescaling while zoomed, the cursor's "(B)" markers and the replay's scrolling.
#include "tests/support/message_recorder.h"
#include "tests/trend/historyview/history_fixture.h"
#include "trend/historyview/history_graph_window.h"
#include "trend/historyview/history_mode.h"

#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70test;

namespace {

struct Page {
    explicit Page(bool replay = false)
    {
        setUpHistoryDocument(doc);
        graph = std::make_unique<HistoryGraphWindow>(page, doc, 0, replay);
    }
    // count points, step records apart, from the source's position.
    void load(TableSource &source, int count, int step = 1)
    {
        const std::vector<int> columns = graph->columns();
        HistorySample point;
        for (int i = 0; i < count && source.read(columns, point); ++i) {
            graph->addPoint(point);
            source.skip(step - 1);
        }
    }
    CTagDoc doc;
    ChartPage page;
    std::unique_ptr<HistoryGraphWindow> graph;
};

}  // namespace

// A zoom narrower or lower than 5 % of an axis, or covering fewer than two points (as in
// the blank part right of a short load), is refused; a larger one takes the records
// under its positions: from its left point's record to the record of the point after
// its right one, or to the loaded range's end when that is the last point.
TEST(HistoryGraphWindowTest, ZoomRefusesSmallAreasAndTakesTheRecordsUnderIt)
{
    const struct {
        const char *name;
        QRectF rect;
        int points, step;
        RecordRange loaded;
        bool refused;
        long long first, last;
    } cases[] = {
        {"narrow", QRectF(0, 10, 11.9, 50), 240, 10, {0, 2400}, true, 0, 0},
        {"low", QRectF(0, 10, 100, 4.9), 240, 10, {0, 2400}, true, 0, 0},
        {"middle", QRectF(60, 10, 60, 50), 240, 10, {0, 2400}, false, 600, 1210},
        {"middle of a zoom", QRectF(60.7, 10, 60, 50), 240, 2, {1000, 1480}, false, 1120, 1242},
        {"right", QRectF(200, 10, 40, 50), 240, 10, {0, 2400}, false, 2000, 2400},
        {"left of a short load", QRectF(-5, 0, 40, 5), 100, 1, {0, 100}, false, 0, 36},
        {"into the blank part", QRectF(90, 10, 60, 50), 100, 1, {0, 100}, false, 90, 100},
        {"wholly blank", QRectF(150, 10, 50, 50), 100, 1, {0, 100}, true, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MessageRecorder messages;
        Page p;
        TableSource source(c.loaded.last);
        source.seek(c.loaded.first);
        p.load(source, c.points, c.step);
        const std::optional<RecordRange> range = p.graph->zoomRange(c.rect, c.loaded);
        EXPECT_EQ(!range, c.refused);
        EXPECT_EQ(messages.texts().contains(QStringLiteral("Please select a larger Zoom area.")), c.refused);
        if (range) {
            EXPECT_EQ(range->first, c.first);
            EXPECT_EQ(range->last, c.last);
        }
    }
}

// Zoomed, the labels show the part of each scale on screen and Restore appears;
// rescaling is refused; back at full range the own scale returns and rescaling works.
TEST(HistoryGraphWindowTest, ZoomRelabelsTracesAndBlocksRescaling)
{
    MessageRecorder messages;
    Page p;
    p.graph->showZoom(70.0, 20.0);
    EXPECT_EQ(p.page.text(p.graph->row(1).zeroLabel()), QStringLiteral("Zero:    50.00"));
    EXPECT_EQ(p.page.text(p.graph->row(1).spanLabel()), QStringLiteral("Span:   100.00"));
    EXPECT_EQ(p.graph->valueAxisLabelAt(20.0).trimmed(), QStringLiteral("50"));
    EXPECT_TRUE(p.page.isVisible(p.graph->restoreButton()));
    EXPECT_FALSE(p.graph->mayRescale());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Traces may not be re-scaled while\ngraph is Zoomed.")});

    p.graph->showFull();
    EXPECT_EQ(p.page.text(p.graph->row(1).zeroLabel()), QStringLiteral("Zero:    10.00"));
    EXPECT_EQ(p.page.text(p.graph->row(1).spanLabel()), QStringLiteral("Span:   200.00"));
    EXPECT_FALSE(p.page.isVisible(p.graph->restoreButton()));
    EXPECT_TRUE(p.graph->mayRescale());
    EXPECT_TRUE(p.graph->rescale(0, TraceScale{0.0, 20.0}));
    EXPECT_DOUBLE_EQ(p.graph->points().value(0, 0), 0.0);  // nothing loaded: no points to replot
}

// The cursor shows the point's time and a "(B)" marker exactly for the traces bad at
// that point; a click in the plot picks the point under it, past the last point the last.
TEST(HistoryGraphWindowTest, CursorShowsBadMarkersOfItsPoint)
{
    Page p;
    TableSource source(100);
    source.badAt = [](long long record, int column) { return record == 7 && column == 1; };
    p.load(source, 100);
    const struct {
        double x;
        int point;
        bool bad0, bad1;
    } cases[] = {{7.5, 7, false, true}, {8.2, 8, false, false}, {200.0, 99, false, false}};
    for (const auto &c : cases) {
        const QPointF page = p.page.userToPage(p.graph->graphWindow(), QPointF(c.x, 50.0));
        ASSERT_TRUE(p.graph->positionCursor(page));
        EXPECT_EQ(p.graph->cursorPoint(), c.point);
        EXPECT_EQ(p.page.text(p.graph->cursorTime()), TableSource::timeOf(c.point));
        EXPECT_EQ(p.graph->row(0).isBadShown(), c.bad0);
        EXPECT_EQ(p.graph->row(1).isBadShown(), c.bad1);
    }
    EXPECT_FALSE(p.graph->positionCursor(QPointF(0.99, 0.99)));

    // Hidden, the cursor leaves neither its time nor a marker behind.
    p.graph->placeCursor(7);
    p.graph->hideCursor();
    EXPECT_FALSE(p.page.isVisible(p.graph->cursorLine()));
    EXPECT_EQ(p.page.text(p.graph->cursorTime()), QString());
    EXPECT_FALSE(p.graph->row(1).isBadShown());
}

// A replay that has filled 240 positions scrolls left by 60: time stamps and tick labels
// move with the points.  Auto Fit never holds more than 240.
TEST(HistoryGraphWindowTest, ReplayScrollsBySixtyPoints)
{
    const struct {
        bool replay;
        int added;
        int held;
        long long firstRecord;
        QString ticks[5];
    } cases[] = {
        {true, 240, 240, 0, {"08:00:00", "08:01:00", "08:02:00", "08:03:00", ""}},
        {true, 241, 181, 60, {"08:01:00", "08:02:00", "08:03:00", "08:04:00", ""}},
        {true, 301, 181, 120, {"08:02:00", "08:03:00", "08:04:00", "08:05:00", ""}},
        {false, 300, 240, 0, {"08:00:00", "08:01:00", "08:02:00", "08:03:00", ""}},
    };
    for (const auto &c : cases) {
        Page p(c.replay);
        TableSource source(1000);
        p.load(source, c.added);
        EXPECT_EQ(p.graph->points().rowCount(), c.held);
        EXPECT_EQ(p.graph->points().time(0), TableSource::timeOf(c.firstRecord));
        for (int tick = 0; tick < 5; ++tick)
            EXPECT_EQ(p.graph->tickLabel(tick), c.ticks[tick]) << c.added << " tick " << tick;
    }
}

// Export and print hide the interactive elements and show the second title; trace 4's
// white turns black on paper as in the real-time trend.
TEST(HistoryGraphWindowTest, StillOutputHidesInteractiveElements)
{
    Page p(true);
    EXPECT_EQ(p.page.text(p.graph->hintLine()), QString::fromLatin1(kReplayHint));
    EXPECT_TRUE(p.page.isVisible(p.graph->pauseButton()));
    p.graph->setOutput(TrendOutput::ReverseExport);
    EXPECT_EQ(p.page.text(p.graph->hintLine()), QStringLiteral("Boiler 2 feed"));
    EXPECT_FALSE(p.page.isVisible(p.graph->pauseButton()));
    EXPECT_EQ(p.page.background(), 15);
    // The cursor prints black on paper and on the white picture, white on the screen.
    for (const TrendOutput output : {TrendOutput::Print, TrendOutput::ReverseExport, TrendOutput::Screen}) {
        p.graph->setOutput(output);
        EXPECT_EQ(p.page.colour(p.graph->cursorLine()), output == TrendOutput::Screen ? 15 : 0);
    }
    p.graph->setOutput(TrendOutput::Screen);
    EXPECT_TRUE(p.page.isVisible(p.graph->pauseButton()));
    Page autoFit(false);
    EXPECT_EQ(autoFit.page.text(autoFit.graph->hintLine()), QString::fromLatin1(kAutoFitHint));
    EXPECT_FALSE(autoFit.page.isVisible(autoFit.graph->pauseButton()));
}
