// The renderer: objects land where their page fractions say, in their palette colours;
// hidden ones are not drawn; print mode leaves the backgrounds white; text bounds as
// drawn serve hit testing; a redrawn axis shows its labels' new texts; a text kept below
// an axis clears its labels, a text with a width is cut to it, and a colour nearly
// invisible on its ground takes a deeper shade.
#include "chart/chart_dynamic_data.h"
#include "chart/chart_page.h"
#include "chart/chart_palette.h"
#include "chart/chart_renderer.h"

#include <QImage>
#include <gtest/gtest.h>

namespace tk70 {
namespace {

constexpr QSize kSize(400, 300);

QRgb pixelAt(const QImage &image, QPointF page)
{
    return image.pixel(static_cast<int>(page.x() * kSize.width()), static_cast<int>(page.y() * kSize.height()));
}

// Whether a colour appears within a pixel or two of a page point (one-pixel lines).
bool colourNear(const QImage &image, QPointF page, QRgb colour)
{
    const int x = static_cast<int>(page.x() * kSize.width());
    const int y = static_cast<int>(page.y() * kSize.height());
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.rect().contains(x + dx, y + dy) &&
                (image.pixel(x + dx, y + dy) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

struct RenderedPage {
    ChartPage page;
    ChartHandle filled, hidden, recoloured, window;
};

void build(RenderedPage &p)
{
    p.filled = p.page.addRect(QRectF(0.05, 0.05, 0.2, 0.2), 4);
    p.hidden = p.page.addRect(QRectF(0.3, 0.05, 0.2, 0.2), 2);
    p.page.hide(p.hidden);
    p.recoloured = p.page.addRect(QRectF(0.55, 0.05, 0.2, 0.2), 9);
    p.page.setColour(p.recoloured, 12);
    p.window = p.page.addGraphWindow(QRectF(0.0, 0.4, 1.0, 0.6), kPaletteBlack);
    p.page.setPlotArea(p.window, QRectF(0.1, 0.1, 0.8, 0.8), kNoColour, kNoColour);
    p.page.setScale(p.window, ChartScale{0.0, 10.0, 0.0, 100.0});
    auto data = std::make_shared<ChartDynamicData>(1, 20);
    for (int i = 0; i < 20; ++i)
        data->append({75.0});
    p.page.addLinePlot(p.window, data, 0, 10);  // a flat line at 75 % of the plot's height
}

TEST(ChartRenderTest, ObjectsAreDrawnWhereTheirPageFractionsSay)
{
    RenderedPage p;
    build(p);
    ChartRenderer renderer;
    const QImage screen = renderer.renderImage(p.page, kSize);
    const QImage print = renderer.renderImage(p.page, kSize, ChartRenderMode::Print);
    // The plot area spans y 0.46..0.94 of the page; 75 of 0..100 is at 0.46 + 0.25 * 0.48.
    const QPointF onLine(0.5, 0.46 + 0.25 * 0.48);
    const struct {
        const QImage &image;
        QPointF point;
        QRgb colour;
    } cases[] = {
        {screen, {0.15, 0.15}, paletteRgb(4)},  {screen, {0.4, 0.15}, paletteRgb(15)},
        {screen, {0.65, 0.15}, paletteRgb(12)}, {screen, {0.5, 0.8}, paletteRgb(0)},
        {screen, {0.01, 0.01}, paletteRgb(15)}, {print, {0.5, 0.8}, paletteRgb(15)},
        {print, {0.15, 0.15}, paletteRgb(4)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pixelAt(c.image, c.point) & 0xFFFFFF, c.colour & 0xFFFFFF) << c.point.x() << "," << c.point.y();
    EXPECT_TRUE(colourNear(screen, onLine, paletteRgb(10)));
    EXPECT_FALSE(colourNear(screen, QPointF(0.5, 0.6), paletteRgb(10)));
    // Clipped to the plot area: nothing of it left of x = 0.1.
    EXPECT_FALSE(colourNear(screen, QPointF(0.05, onLine.y()), paletteRgb(10)));
}

TEST(ChartRenderTest, DrawnTextBoundsServeHitTesting)
{
    ChartPage page;
    ChartTextStyle style;
    style.pointSize = 20;
    style.alignment = Qt::AlignRight | Qt::AlignVCenter;
    const ChartHandle text = page.addText(QPointF(0.9, 0.5), QStringLiteral("WWWWWWWWWWWW"), style);
    ChartRenderer renderer;
    const QImage image = renderer.renderImage(page, kSize);
    const QRectF bounds = page.bounds(text);
    EXPECT_NEAR(bounds.right(), 0.9, 0.001);
    EXPECT_NEAR(bounds.center().y(), 0.5, 0.01);
    EXPECT_GT(bounds.width(), 0.25);  // wide glyphs: wider than the estimate of 0.17
    EXPECT_EQ(page.objectAt(QPointF(bounds.left() + 0.01, 0.5)), text);
    EXPECT_EQ(page.objectAt(QPointF(0.92, 0.5)), kNoChartHandle);
    int dark = 0;
    for (int x = static_cast<int>(bounds.left() * kSize.width()); x < 0.9 * kSize.width(); ++x)
        dark += qGray(image.pixel(x, kSize.height() / 2)) < 128;
    EXPECT_GT(dark, 10);
}

// Axis labels from a function are laid out once and kept; a redraw of the axis after
// its labels changed (the historical graph's tick times after a load) must draw the
// new texts, as a renderer seeing the page for the first time does.
TEST(ChartRenderTest, ARedrawnAxisShowsItsNewLabels)
{
    ChartPage page;
    const ChartHandle window = page.addGraphWindow(QRectF(0.0, 0.0, 1.0, 1.0));
    page.setPlotArea(window, QRectF(0.1, 0.1, 0.8, 0.7), kPaletteBlack, kNoColour);
    page.setScale(window, ChartScale{0.0, 240.0, 0.0, 100.0});
    ChartTextStyle style;
    style.pointSize = 12;
    const ChartHandle axis = page.addAxis(window, Qt::Horizontal, 60.0, 0, QStringLiteral("Time of Day"), style);
    QString label;
    page.setAxisLabels(axis, [&label](double) { return label; });
    ChartRenderer kept;
    const QImage empty = kept.renderImage(page, kSize);
    label = QStringLiteral("08:00:00");
    page.redraw(axis);
    const QImage redrawn = kept.renderImage(page, kSize);
    EXPECT_NE(redrawn, empty);
    EXPECT_EQ(redrawn, ChartRenderer().renderImage(page, kSize));
}

}  // namespace
}  // namespace tk70

namespace tk70 {
namespace {

// A graph window with a time axis whose labels stand under the plot, and a text whose
// anchor lies on the labels' line.
struct AxisPage {
    ChartPage page;
    ChartHandle axis = kNoChartHandle;
    ChartHandle note = kNoChartHandle;

    AxisPage()
    {
        const ChartHandle window = page.addGraphWindow(QRectF(0.0, 0.0, 0.999, 0.999));
        page.setPlotArea(window, QRectF(0.09, 0.125, 0.63, 0.665));
        page.setScale(window, ChartScale{0.0, 240.0, 0.0, 100.0});
        ChartTextStyle style;
        style.pointSize = 9;
        axis = page.addAxis(window, Qt::Horizontal, 60.0, 0, QStringLiteral("Time of Day"), style);
        page.setTimeAxis(axis, 14 * 3600, 1.0);
        note = page.addText(QPointF(0.012, 0.805), QStringLiteral("03/07/24"), style);
    }
};

}  // namespace

// A text kept below an axis's labels clears them at any size and proportion of the
// target, with or without a legible minimum making the labels taller than they scale.
TEST(ChartRenderTest, ATextKeptBelowAnAxisClearsItsLabelsAtEverySize)
{
    AxisPage p;
    p.page.keepBelowAxisLabels(p.note, p.axis);
    for (const double minimum : {0.0, 9.0}) {
        ChartRenderer renderer;
        renderer.setMinimumTextPixels(minimum);
        for (const QSize size :
             {QSize(1024, 768), QSize(800, 600), QSize(400, 600), QSize(320, 240), QSize(160, 120)}) {
            renderer.renderImage(p.page, size);
            const QRectF labels = p.page.object(p.axis).drawnBounds;
            const QRectF note = p.page.object(p.note).drawnBounds;
            ASSERT_FALSE(labels.isEmpty());
            EXPECT_GE(note.top(), labels.bottom() - 1e-9) << size.width() << "x" << size.height() << " " << minimum;
            EXPECT_NEAR(note.left(), 0.012, 1e-3);
        }
    }
    // Released, it stands at its anchor again: on the labels' line.
    p.page.keepBelowAxisLabels(p.note, kNoChartHandle);
    ChartRenderer().renderImage(p.page, QSize(800, 600));
    EXPECT_LT(p.page.object(p.note).drawnBounds.top(), p.page.object(p.axis).drawnBounds.bottom());
}

// A text with a width of its own is cut to it at any target width; the cut is redone
// when the target's width alone changes.
TEST(ChartRenderTest, ATextLongerThanItsWidthIsCutToIt)
{
    ChartPage page;
    ChartTextStyle style;
    style.pointSize = 9;
    style.maxWidth = 0.1;
    const ChartHandle name = page.addText(QPointF(0.2, 0.5), QStringLiteral("WFIC-101-TEMPA"), style);
    ChartRenderer renderer;
    renderer.setMinimumTextPixels(9.0);
    for (const int width : {1024, 400, 200}) {
        renderer.renderImage(page, QSize(width, 300));
        EXPECT_LE(page.object(name).drawnBounds.width(), 0.1 + 1e-9) << width;
        EXPECT_GT(page.object(name).drawnBounds.width(), 0.05) << width;
    }
}

// Colours that stand out on their ground are kept; one nearly invisible on it (grey on
// the light grey page, white on white) takes a deeper shade of the same hue, darker on a
// light ground and lighter on a dark one.
TEST(ChartPaletteTest, AColourNearlyInvisibleOnItsGroundTakesADeeperShadeOfItsHue)
{
    const QRgb page = paletteRgb(kPaletteLightGrey);
    for (int colour = 0; colour < kPaletteSize; ++colour) {
        if (colourDifference(paletteRgb(colour), page) >= kLegibleDifference) {
            EXPECT_EQ(legibleShade(paletteRgb(colour), page), paletteRgb(colour)) << colour;
        }
    }
    const QRgb grey = legibleShade(paletteRgb(8), page);
    EXPECT_LT(qRed(grey), qRed(paletteRgb(8)));
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey));
    EXPECT_GE(colourDifference(grey, page), kLegibleDifference);
    EXPECT_GT(qRed(grey), 0x30) << "still a grey, not black";

    const QRgb onBlack = legibleShade(qRgb(0, 0, 40), paletteRgb(kPaletteBlack));  // a very dark blue
    EXPECT_GT(qRed(onBlack), 0);
    EXPECT_GT(qBlue(onBlack), qRed(onBlack));
    EXPECT_GE(colourDifference(onBlack, paletteRgb(kPaletteBlack)), kLegibleDifference);
    EXPECT_LT(qRed(legibleShade(paletteRgb(kPaletteWhite), paletteRgb(kPaletteWhite))), 0xFF);
}

}  // namespace tk70
