// The page view, offscreen: a click on a button runs its callback and repaints, a click
// elsewhere reports the object, a right drag shows a rubber band seen on the dark plot and
// reports it in user units, texts keep a legible size in small windows, and a picture of
// a demo page for review.
#include "chart/chart_dynamic_data.h"
#include "chart/chart_palette.h"
#include "chart/view/qc_page_view.h"
#include "tests/support/screenshot.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

// A page like the graph views build: a dark trend window with a time axis, grid and
// three traces, a trace panel with buttons and labels, a scroll bar, a cursor, markers.
struct DemoPage {
    ChartHandle window = kNoChartHandle;
    ChartHandle button = kNoChartHandle;
    int clicks = 0;
    int scrolled = -1;

    void build(ChartPage &page)
    {
        window = page.addGraphWindow(QRectF(0.0, 0.0, 0.999, 0.8), kPaletteBlack);
        page.setPlotArea(window, QRectF(0.08, 0.08, 0.68, 0.78), kPaletteBlack, 7);
        page.setScale(window, ChartScale{0.0, 120.0, 0.0, 100.0});
        ChartTextStyle axisStyle;
        axisStyle.colour = kPaletteWhite;
        axisStyle.pointSize = 9;
        const ChartHandle x = page.addAxis(window, Qt::Horizontal, 30.0, 0, QStringLiteral("Time of Day"), axisStyle);
        page.setTimeAxis(x, 13 * 3600 + 58 * 60, 5.0);
        page.setAxisGrid(x, 8);
        const ChartHandle y = page.addAxis(window, Qt::Vertical, 20.0, 0, QStringLiteral("Percent"), axisStyle);
        page.setAxisGrid(y, 8);
        addTraces(page);
        button = page.addButton(QRectF(0.8, 0.86, 0.15, 0.06), QStringLiteral("Real Time"), 7, [this] { ++clicks; });
        page.addScrollBar(QRectF(0.08, 0.86, 0.68, 0.035), 0, 1200, 120, 1200, [this](int v) { scrolled = v; });
        ChartTextStyle title;
        title.pointSize = 14;
        title.bold = true;
        title.alignment = Qt::AlignHCenter | Qt::AlignTop;
        page.addText(QPointF(0.5, 0.92), QStringLiteral("TK70 Pro Trend Graph # 1"), title);
    }

    void addTraces(ChartPage &page)
    {
        auto data = std::make_shared<ChartDynamicData>(3, 360);
        for (int i = 0; i < 400; ++i)
            data->append({50 + 30 * std::sin(i / 9.0), 30 + 0.1 * i, 70 + 10 * std::cos(i / 5.0)});
        const int colours[] = {12, 10, 13};
        for (int trace = 0; trace < 3; ++trace) {
            const ChartHandle plot =
                page.addLinePlot(window, data, trace, colours[trace], trace == 2 ? Qt::DashLine : Qt::SolidLine);
            page.setPlotFirstRow(plot, data->rowCount() - 120);
            ChartTextStyle label;
            label.colour = colours[trace];
            page.addRect(QRectF(0.8, 0.1 + 0.08 * trace, 0.015, 0.025), colours[trace], 7);
            page.addText(QPointF(0.825, 0.1 + 0.08 * trace), QStringLiteral("TAG-%1").arg(trace + 1), label);
            label.pointSize = 8;
            page.addText(QPointF(0.825, 0.135 + 0.08 * trace), QStringLiteral("Zero:     0.00"), label);
        }
        page.addCursor(window, 100.0, kPaletteWhite, Qt::DotLine);
        ChartTextStyle marker;
        marker.colour = 14;
        marker.alignment = Qt::AlignHCenter | Qt::AlignBottom;
        page.addWindowText(window, QPointF(60.0, 90.0), QStringLiteral("(B)"), marker);
    }
};

QPoint widgetPoint(const QCPageView &view, QPointF page) { return view.toWidget(page).toPoint(); }

