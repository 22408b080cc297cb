// The rules of the current values page: the state colours, when and how the selected
// tag's trend is rescaled, its label decimals, and paging.
#include "collect/current_values/cell_colour.h"
#include "collect/current_values/page_texts.h"
#include "collect/current_values/paging.h"
#include "collect/current_values/trend_scale.h"

#include <gtest/gtest.h>

using namespace tk70;

TEST(CurrentValuesColour, FollowsTheStatusAndQualityUnlessPrinting)
{
    struct Row {
        PointReading reading;
        int colour;
    };
    const Row rows[] = {
        {{-3, 1.0, false}, 11}, {{-1, 1.0, true}, 11}, {{12, 1.0, false}, 14},
        {{1, 1.0, true}, 14},   {{0, 1.0, true}, 13},  {{0, 1.0, false}, 7},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(stateColour(row.reading), row.colour) << row.reading.errorCode;
        EXPECT_EQ(stateColour(row.reading, true), 15) << row.reading.errorCode;
    }
}

// Counts refreshes of value until the scale asks for a rescale; 0 when it does not
// within limit refreshes.
static int refreshesUntilRescale(TrendScale &scale, double value, int limit = 100)
{
    for (int n = 1; n <= limit; ++n) {
        if (scale.countRefresh(value))
            return n;
    }
    return 0;
}

TEST(CurrentValuesTrend, RescalesEvery30RefreshesOrSoonAfterAJumpOutOfRange)
{
    TrendScale scale;
    scale.select(20.0);
    EXPECT_EQ(scale.range(), (ValueRange{-30.0, 70.0}));
    EXPECT_EQ(scale.tick(), 25.0);
    EXPECT_EQ(refreshesUntilRescale(scale, 20.0), 30);
    EXPECT_EQ(refreshesUntilRescale(scale, 20.0), 30);

    // A jump right after the selection waits for the sixth refresh; one after a rescale too.
    scale.select(20.0);
    EXPECT_EQ(refreshesUntilRescale(scale, 500.0), 6);
    EXPECT_EQ(refreshesUntilRescale(scale, 500.0), 6);
    // A jump late in the period rescales at once.
    EXPECT_EQ(refreshesUntilRescale(scale, 20.0, 10), 0);
    EXPECT_EQ(refreshesUntilRescale(scale, 500.0), 1);

    // Clicking the selected cell rescales from the fifth refresh on.
    scale.select(20.0);
    EXPECT_EQ(refreshesUntilRescale(scale, 20.0, 4), 0);
    EXPECT_FALSE(scale.clickSelected());
    EXPECT_EQ(refreshesUntilRescale(scale, 20.0, 1), 0);
    EXPECT_TRUE(scale.clickSelected());
    EXPECT_FALSE(scale.clickSelected());
}

TEST(CurrentValuesTrend, RescaleTakesThePlottedExtremes)
{
    struct Row {
        double low, high, value;
        ValueRange current;
        std::optional<ValueRange> result;
    };
    const Row rows[] = {
        {3.0, 9.0, 5.0, {0, 100}, ValueRange{3.0, 9.0}},
        {5.0, 5.0, 5.0, {0, 100}, std::nullopt},                    // flat inside: unchanged
        {500.0, 500.0, 500.0, {0, 100}, ValueRange{450.0, 550.0}},  // flat outside: centred
        {1e300, -1e300, 7.0, {0, 100}, ValueRange{-43.0, 7.0}},     // nothing plotted
    };
    for (const Row &row : rows)
        EXPECT_EQ(rescaledRange(row.low, row.high, row.value, row.current), row.result) << row.low;

    TrendScale scale;
    scale.select(0.0);
    scale.rescale(2.0, 10.0, 4.0);
    EXPECT_EQ(scale.range(), (ValueRange{2.0, 10.0}));
    EXPECT_EQ(scale.tick(), 2.0);
    EXPECT_EQ(scale.decimals(), 2);
}

TEST(CurrentValuesTrend, LabelDecimalsChangeAt40And10And1)
{
    const std::pair<double, int> rows[] = {{1000, 0}, {40, 0}, {39.99, 1}, {10, 1},
                                           {9.99, 2}, {1, 2},  {0.99, 3},  {0.001, 3}};
    for (const auto &[span, decimals] : rows)
        EXPECT_EQ(labelDecimals(span), decimals) << span;
}

TEST(CurrentValuesTrend, TheTimeAxisMovesOnEvery120Refreshes)
{
    TrendScale scale;
    scale.select(0.0);
    int beats = 0;
    for (int n = 1; n <= 360; ++n) {
        if (scale.countTimeShift()) {
            ++beats;
            EXPECT_EQ(n % 120, 0) << n;
        }
    }
    EXPECT_EQ(beats, 3);
}

TEST(CurrentValuesPaging, SixtyFourTagsAPageWithButtonsOnlyWhenThereAreMore)
{
    struct Row {
        int tags, page, pages, inUse;
        bool prev, next;
        const char *text;
    };
    const Row rows[] = {
        {0, 0, 1, 0, false, false, "Page 1 of 1"},   {30, 0, 1, 30, false, false, "Page 1 of 1"},
        {64, 0, 1, 64, false, false, "Page 1 of 1"}, {65, 0, 2, 64, false, true, "Page 1 of 2"},
        {65, 1, 2, 1, true, false, "Page 2 of 2"},   {200, 1, 4, 64, true, true, "Page 2 of 4"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(pageCount(row.tags), row.pages) << row.tags;
        EXPECT_EQ(cellsInUse(row.page, row.tags), row.inUse) << row.tags;
        EXPECT_EQ(prevPageShown(row.page, row.tags), row.prev) << row.tags;
        EXPECT_EQ(nextPageShown(row.page, row.tags), row.next) << row.tags;
        EXPECT_EQ(pageText(row.page, row.pages), row.text);
    }
    EXPECT_EQ(dateText(QDate(2007, 3, 9)), "03/09/07");
}
