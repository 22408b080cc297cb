// The log's time stamp: English names whatever the locale, two-digit day, no year.
#include "driver/driver_log.h"

#include <clocale>
#include <gtest/gtest.h>

TEST(DriverLogStamp, IsWeekdayMonthDayTimeAndTwoBlanks)
{
    std::tm t{};
    t.tm_wday = 0;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_hour = 16;
    t.tm_min = 18;
    t.tm_sec = 54;
    t.tm_year = 96;
    char out[32];
    EXPECT_EQ(vantor::formatLogStamp(t, out), 21u);
    EXPECT_STREQ(out, "Sun Dec 06 16:18:54  ");
    t.tm_wday = 6;
    t.tm_mon = 0;
    t.tm_mday = 31;
    t.tm_hour = 0;
    vantor::formatLogStamp(t, out);
    EXPECT_STREQ(out, "Sat Jan 31 00:18:54  ");
}