TEST(QCPageViewTest, ClicksRunButtonsAndReportObjectsAndTheRubberBand)
{
    QCPageView view;
    view.resize(800, 600);
    DemoPage demo;
    demo.build(view.page());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, widgetPoint(view, QPointF(0.87, 0.89)));
    EXPECT_EQ(demo.clicks, 1);

    ChartHandle clicked = kNoChartHandle - 1;
    QObject::connect(&view, &QCPageView::objectClicked, &view, [&clicked](ChartHandle h, QPointF) { clicked = h; });
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, widgetPoint(view, QPointF(0.5, 0.4)));
    EXPECT_EQ(clicked, demo.window);
    EXPECT_EQ(demo.clicks, 1);

    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, widgetPoint(view, QPointF(0.2, 0.875)));
    EXPECT_EQ(demo.scrolled, 1080);  // a page step back from the right end

    ChartHandle bandWindow = kNoChartHandle;
    QRectF band;
    QObject::connect(&view, &QCPageView::rubberBandSelected, &view, [&](ChartHandle w, QRectF r) {
        bandWindow = w;
        band = r;
    });
    // Plot area on the page: x 0.08..0.759, y 0.064..0.688; pick a quarter of each way.
    const QRectF plot = view.page().plotAreaOnPage(demo.window);
    const QPointF from(plot.left() + plot.width() / 4, plot.top() + plot.height() / 4);
    const QPointF to(plot.left() + plot.width() / 2, plot.top() + plot.height() / 2);
    QTest::mousePress(&view, Qt::RightButton, Qt::NoModifier, widgetPoint(view, from));
    QTest::mouseMove(&view, widgetPoint(view, to));
    // The band shows on the black plot area: white along its top edge.
    const QImage during = view.grab().toImage();
    const int top = widgetPoint(view, from).y();
    int white = 0;
    for (int x = widgetPoint(view, from).x(); x < widgetPoint(view, to).x(); ++x)
        white += (during.pixel(x, top) & 0xFFFFFF) == (paletteRgb(kPaletteWhite) & 0xFFFFFF);
    EXPECT_GT(white, 10);
    QTest::mouseRelease(&view, Qt::RightButton, Qt::NoModifier, widgetPoint(view, to));
    EXPECT_EQ(bandWindow, demo.window);
    EXPECT_NEAR(band.left(), 30.0, 0.5);
    EXPECT_NEAR(band.right(), 60.0, 0.5);
    EXPECT_NEAR(band.top(), 50.0, 0.5);
    EXPECT_NEAR(band.bottom(), 75.0, 0.5);

    // A click whose release a dialog took (rescaling on a double-click) does not hold
    // the pointer: the next right drag still draws its band.
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, widgetPoint(view, from));
    QWidget dialog;
    QTest::mouseRelease(&dialog, Qt::LeftButton);
    band = QRectF();
    QTest::mousePress(&view, Qt::RightButton, Qt::NoModifier, widgetPoint(view, from));
    QTest::mouseMove(&view, widgetPoint(view, to));
    QTest::mouseRelease(&view, Qt::RightButton, Qt::NoModifier, widgetPoint(view, to));
    EXPECT_NEAR(band.right(), 60.0, 0.5);
    view.close();
}

TEST(QCPageViewTest, DemoPageScreenshot)
{
    QCPageView view;
    view.resize(1024, 768);
    DemoPage demo;
    demo.build(view.page());
    tk70test::shoot(view, "chart-demo");
}

}  // namespace
}  // namespace tk70

namespace tk70 {

// On screen a text keeps a legible size in a window far smaller than the page it was
// laid out for; printed into the same size it scales down with the paper as before.
TEST(QCPageViewTest, TextsKeepALegibleSizeInSmallWindows)
{
    QCPageView view;
    ChartTextStyle style;
    style.pointSize = 8;
    const ChartHandle text = view.page().addText(QPointF(0.1, 0.1), QStringLiteral("Zero: 100.00"), style);
    for (const QSize size : {QSize(320, 240), QSize(160, 120)}) {
        view.resize(size);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.grab();
        EXPECT_GE(view.page().object(text).drawnBounds.height() * size.height(), QCPageView::kMinimumTextPixels)
            << size.width();
    }
    view.resize(1024, 768);
    view.grab();
    EXPECT_NEAR(view.page().object(text).drawnBounds.height() * 768, 12.3, 1.5) << "8 points of the reference page";
    view.close();

    QImage paper(320, 240, QImage::Format_RGB32);
    view.printOn(paper);
    EXPECT_LT(view.page().object(text).drawnBounds.height() * 240, 6.0);
}

}  // namespace tk70
