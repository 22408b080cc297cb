// The program's windows around a collection against the CIU simulator: Start opens the
// current values window with the plant's live values coloured by state, File Close only
// minimises it, Stop closes it; and the trend setup window next to the tag editor.
#include "app/settings/command_ids.h"
#include "app/view/shell/collector_app.h"
#include "app/view/shell/main_frame.h"
#include "ciusim/pty_server.h"
#include "collect/current_values/view/txt_view.h"
#include "tags/tag_doc.h"
#include "tests/app/shell_plant_test.h"
#include "tests/support/modal_helper.h"
#include "tests/trend/history/history_fixture.h"
#include "trend/export/view/trend_list_dialog.h"
#include "trend/historyview/view/history_selection_dialog.h"
#include "trend/historyview/view/history_view.h"
#include "trend/realtime/view/trn_view.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70test;
using tk70::HistoryFileKind;

namespace {

class ShellWindowsTest : public ShellPlantTest {
protected:
    CTxtView *currentValues() const
    {
        CChildFrame *frame = m_app->windows().currentValuesWindow();
        return frame ? qobject_cast<CTxtView *>(frame->widget()) : nullptr;
    }
    // Whether cell shows value (as the cell's text reads) in colour within three seconds.
    bool cellShows(int cell, double value, int colour) const
    {
        return tk70test::waitFor(
            [&] {
                const CTxtView *view = currentValues();
                return view && std::abs(view->cellValueText(cell).toDouble() - value) < 1e-3 &&
                       view->cellColour(cell) == colour;
            },
            3000);
    }

    // The newest raw value of a trace of the trend window of graph, once it equals value
    // (within three seconds).
    bool traceShows(int graph, int trace, double value) const
    {
        return tk70test::waitFor(
            [&] {
                CChildFrame *frame = m_app->windows().trendGraphWindow(graph);
                auto *view = frame ? qobject_cast<CTrnView *>(frame->widget()) : nullptr;
                if (!view || view->graph().rawValues().rowCount() == 0)
                    return false;
                const ChartDynamicData &raw = view->graph().rawValues();
                return std::abs(raw.value(raw.rowCount() - 1, trace) - value) < 1e-3;
            },
            3000);
    }
};

// The text of a graph window's page printed into a PDF file, as pdftotext reads it.
QString printedText(CChildFrame *frame)
{
    auto *view = qobject_cast<QCPageView *>(frame->widget());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    view->print(&printer);
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// Two graphs of the selection: FT101 and TT102 on graph 1, PT103 on graph 3, sampled
// every second.
void defineGraphs(CTagDoc &document)
{
    const auto trace = [](const char *tagname) { return TrendTrace{QString::fromLatin1(tagname), 0.0, 100.0, {}}; };
    for (auto [index, tagnames] : {std::pair{0, QStringList{"FT101", "TT102"}}, std::pair{2, QStringList{"PT103"}}}) {
        TrendGraph &graph = document.graph(index);
        graph.sampleInterval = 1.0;
        graph.traceCount = int(tagnames.size());
        for (int t = 0; t < tagnames.size(); ++t)
            graph.traces[size_t(t)] = trace(qPrintable(tagnames[t]));
    }
}

}  // namespace

TEST_F(ShellWindowsTest, StartShowsTheLiveValuesByStateUntilStop)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    EXPECT_FALSE(app.isEnabled(cmd::CurrentValues));
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting()) << qPrintable(m_messages.texts().join("|"));
    ASSERT_NE(currentValues(), nullptr);
    EXPECT_EQ(app.windows().currentValuesWindow()->windowTitle(), "Data Collection Output");
    for (int i = 0; i < int(kSimTags.size()); ++i)
        EXPECT_TRUE(cellShows(i, kSimTags[size_t(i)].value, 7)) << kSimTags[size_t(i)].name;
    ASSERT_TRUE(QDir().mkpath(TK70_SCREENSHOT_DIR));
    EXPECT_TRUE(app.mainFrame()->grab().save(TK70_SCREENSHOT_DIR "/shell-current-values.png"));

    m_sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, kSimTags[1].block}, 55.25, true);
    EXPECT_TRUE(cellShows(1, 55.25, 13));

    // File Close leaves the collection's window as an icon; Current Values brings it back.
    app.execute(cmd::FileClose);
    EXPECT_TRUE(app.windows().currentValuesWindow()->isMinimized());
    EXPECT_NE(app.currentDocument(), nullptr);
    app.execute(cmd::CurrentValues);
    EXPECT_TRUE(app.windows().currentValuesWindow()->isMaximized());

    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
    EXPECT_EQ(app.windows().currentValuesWindow(), nullptr);
    EXPECT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
}

