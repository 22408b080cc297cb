// The chart page model: hit testing, user units of a graph window, the graph window
// limit, and the data sets' ring behaviour.
#include "chart/chart_dynamic_data.h"
#include "chart/chart_page.h"
#include "chart/chart_static_data.h"

#include <gtest/gtest.h>

namespace tk70 {
namespace {

TEST(ChartPageTest, ObjectAtFindsTheTopmostVisibleHittableObject)
{
    ChartPage page;
    const ChartHandle window = page.addGraphWindow(QRectF(0.0, 0.5, 1.0, 0.5));
    const ChartHandle under = page.addRect(QRectF(0.1, 0.1, 0.4, 0.3), 4);
    const ChartHandle over = page.addRect(QRectF(0.3, 0.2, 0.4, 0.3), 2);
    const ChartHandle hidden = page.addRect(QRectF(0.35, 0.25, 0.1, 0.1), 9);
    page.hide(hidden);
    const ChartHandle button = page.addButton(QRectF(0.8, 0.1, 0.15, 0.05), QStringLiteral("Next"), 7, {});
    page.addLine(QPointF(0.0, 0.45), QPointF(1.0, 0.45), 0);  // rules are never hit
    const ChartHandle text = page.addText(QPointF(0.05, 0.6), QStringLiteral("Label text"));

    const struct {
        QPointF point;
        ChartHandle expected;
    } cases[] = {
        {{0.15, 0.15}, under}, {{0.4, 0.3}, over},   {{0.75, 0.45}, kNoChartHandle}, {{0.85, 0.12}, button},
        {{0.07, 0.61}, text},  {{0.5, 0.8}, window}, {{0.95, 0.3}, kNoChartHandle},
    };
    for (const auto &c : cases)
        EXPECT_EQ(page.objectAt(c.point), c.expected) << c.point.x() << "," << c.point.y();
    page.show(hidden);
    EXPECT_EQ(page.objectAt(QPointF(0.4, 0.3)), hidden);
    page.hide(window);  // a hidden window hides its objects, but a page text stays
    EXPECT_EQ(page.objectAt(QPointF(0.5, 0.8)), kNoChartHandle);
    EXPECT_EQ(page.objectAt(QPointF(0.07, 0.61)), text);
}

TEST(ChartPageTest, UserUnitsFollowThePlotAreaAndTheScale)
{
    ChartPage page;
    const ChartHandle window = page.addGraphWindow(QRectF(0.5, 0.0, 0.5, 1.0));
    page.setPlotArea(window, QRectF(0.1, 0.1, 0.8, 0.8));
    page.setScale(window, ChartScale{0.0, 240.0, 0.0, 100.0});
    // Plot area on the page: x 0.55..0.95, y 0.1..0.9 (y up in user units).
    const struct {
        QPointF page;
        QPointF user;
    } cases[] = {{{0.55, 0.9}, {0.0, 0.0}}, {{0.95, 0.1}, {240.0, 100.0}}, {{0.75, 0.5}, {120.0, 50.0}}};
    for (const auto &c : cases) {
        EXPECT_NEAR(page.pageToUser(window, c.page).x(), c.user.x(), 1e-9);
        EXPECT_NEAR(page.pageToUser(window, c.page).y(), c.user.y(), 1e-9);
        EXPECT_NEAR(page.userToPage(window, c.user).x(), c.page.x(), 1e-9);
    }
    // The rubber band's rectangle is normalised and limited to the plot area.
    const QRectF band = page.userRect(window, QPointF(0.75, 0.3), QPointF(0.5, 0.95));
    EXPECT_NEAR(band.left(), 0.0, 1e-9);
    EXPECT_NEAR(band.right(), 120.0, 1e-9);
    EXPECT_NEAR(band.top(), 0.0, 1e-9);
    EXPECT_NEAR(band.bottom(), 75.0, 1e-9);
    EXPECT_TRUE(page.inPlotArea(window, QPointF(0.6, 0.5)));
    EXPECT_FALSE(page.inPlotArea(window, QPointF(0.52, 0.5)));
}

TEST(ChartPageTest, APageHoldsSixteenGraphWindows)
{
    ChartPage page;
    for (int i = 0; i < ChartPage::kMaxGraphWindows; ++i)
        EXPECT_NE(page.addGraphWindow(QRectF(0, 0, 0.5, 0.5)), kNoChartHandle);
    EXPECT_EQ(page.addGraphWindow(QRectF(0, 0, 0.5, 0.5)), kNoChartHandle);
    ChartPage second;
    EXPECT_TRUE(second.name().startsWith(QStringLiteral("PAGE")));
    EXPECT_NE(second.name(), page.name());
}

TEST(ChartDataTest, TheDynamicSetIsARingOfItsCapacity)
{
    ChartDynamicData data(2, 3);
    const double rows[][2] = {{5, -1}, {1, 10}, {7, 2}, {3, 4}, {6, 3}};
    const struct {
        int appended;
        int rowCount;
        double first;  // column 0 of row 0
        double minimum;
        double maximum;  // of column 0
    } cases[] = {{1, 1, 5, 5, 5}, {3, 3, 5, 1, 7}, {4, 3, 1, 1, 7}, {5, 3, 7, 3, 7}};
    int appended = 0;
    for (const auto &c : cases) {
        for (; appended < c.appended; ++appended)
            data.append(rows[appended]);
        EXPECT_EQ(data.rowCount(), c.rowCount) << c.appended;
        EXPECT_EQ(data.value(0, 0), c.first) << c.appended;
        EXPECT_EQ(data.columnMinimum(0), c.minimum) << c.appended;
        EXPECT_EQ(data.columnMaximum(0), c.maximum) << c.appended;
    }
    EXPECT_EQ(data.value(2, 1), 3.0);
    EXPECT_EQ(data.columnMinimum(1), 2.0);  // the dropped -1 is gone
    data.setValue(2, 1, 42.0);
    EXPECT_EQ(data.columnMaximum(1), 42.0);
    data.clear();
    EXPECT_EQ(data.rowCount(), 0);
    EXPECT_EQ(data.columnMaximum(0), 0.0);
    data.append({9});
    EXPECT_EQ(data.value(0, 0), 9.0);
    EXPECT_EQ(data.value(0, 1), 0.0);

    ChartStaticData fixed(1, 2);
    fixed.setValue(1, 0, 8.0);
    fixed.setRowCount(3);
    EXPECT_EQ(fixed.value(1, 0), 8.0);
    EXPECT_EQ(fixed.value(2, 0), 0.0);
}

}  // namespace
}  // namespace tk70
