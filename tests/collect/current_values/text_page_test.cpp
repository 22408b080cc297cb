// The current values text page on a chart page: what it shows for 30 tags, which cells a
// refresh recolours, selection by a cell's button, printing colours, and the selected
// tag's trend.
#include "collect/current_values/text_page.h"
#include "tests/collect/current_values/current_values_fixture.h"

#include <gtest/gtest.h>

using namespace tk70;
using tk70test::TableReadings;

namespace {

const QDateTime kNow(QDate(2026, 3, 9), QTime(13, 59, 30));

class TextPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tk70test::fillDocument(m_document, 30);
        m_readings.rows = tk70test::sampleRows(30);
        m_text = std::make_unique<TextPage>(m_chart, m_document, m_readings, kNow);
    }

    CTagDoc m_document;
    TableReadings m_readings;
    ChartPage m_chart;
    std::unique_ptr<TextPage> m_text;
};

}  // namespace

TEST_F(TextPageTest, ThirtyTagsFillOnePageWithTheirValuesAndStateColours)
{
    EXPECT_EQ(m_text->pageLine(), "Page 1 of 1");
    EXPECT_EQ(m_text->dateLine(), "03/09/26");
    EXPECT_FALSE(m_chart.isVisible(m_text->nextPageButton()));
    EXPECT_FALSE(m_chart.isVisible(m_text->prevPageButton()));
    for (int cell = 0; cell < kCellsPerPage; ++cell)
        EXPECT_EQ(m_text->isCellShown(cell), cell < 30) << cell;
    const std::pair<int, int> colours[] = {{0, 7}, {4, 14}, {5, 13}, {6, 11}, {29, 7}};
    for (const auto &[cell, colour] : colours)
        EXPECT_EQ(m_text->cellColour(cell), colour) << cell;
    EXPECT_EQ(m_text->cellValueText(2), "20.25");
    EXPECT_EQ(m_text->trend().title(), "FIC-101 - Feed flow 1");

    m_readings.rows[2].value = -1234567.891;
    m_readings.rows[3].value = 2.5e-9;
    m_text->refresh(kNow);
    EXPECT_EQ(m_text->cellValueText(2), "-1234568");
    EXPECT_EQ(m_text->cellValueText(3), "2.5e-09");
}

TEST_F(TextPageTest, ARefreshRecoloursOnlyTheCellsWhoseStateChanged)
{
    const auto revisions = [this] {
        std::vector<unsigned> out;
        for (int cell = 0; cell < kCellsPerPage; ++cell)
            out.push_back(m_chart.object(m_text->cellField(cell)).revision);
        return out;
    };
    const int readsBefore = m_readings.reads;
    const std::vector<unsigned> before = revisions();
    m_readings.rows[4].errorCode = 0;  // the point error clears
    m_readings.rows[9].badQuality = true;
    m_text->refresh(kNow);
    EXPECT_EQ(m_readings.reads - readsBefore, 30);
    const std::vector<unsigned> after = revisions();
    for (int cell = 0; cell < kCellsPerPage; ++cell)
        EXPECT_EQ(after[size_t(cell)] != before[size_t(cell)], cell == 4 || cell == 9) << cell;
    EXPECT_EQ(m_text->cellColour(4), 7);
    EXPECT_EQ(m_text->cellColour(9), 13);
}

TEST_F(TextPageTest, PrintingWhitensEveryCellAndRestoresTheStateColours)
{
    m_text->setPrinting(true);
    for (const int cell : {0, 4, 5, 6})
        EXPECT_EQ(m_text->cellColour(cell), 15) << cell;
    m_readings.rows[0].errorCode = 3;
    m_text->refresh(kNow);
    EXPECT_EQ(m_text->cellColour(0), 15);
    m_text->setPrinting(false);
    const std::pair<int, int> colours[] = {{0, 14}, {4, 14}, {5, 13}, {6, 11}, {7, 7}};
    for (const auto &[cell, colour] : colours)
        EXPECT_EQ(m_text->cellColour(cell), colour) << cell;
}

// Clicking a cell's button selects it and restarts the trend around its value; a jump
// far out of the range is rescaled on the sixth refresh after the selection; the time
// axis moves on every two minutes, keeping the newest two minutes and rewriting the date.
TEST_F(TextPageTest, TheSelectedTagsTrendFollowsItsValue)
{
    ASSERT_TRUE(m_chart.clickButton(m_text->cellButton(3)));
    EXPECT_EQ(m_text->selectedCell(), 3);
    EXPECT_EQ(m_text->trend().title(), "FIC-104 - Feed flow 4");
    EXPECT_EQ(m_text->trend().scale().range(), (ValueRange{-19.75, 80.25}));

    m_readings.rows[3].value = 5000.0;
    for (int n = 1; n <= 5; ++n)
        m_text->refresh(kNow);
    EXPECT_FALSE(m_text->trend().scale().range().contains(5000.0));
    m_text->refresh(kNow);
    EXPECT_EQ(m_text->trend().scale().range(), (ValueRange{5000.0 - 50.0, 5000.0 + 50.0}));

    const QDateTime later(QDate(2026, 3, 10), QTime(0, 3, 30));
    for (int n = 7; n <= 240; ++n)
        m_text->refresh(later);
    EXPECT_EQ(m_text->trend().data().rowCount(), kTrendShift);
    EXPECT_EQ(m_text->dateLine(), "03/10/26");
}