// Trend Setup opens only from a valid tag editor page; a trace typed into it is saved with
// the selection; the document stays while either setup window is open.
TEST_F(ShellWindowsTest, TrendSetupOpensBesideAValidTagEditorAndSavesItsTraces)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    auto *block = app.windows().setupWindow(WindowBook::TagEditor)->findChild<QLineEdit *>(QStringLiteral("5080"));
    ASSERT_NE(block, nullptr);
    block->setText(QStringLiteral("10000"));
    app.execute(cmd::TrendSetup);
    EXPECT_EQ(app.windows().setupWindow(WindowBook::TrendSetup), nullptr);
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_TRUE(m_messages.texts().last().contains("9999")) << qPrintable(m_messages.texts().last());
    block->setText(QStringLiteral("101"));
    app.execute(cmd::TrendSetup);
    ASSERT_NE(app.windows().setupWindow(WindowBook::TrendSetup), nullptr);
    EXPECT_EQ(app.mainFrame()->mdiArea()->activeSubWindow(), app.windows().setupWindow(WindowBook::TrendSetup));

    auto *tagname = app.windows().setupWindow(WindowBook::TrendSetup)->findChild<QLineEdit *>(QStringLiteral("5200"));
    ASSERT_NE(tagname, nullptr);
    tagname->setText(QStringLiteral("TT102"));
    const QString file = m_dir.filePath("traced.tsf");
    ASSERT_TRUE(app.currentDocument()->saveDocument(file));
    CTagDoc reread;
    ASSERT_TRUE(reread.openDocument(file));
    EXPECT_EQ(reread.graph(0).traceCount, 1);
    EXPECT_EQ(reread.graph(0).traces[0].tagname, "TT102");

    app.windows().setupWindow(WindowBook::TagEditor)->close();
    ASSERT_TRUE(tk70test::waitFor([&] { return app.windows().setupWindow(WindowBook::TagEditor) == nullptr; }, 2000));
    QCoreApplication::processEvents();  // the check that closes a document without setup windows
    EXPECT_NE(app.currentDocument(), nullptr);
    EXPECT_TRUE(app.isEnabled(cmd::Start));
    app.execute(cmd::TagSelection);
    EXPECT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    EXPECT_NE(app.windows().setupWindow(WindowBook::TrendSetup), nullptr);
}

// Start opens one trend window per graph with traces, the first in front, sampling the
// plant; closing one while collecting keeps it as an icon; Stop closes them.
TEST_F(ShellWindowsTest, StartOpensATrendWindowPerGraphFollowingThePlant)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    defineGraphs(*app.currentDocument());
    EXPECT_FALSE(app.isEnabled(cmd::SelectTrend));
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting()) << qPrintable(m_messages.texts().join("|"));
    ASSERT_NE(app.windows().trendGraphWindow(0), nullptr);
    EXPECT_EQ(app.windows().trendGraphWindow(1), nullptr);
    ASSERT_NE(app.windows().trendGraphWindow(2), nullptr);
    EXPECT_EQ(app.mainFrame()->mdiArea()->activeSubWindow(), app.windows().trendGraphWindow(0));
    EXPECT_TRUE(app.isEnabled(cmd::SelectTrend));
    EXPECT_TRUE(traceShows(0, 1, kSimTags[1].value));
    EXPECT_TRUE(traceShows(2, 0, kSimTags[2].value));
    m_sim.unit().setPoint(ciusim::PlantAddress{1, 2, 3, kSimTags[0].block}, 61.5, false);
    EXPECT_TRUE(traceShows(0, 0, 61.5));

    // Select Trend offers the two open graphs; the one chosen comes to the front.
    whenModal<CTrendListDialog>([](CTrendListDialog *dialog) {
        auto *list = dialog->findChild<QTreeWidget *>();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        list->setCurrentItem(list->topLevelItem(1));
        dialog->accept();
    });
    app.execute(cmd::SelectTrend);
    EXPECT_EQ(app.mainFrame()->mdiArea()->activeSubWindow(), app.windows().trendGraphWindow(2));
    const QString printed = printedText(app.windows().trendGraphWindow(0));
    for (const char *text : {"TK70 Pro Trend Graph #1", "FT101", "TT102", "Time of Day", "Zero:", "Span:"})
        EXPECT_TRUE(printed.contains(QLatin1String(text))) << text << " not in: " << qPrintable(printed);

    app.windows().trendGraphWindow(2)->close();
    ASSERT_NE(app.windows().trendGraphWindow(2), nullptr);
    EXPECT_TRUE(tk70test::waitFor([&] { return app.windows().trendGraphWindow(2)->isMinimized(); }, 2000));
    app.execute(cmd::FileClose);
    for (CChildFrame *frame :
         {app.windows().currentValuesWindow(), app.windows().trendGraphWindow(0), app.windows().trendGraphWindow(2)})
        EXPECT_TRUE(frame->isMinimized()) << qPrintable(frame->windowTitle());

    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
    EXPECT_EQ(app.windows().trendGraphWindow(0), nullptr);
    EXPECT_EQ(app.windows().trendGraphWindow(2), nullptr);
    EXPECT_FALSE(app.isEnabled(cmd::SelectTrend));
}

