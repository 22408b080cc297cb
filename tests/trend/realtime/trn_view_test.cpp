// CTrnView offscreen: it samples a table of readings and draws them, scrolls back with
// its scroll bar, rescales a trace through "Edit Trace Scale" (with the question when
// scrolled back), and prints and exports trace 4 in black; the date clears the time
// labels at every size and trace 10's grey labels are drawn deeper on screen; review
// pictures of the live and the scrolled-back graph and of small windows.
#include "chart/chart_palette.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"
#include "tests/support/screenshot.h"
#include "tests/trend/realtime/trend_fixture.h"
#include "trend/export/page_export.h"
#include "trend/realtime/view/trace_scale_dialog.h"
#include "trend/realtime/view/trn_view.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

using tk70test::TableReadings;
using tk70test::TestClock;

struct View {
    CTagDoc doc;
    TableReadings readings{4};
    TestClock clock;
    std::unique_ptr<CTrnView> view;

    View()
    {
        tk70test::setUpDocument(
            doc, 4,
            {QStringLiteral("TAG-1"), QStringLiteral("TAG-2"), QStringLiteral("TAG-3"), QStringLiteral("TAG-4")});
        doc.graph(0).title = QStringLiteral("Boiler 2 Trend");
        doc.graph(0).traces[0].description = QStringLiteral("Drum level");
        view = std::make_unique<CTrnView>(doc, 0, readings, clock);
        view->resize(1024, 768);
    }
    void sample(int count)
    {
        for (int i = 0; i < count; ++i) {
            const int n = static_cast<int>(view->graph().timeline().sampleCount());
            readings.set(0, 50 + 40 * std::sin(n / 11.0));
            readings.set(1, 30 + 0.2 * n);
            readings.set(2, 70 + 15 * std::cos(n / 7.0), n > 185);
            readings.set(3, 50.0);
            clock.advance(5);
            view->sampleNow();
        }
    }
    QPoint at(ChartHandle handle) const { return view->toWidget(view->page().bounds(handle).center()).toPoint(); }
};

int countPixels(const QImage &image, const QRect &area, int colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == paletteRgb(colour) ? 1 : 0;
    return count;
}

QRect plotPixels(const CTrnView &view, QSize size)
{
    const QRectF plot = view.page().plotAreaOnPage(const_cast<CTrnView &>(view).graph().graphWindow());
    return QRect(QPoint(int(plot.left() * size.width()) + 2, int(plot.top() * size.height()) + 2),
                 QPoint(int(plot.right() * size.width()) - 2, int(plot.bottom() * size.height()) - 2));
}

TEST(CTrnViewTest, SamplesDrawsScrollsBackAndRescales)
{
    tk70test::MessageRecorder messages;
    View v;
    EXPECT_EQ(v.view->windowTimerId(), 100);
    EXPECT_EQ(v.view->samplePeriodMs(), 5000);
    EXPECT_TRUE(v.view->isSampling());
    v.sample(200);
    v.view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v.view.get()));
    const QImage live = v.view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(countPixels(live, plotPixels(*v.view, live.size()), 12), 100) << "trace 1 is drawn";
    tk70test::shoot(*v.view, "trend-live");

    v.view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v.view.get()));
    const QRectF bar = v.view->page().bounds(v.view->graph().scrollBar());
    QTest::mouseClick(v.view.get(), Qt::LeftButton, Qt::NoModifier,
                      v.view->toWidget(QPointF(bar.left() + bar.width() * 0.3, bar.center().y())).toPoint());
    ASSERT_TRUE(v.view->graph().timeline().isScrolledBack());
    tk70test::shoot(*v.view, "trend-scrolled");

    // A double-click on trace 1's span label while scrolled back asks first, then the
    // dialog's span is applied and the display is live again.
    v.view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v.view.get()));
    messages.answer(MessageAnswer::Yes);
    tk70test::whenModal<CTraceScaleDialog>([](CTraceScaleDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("TAG-1"));
        dialog->spanEdit()->setText(QStringLiteral("50"));
        tk70test::press(dialog->findChild<QPushButton *>(QStringLiteral("1")));
    });
    QTest::mouseDClick(v.view.get(), Qt::LeftButton, Qt::NoModifier, v.at(v.view->graph().row(0).spanLabel()));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].defaultAnswer, MessageAnswer::No);
    EXPECT_DOUBLE_EQ(v.view->graph().trace(0).scale.span, 50.0);
    EXPECT_FALSE(v.view->graph().timeline().isScrolledBack());

    // "Auto Fit" on the selected-trace box closes without reading the fields.
    tk70test::whenModal<CTraceScaleDialog>([](CTraceScaleDialog *dialog) {
        dialog->spanEdit()->setText(QStringLiteral("not a number"));
        tk70test::press(dialog->findChild<QPushButton *>(QStringLiteral("2274")));
    });
    QTest::mouseDClick(v.view.get(), Qt::LeftButton, Qt::NoModifier, v.at(v.view->graph().selectedText()));
    const TraceScale fitted = v.view->graph().trace(0).scale;
    EXPECT_NEAR(fitted.zero, 10.0, 0.1);
    EXPECT_NEAR(fitted.span, 80.0, 0.2);
    EXPECT_EQ(messages.messages().size(), 1u);
}

