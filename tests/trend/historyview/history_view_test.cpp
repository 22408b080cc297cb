// CHistoryView offscreen: the Auto Fit load, zoom and Restore through the source's
// range, the replay's compression, end and Pause/Start colours, the selection dialog's
// modes, and a picture of the page.
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"
#include "tests/support/screenshot.h"
#include "tests/trend/history/history_fixture.h"
#include "tests/trend/historyview/history_fixture.h"
#include "trend/history/historical_file.h"
#include "trend/historyview/historical_file_source.h"
#include "trend/historyview/view/history_selection_dialog.h"
#include "trend/historyview/view/history_view.h"

#include <QRadioButton>
#include <QTime>
#include <cmath>
#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70test;

namespace {

struct View {
    View(long long records, bool replay, int skip) : source(records)
    {
        setUpHistoryDocument(doc);
        view = std::make_unique<CHistoryView>(doc, 0, source, replay, skip);
        view->resize(1000, 700);
    }
    // The record each loaded point came from (trace 1 holds its record number).
    long long record(int point) { return std::llround(view->graph().points().raw(point, 0)); }
    int points() { return view->graph().points().rowCount(); }

    CTagDoc doc;
    TableSource source;
    std::unique_ptr<CHistoryView> view;
};

}  // namespace

// Auto Fit shows every record of a short file and every (n div 240 + 1)-th of a long
// one, at most 240 points, with the cursor at the last point.
TEST(CHistoryViewTest, AutoFitSpreadsAtMost240PointsOverTheFile)
{
    const struct {
        long long records;
        int points;
        long long lastRecord;
    } cases[] = {{100, 100, 99}, {300, 150, 298}, {2000, 223, 1998}};
    for (const auto &c : cases) {
        View v(c.records, false, 0);
        v.view->tick();
        EXPECT_FALSE(v.view->isTimerActive());
        ASSERT_EQ(v.points(), c.points) << c.records;
        EXPECT_EQ(v.record(c.points - 1), c.lastRecord);
        EXPECT_EQ(v.view->graph().cursorPoint(), c.points - 1);
    }
}

// A zoom reloads only its range from the source and shows Restore; a refused zoom
// reloads nothing; Restore loads the whole file again and hides itself.
TEST(CHistoryViewTest, ZoomReloadsTheRangeAndRestoreTheWholeFile)
{
    MessageRecorder messages;
    View v(2400, false, 0);
    v.view->tick();
    const long long reads = v.source.reads;
    v.view->zoom(QRectF(60, 10, 5, 50));
    EXPECT_EQ(v.source.reads, reads);
    v.view->zoom(QRectF(60, 10, 60, 50));
    // 219 points, every 11th record: positions 60 to 120 hold records 660 to 1330.
    EXPECT_EQ(v.view->loadedRange().first, 660);
    EXPECT_EQ(v.view->loadedRange().last, 1331);
    EXPECT_EQ(v.record(0), 660);
    EXPECT_EQ(v.points(), 224);  // 671 records, every third
    ASSERT_TRUE(v.view->page().isVisible(v.view->graph().restoreButton()));

    EXPECT_TRUE(v.view->page().clickButton(v.view->graph().restoreButton()));
    EXPECT_FALSE(v.view->graph().isZoomed());
    EXPECT_EQ(v.view->loadedRange().last, 2400);
    EXPECT_EQ(v.points(), 219);
    EXPECT_FALSE(v.view->page().isVisible(v.view->graph().restoreButton()));
}

