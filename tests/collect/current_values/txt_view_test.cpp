// CTxtView offscreen: it shows a table of readings, its timer refreshes it, a historical
// document builds nothing, and the page prints with white cells and the state colours
// back afterwards, and the value fields never cover the tag names in small windows.
// Writes the review pictures current-values.png, current-values-print.png and
// current-values-<width>x<height>.png.
#include "chart/chart_palette.h"
#include "collect/current_values/page_geometry.h"
#include "collect/current_values/view/txt_view.h"
#include "tests/collect/current_values/current_values_fixture.h"
#include "tests/support/modal_helper.h"
#include "tests/support/screenshot.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

// The colour of the page image in the middle of a cell's value field, near its left end
// (clear of the value text).
QRgb fieldPixel(const QImage &image, int cell)
{
    const QRectF field = cellGeometry(cell).value;
    return image.pixel(int((field.left() + 0.006) * image.width()), int(field.center().y() * image.height()));
}

// Thirty tags and their sample readings.
class TxtView : public ::testing::Test {
protected:
    TxtView()
    {
        tk70test::fillDocument(m_document, 30);
        m_readings.rows = tk70test::sampleRows(30);
    }

    CTagDoc m_document;
    tk70test::TableReadings m_readings;
};

}  // namespace

TEST_F(TxtView, ShowsTheReadingsAndRefreshesOnItsTimer)
{
    CTxtView view(m_document, m_readings);
    EXPECT_EQ(view.windowTitle(), "Data Collection Output");
    EXPECT_TRUE(view.isRefreshing());
    EXPECT_EQ(view.cellValueText(1), "10.25");
    EXPECT_EQ(view.cellColour(4), 14);

    m_readings.rows[1] = {0, 77.5, true};
    EXPECT_TRUE(tk70test::waitFor([&] { return view.cellValueText(1) == "77.5"; }, 3000));
    EXPECT_EQ(view.cellColour(1), 13);
    for (int n = 0; n < 90; ++n) {
        m_readings.rows[0].value = 50.0 + 20.0 * std::sin(n / 8.0) + n / 3.0;
        view.refresh();
    }
    view.resize(1024, 768);
    tk70test::shoot(view, "current-values");

    CTxtView historical(m_document, m_readings, true);
    EXPECT_FALSE(historical.isRefreshing());
    EXPECT_EQ(historical.page().objectCount(), 0);
}

TEST_F(TxtView, PrintsWithWhiteCellsAndRestoresTheStateColours)
{
    CTxtView view(m_document, m_readings);

    QImage printed(1123, 794, QImage::Format_RGB32);  // A4 landscape at 96 dpi
    view.printOn(printed);
    for (const int cell : {0, 4, 5, 6})
        EXPECT_EQ(fieldPixel(printed, cell), paletteRgb(15)) << cell;
    EXPECT_EQ(view.cellColour(4), 14);
    EXPECT_EQ(view.cellColour(0), 7);

    const QImage shown = view.grab().toImage();
    EXPECT_EQ(fieldPixel(shown, 4), paletteRgb(14));
    const QString folder = QStringLiteral(TK70_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(printed.save(folder + QStringLiteral("/current-values-print.png")));
}

// With tagnames of the full 14 characters and wide values the value fields never cover
// the names and no value leaves its field, at 800x600 and in windows tiled small or
// narrow; review pictures of each size.
TEST_F(TxtView, ValueFieldsNeverCoverTheTagNames)
{
    for (int i = 0; i < 30; ++i) {
        TagRecord tag = m_document.tag(i);
        tag.tagname = QStringLiteral("WFIC-%1-TEMPA").arg(101 + i);
        m_document.setTag(i, tag);
        m_readings.rows[size_t(i)].value = -12345.678 * (i + 1);
    }
    CTxtView view(m_document, m_readings);
    view.refresh();
    const TextPage &page = *view.textPage();
    for (const QSize size : {QSize(1024, 768), QSize(800, 600), QSize(480, 360), QSize(400, 600), QSize(320, 240)}) {
        view.resize(size);
        const QByteArray name = QStringLiteral("current-values-%1x%2").arg(size.width()).arg(size.height()).toLatin1();
        tk70test::shoot(view, name.constData());
        for (int cell = 0; cell < 30; ++cell) {
            const QRectF field = cellGeometry(cell).value;
            const QRectF tagname = view.page().object(page.cellName(cell)).drawnBounds;
            const QRectF value = view.page().object(page.cellValue(cell)).drawnBounds;
            ASSERT_GT(tagname.width(), 0.0) << name.constData() << " cell " << cell;
            EXPECT_LE(tagname.right(), field.left()) << name.constData() << " cell " << cell;
            EXPECT_GE(value.left(), field.left()) << name.constData() << " cell " << cell;
            EXPECT_LE(value.right(), field.right()) << name.constData() << " cell " << cell;
        }
    }
}