TEST(CTrnViewTest, PrintAndReverseExportDrawTrace4InBlack)
{
    View v;
    v.sample(60);
    const QSize size(1024, 768);
    const auto trace4Row = [&v](const QImage &image) {
        const QRect plot = plotPixels(*v.view, image.size());
        return QRect(plot.left(), plot.center().y() - 3, plot.width(), 7);  // 50 % of the span
    };
    QImage printed(size, QImage::Format_RGB32);
    v.view->printOn(printed);
    EXPECT_GT(countPixels(printed, trace4Row(printed), kPaletteBlack), 40);

    v.view->beginExport(true);
    ChartRenderer renderer;
    const QImage exported = renderer.renderImage(v.view->page(), size);
    v.view->endExport();
    EXPECT_GT(countPixels(exported, trace4Row(exported), kPaletteBlack), 40);
    EXPECT_EQ(v.view->page().colour(v.view->graph().row(3).plot()), kPaletteWhite);
}

}  // namespace
}  // namespace tk70

namespace tk70 {
namespace {

// The text a reader program prints for file; empty when the program is missing or fails.
QString readBack(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(20000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
    return QString::fromLatin1(tool.readAllStandardOutput());
}

}  // namespace

// The live page saved in every export format for review; the pictures a Linux reader
// opens hold the titles, the tagnames and the traces.
TEST(CTrnViewTest, TheLivePageExportsInEveryFormatAndReadsBack)
{
    if (QStandardPaths::findExecutable(QStringLiteral("wmf2svg")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "wmf2svg or pdftotext is not installed (setup packages libwmf-bin, poppler-utils)";
    View v;
    v.sample(150);
    const QString folder = QStringLiteral(TK70_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char *name;
        ExportFormat format;
    } files[] = {{"trend.emf", ExportFormat::Emf},
                 {"trend-placeable.wmf", ExportFormat::PlaceableWmf},
                 {"trend-standard.wmf", ExportFormat::StandardWmf},
                 {"trend.svg", ExportFormat::Svg},
                 {"trend.pdf", ExportFormat::Pdf}};
    v.view->beginExport(true);
    for (const auto &file : files) {
        QString error;
        EXPECT_TRUE(exportPage(v.view->page(), folder + '/' + file.name, file.format, &error)) << qPrintable(error);
    }
    v.view->endExport();

    for (const char *wmf : {"trend-placeable.wmf", "trend-standard.wmf"}) {
        const QString svg = readBack(QStringLiteral("wmf2svg"), {folder + '/' + wmf});
        EXPECT_GE(svg.count("<polyline"), 4) << wmf;  // one per trace at least
        // The reader writes a text element per character; the texts are their run.
        QString texts;
        for (const QRegularExpressionMatch &m : QRegularExpression(">([^<]*)</text>").globalMatch(svg))
            texts += m.captured(1);
        for (const char *text : {"Boiler 2 Trend", "Boiler 2 feed", "TAG-3", "Time of Day"})
            EXPECT_TRUE(texts.contains(QLatin1String(text))) << wmf << ": " << text;
    }
    const QString pdf = readBack(QStringLiteral("pdftotext"), {folder + "/trend.pdf", QStringLiteral("-")});
    for (const char *text : {"Boiler 2 Trend", "Boiler 2 feed", "TAG-1", "TAG-4", "Time of Day"})
        EXPECT_TRUE(pdf.contains(QLatin1String(text))) << text;
}

}  // namespace tk70

namespace tk70 {
namespace {

// Twelve traces with tagnames of the full 14 characters, sampled past the first
// re-basing so the date is shown.
struct FullView {
    CTagDoc doc;
    TableReadings readings{12};
    TestClock clock;
    std::unique_ptr<CTrnView> view;

    FullView()
    {
        std::vector<QString> names;
        for (int i = 0; i < 12; ++i)
            names.push_back(QStringLiteral("TAG-%1").arg(i + 1));
        tk70test::setUpDocument(doc, 12, names);
        for (int i = 0; i < 12; ++i) {
            TagRecord tag = doc.tag(i);
            tag.tagname = QStringLiteral("WFIC-%1-TEMPA").arg(101 + i);
            doc.setTag(i, tag);
            doc.graph(0).traces[static_cast<size_t>(i)].tagname = tag.tagname;
        }
        doc.graph(0).title = QStringLiteral("Boiler 2 Trend");
        view = std::make_unique<CTrnView>(doc, 0, readings, clock);
        for (int n = 0; n < 130; ++n) {
            for (int t = 0; t < 12; ++t)
                readings.set(t, 50 + 40 * std::sin(n / 11.0 + t));
            clock.advance(5);
            view->sampleNow();
        }
    }
};

}  // namespace

// The date under the time axis never meets its first time label, at 800x600 nor in
// windows tiled small or narrow; review pictures of each size.
TEST(CTrnViewTest, TheDateStaysClearOfTheTimeLabelsAtEverySize)
{
    FullView v;
    const ChartHandle date = v.view->graph().dateLabel();
    const ChartHandle axis = v.view->graph().timeAxis();
    ASSERT_FALSE(v.view->page().text(date).isEmpty());
    for (const QSize size : {QSize(1024, 768), QSize(800, 600), QSize(480, 360), QSize(400, 600), QSize(320, 240)}) {
        v.view->resize(size);
        const QByteArray name = QStringLiteral("trend-%1x%2").arg(size.width()).arg(size.height()).toLatin1();
        tk70test::shoot(*v.view, name.constData());
        const QRectF labels = v.view->page().object(axis).drawnBounds;
        const QRectF shown = v.view->page().object(date).drawnBounds;
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_GE(shown.top(), labels.bottom() - 1e-9) << name.constData();
        EXPECT_LE(shown.bottom(), 1.0) << name.constData();
    }
}

// Trace 10's grey labels would all but vanish on the grey page: on screen they are
// drawn in a deeper grey, while its line, its palette colours and its printed labels
// stay as the colour table says.
TEST(CTrnViewTest, Trace10LabelsAreDrawnInADeeperGreyOnScreen)
{
    FullView v;
    v.view->resize(800, 600);
    v.view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(v.view.get()));
    const QImage shown = v.view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const TracePanelRow &row = v.view->graph().row(9);
    const auto darkest = [&v](const QImage &image, ChartHandle label) {
        const QRectF bounds = v.view->page().object(label).drawnBounds;
        const QRect area(QPoint(int(bounds.left() * image.width()), int(bounds.top() * image.height())),
                         QPoint(int(bounds.right() * image.width()), int(bounds.bottom() * image.height())));
        int grey = 255;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                grey = std::min(grey, qGray(image.pixel(x, y)));
        return grey;
    };
    for (const ChartHandle label : {row.nameLabel(), row.zeroLabel(), row.spanLabel()}) {
        EXPECT_LT(darkest(shown, label), 0x70) << label;
        EXPECT_EQ(v.view->page().colour(label), 8);
    }
    EXPECT_EQ(v.view->page().colour(row.plot()), kPaletteWhite);
    EXPECT_EQ(darkest(shown, v.view->graph().row(0).nameLabel()), qGray(paletteRgb(12))) << "trace 1 keeps its red";

    QImage printed(800, 600, QImage::Format_RGB32);
    v.view->printOn(printed);
    EXPECT_EQ(darkest(printed, row.nameLabel()), 0);
}

}  // namespace tk70