// On a long file a zoom loads exactly the records under the selected positions, at the
// left, in the middle and at the right end; every point is the record it claims to be.
TEST(CHistoryViewTest, AZoomLoadsTheRecordsUnderTheSelectedPositions)
{
    const struct {
        double left, width;
        long long first, last, step;
    } cases[] = {
        {0, 30, 0, 31 * 417, 54},
        {200, 26, 200 * 417, 227 * 417, 47},
        {215.5, 30, 215 * 417, 100'000, 44},
    };
    for (const auto &c : cases) {
        View v(100'000, false, 0);
        v.view->tick();
        ASSERT_EQ(v.points(), 240);
        ASSERT_EQ(v.record(239), 239 * 417);
        v.view->zoom(QRectF(c.left, 0, c.width, 100));
        ASSERT_EQ(v.view->loadedRange().first, c.first) << c.left;
        ASSERT_EQ(v.view->loadedRange().last, c.last) << c.left;
        EXPECT_EQ((c.last - c.first) / 240 + 1, c.step);
        const long long expected = (c.last - c.first + c.step - 1) / c.step;
        ASSERT_EQ(v.points(), expected) << c.left;
        for (int point = 0; point < v.points(); ++point) {
            ASSERT_EQ(v.view->graph().points().record(point), c.first + point * c.step) << point;
            ASSERT_EQ(v.record(point), c.first + point * c.step) << point;
        }
    }
}

// Restore and every whole-file load count the records again: what a running collection
// has appended since the last load is shown.
TEST(CHistoryViewTest, RestoreShowsTheRecordsAppendedSince)
{
    View v(230, false, 0);
    v.view->tick();
    ASSERT_EQ(v.points(), 230);
    v.view->zoom(QRectF(20, 0, 100, 100));
    v.source.append(20);
    v.view->restore();
    EXPECT_EQ(v.view->loadedRange().last, 250);
    ASSERT_EQ(v.points(), 125);
    EXPECT_EQ(v.record(124), 248);
}

// Resuming a paused replay hides the cursor with its time and "(B)" markers.
TEST(CHistoryViewTest, ResumingAReplayClearsTheCursor)
{
    View v(1000, true, 0);
    v.source.badAt = [](long long record, int column) { return record == 3 && column == 0; };
    for (int tick = 0; tick < 6; ++tick)
        v.view->tick();
    v.view->graph().placeCursor(3);
    v.view->togglePause();
    ASSERT_TRUE(v.view->graph().row(0).isBadShown());
    ASSERT_FALSE(v.view->page().text(v.view->graph().cursorTime()).isEmpty());
    v.view->togglePause();
    EXPECT_FALSE(v.view->isPaused());
    EXPECT_FALSE(v.view->graph().row(0).isBadShown());
    EXPECT_EQ(v.view->page().text(v.view->graph().cursorTime()), QString());
}

// A replay plots one record per 20 ms tick with the compression's records skipped, and
// at the end stops, pauses and colours Pause/Start 12; running shows 10.
TEST(CHistoryViewTest, ReplayPlotsEveryCompressedRecordThenPauses)
{
    const struct {
        int skip;
        long long records;
        int points;
        long long lastRecord;
    } cases[] = {{19, 1000, 50, 980}, {0, 250, 190, 249}};
    for (const auto &c : cases) {
        View v(c.records, true, c.skip);
        v.view->tick();
        EXPECT_EQ(v.view->timerPeriodMs(), CHistoryView::kReplayPeriodMs);
        const ChartHandle pause = v.view->graph().pauseButton();
        EXPECT_EQ(v.view->page().colour(pause), 10);
        for (int tick = 0; tick < c.records + 2 && !v.view->isFinished(); ++tick)
            v.view->tick();
        EXPECT_TRUE(v.view->isPaused());
        EXPECT_FALSE(v.view->isTimerActive());
        EXPECT_EQ(v.view->page().colour(pause), 12);
        ASSERT_EQ(v.points(), c.points);
        EXPECT_EQ(v.record(c.points - 1), c.lastRecord);
    }
}

// Pause/Start toggles a running replay; paused, ticks plot nothing.
TEST(CHistoryViewTest, PauseStartTogglesTheReplay)
{
    View v(1000, true, 0);
    v.view->tick();
    v.view->tick();
    const ChartHandle pause = v.view->graph().pauseButton();
    v.view->page().clickButton(pause);
    EXPECT_EQ(v.view->page().colour(pause), 12);
    v.view->tick();
    EXPECT_EQ(v.points(), 1);
    v.view->page().clickButton(pause);
    EXPECT_EQ(v.view->page().colour(pause), 10);
    v.view->tick();
    EXPECT_EQ(v.points(), 2);
}

TEST(CHistorySelectionDialogTest, ChoicesGiveReplayAndSkip)
{
    CHistorySelectionDialog dialog;
    EXPECT_FALSE(dialog.mode().replay);
    const int skips[] = {0, 0, 1, 2, 3, 4, 9, 19};
    ASSERT_EQ(dialog.choiceCount(), 8);
    for (int choice = 0; choice < 8; ++choice) {
        dialog.choice(choice)->setChecked(true);
        EXPECT_EQ(dialog.mode().replay, choice > 0) << choice;
        EXPECT_EQ(dialog.mode().skip, skips[choice]) << choice;
    }
}

TEST(CHistoryViewTest, Screenshot)
{
    View v(2000, false, 0);
    v.source.badAt = [](long long record, int column) { return record >= 1900 && column == 0; };
    v.view->tick();
    v.view->graph().rescale(0, v.view->graph().autoFitScale(0));
    v.view->graph().rescale(1, TraceScale{0.0, 4000.0});
    shoot(*v.view, "history");
}

// The view over written files of the lengths at the edges, 1 and 30 tags (the last 12
// columns traced): each drawn point is the record it claims to be, with its values.
TEST(CHistoryViewTest, EveryDrawnPointIsItsRecord)
{
    const struct {
        int records, tags, points;
    } cases[] = {{100, 1, 100}, {230, 30, 230}, {239, 1, 239}, {240, 30, 120}, {241, 1, 121}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.records << " records, " << c.tags << " tags");
        HistoryFiles files;
        const auto file =
            HistoricalFile::open(files.written(HistoryFileKind::Ascii, c.tags, c.records), HistoryFileKind::Ascii);
        ASSERT_NE(file, nullptr);
        CTagDoc doc;
        setUpHistoryDocument(doc);
        file->fillTagList(doc);
        const int traces = std::min(c.tags, TrendGraph::kMaxTraces);
        doc.graph(0).traceCount = traces;
        for (int trace = 0; trace < traces; ++trace)
            doc.graph(0).traces[size_t(trace)].tagname = QStringLiteral("T%1").arg(c.tags - traces + trace + 1);
        HistoricalFileSource source(*file);
        CHistoryView view(doc, 0, source, false, 0);
        view.tick();
        const HistoryPoints &points = view.graph().points();
        ASSERT_EQ(points.rowCount(), c.points);
        const long long step = c.records >= 240 ? 2 : 1;
        for (int row = 0; row < points.rowCount(); ++row) {
            ASSERT_EQ(points.record(row), row * step);
            ASSERT_EQ(points.time(row), QTime(14, 0).addSecs(int(row * step)).toString(QStringLiteral("HH:mm:ss")));
            for (int trace = 0; trace < traces; ++trace)
                ASSERT_DOUBLE_EQ(points.raw(row, trace), row * step + (c.tags - traces + trace) / 10.0) << row;
        }
    }
}

// The view over a file the collection wrote, through the reader: every point's values
// name its record (record + column / 10), a zoom starts at its first record, and a trace
// whose tagname the file lacks has no values.
TEST(CHistoryViewTest, ReadsAWrittenFileThroughTheReader)
{
    HistoryFiles files;
    const auto file = HistoricalFile::open(files.written(HistoryFileKind::Ascii, 2, 1000), HistoryFileKind::Ascii);
    ASSERT_NE(file, nullptr);
    CTagDoc doc;
    setUpHistoryDocument(doc);
    file->fillTagList(doc);
    doc.graph(0).traceCount = 3;
    doc.graph(0).traces[0].tagname = QStringLiteral("T2");
    doc.graph(0).traces[1].tagname = QStringLiteral("T1");
    doc.graph(0).traces[2].tagname = QStringLiteral("NOT-THERE");
    HistoricalFileSource source(*file);
    CHistoryView view(doc, 0, source, false, 0);
    view.tick();
    const HistoryPoints &points = view.graph().points();
    ASSERT_GT(points.rowCount(), 100);
    EXPECT_LE(points.rowCount(), 240);
    EXPECT_DOUBLE_EQ(points.raw(0, 0), 0.1);
    EXPECT_DOUBLE_EQ(points.raw(1, 1) + 0.1, points.raw(1, 0));
    EXPECT_TRUE(std::isnan(points.raw(1, 2)));

    // Each zoom shows exactly the records the reader's load (the tool's page) takes for
    // the same range: from the record at its left position up to, not including, the
    // record of the point after its right one.
    const auto reader = HistoricalFile::open(file->path(), HistoryFileKind::Ascii);
    for (const double width : {60.0, 48.0, 30.0, 13.0}) {
        view.restore();
        const long long step = view.graph().points().record(1);
        view.zoom(QRectF(60, 0, width, 100));
        const RecordRange range = view.loadedRange();
        EXPECT_EQ(range.first, 60 * step);
        EXPECT_EQ(range.last, (61 + static_cast<long long>(width)) * step);
        std::vector<qint64> shown;
        for (int row = 0; row < points.rowCount(); ++row)
            shown.push_back(std::llround(points.raw(row, 1)));
        EXPECT_EQ(shown, recordsOf(reader->autoFitLoad(range.first, range.last, {0}).points)) << width;
        EXPECT_LT(shown.back(), range.last);
    }
}