// A historical ASCII file: its columns become the tags of a historical document edited in
// the trend setup; Start shows a graph window per graph with traces (Auto Fit), and Stop
// returns to the trend setup.
// A selection from elsewhere with hostile graph fields: a history length of two thousand
// million samples starts with the normalised 600; an interval past the trend setup's
// limit refuses the start with its message instead of overflowing the timer.
TEST_F(ShellWindowsTest, HostileGraphFieldsStartNormalisedOrAreRefused)
{
    CCollectorApp &app = start({writeSelection(m_dir)});
    defineGraphs(*app.currentDocument());
    app.currentDocument()->graph(0).historyLength = 2'000'000'000;
    app.currentDocument()->graph(2).sampleInterval = 3.0e6;
    app.execute(cmd::Start);
    EXPECT_FALSE(app.isCollecting());
    EXPECT_EQ(m_messages.texts().last(), "Trend Graph #3 Contains an Illegal Sample Interval.\n\nCan Not Continue!");
    app.currentDocument()->graph(2).sampleInterval = 1.0;
    app.execute(cmd::Start);
    ASSERT_TRUE(app.isCollecting()) << qPrintable(m_messages.texts().join("|"));
    ASSERT_NE(app.windows().trendGraphWindow(0), nullptr);
    EXPECT_TRUE(traceShows(0, 1, kSimTags[1].value));
    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::Stop);
}

TEST_F(ShellWindowsTest, AHistoricalFileIsGraphedFromStartToStop)
{
    HistoryFiles files;
    const QString data = files.written(HistoryFileKind::Ascii, 3, 500);
    CCollectorApp &app = start({});
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        dialog->selectFile(data);
        static_cast<QDialog *>(dialog)->accept();
    });
    app.execute(cmd::HistoricalAscii);
    ASSERT_NE(app.currentDocument(), nullptr);
    ASSERT_EQ(app.currentDocument()->tagCount(), 3);
    EXPECT_EQ(app.currentDocument()->tag(1).tagname, "T2");
    EXPECT_EQ(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    ASSERT_NE(app.windows().setupWindow(WindowBook::TrendSetup), nullptr);
    EXPECT_FALSE(app.isEnabled(cmd::FileSave));
    EXPECT_FALSE(
        app.windows().setupWindow(WindowBook::TrendSetup)->findChild<QLineEdit *>(QStringLiteral("1009"))->isEnabled());

    app.execute(cmd::Start);
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_EQ(m_messages.texts().last(), "No Tags Selected for Trending.");

    app.windows()
        .setupWindow(WindowBook::TrendSetup)
        ->findChild<QLineEdit *>(QStringLiteral("5200"))
        ->setText(QStringLiteral("T2"));
    app.currentDocument()->graph(2).traceCount = 1;
    app.currentDocument()->graph(2).traces[0].tagname = QStringLiteral("T3");
    whenModal<CHistorySelectionDialog>([](CHistorySelectionDialog *dialog) { dialog->accept(); });  // Auto Fit
    app.execute(cmd::Start);
    ASSERT_NE(app.windows().trendGraphWindow(0), nullptr);
    ASSERT_NE(app.windows().trendGraphWindow(2), nullptr);
    EXPECT_EQ(app.windows().setupWindow(WindowBook::TrendSetup), nullptr);
    EXPECT_TRUE(app.isEnabled(cmd::Stop));
    EXPECT_FALSE(app.isEnabled(cmd::FileNew));
    auto *view = qobject_cast<CHistoryView *>(app.windows().trendGraphWindow(0)->widget());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(tk70test::waitFor([&] { return view->graph().points().rowCount() > 0; }, 5000));

    app.execute(cmd::Stop);
    EXPECT_EQ(app.windows().trendGraphWindow(0), nullptr);
    EXPECT_NE(app.windows().setupWindow(WindowBook::TrendSetup), nullptr);
    EXPECT_TRUE(app.isEnabled(cmd::Start));
    EXPECT_TRUE(app.isEnabled(cmd::FileNew));
}
