// The cached UTC instant of a local stamp against Qt's own conversion, through the
// changes of offset a zone makes in a year: every stamp of a collection stepping over
// them must land on the same instant.
#include "collect/historian/utc_stamp.h"
#include "tests/collect/berlin_time.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace tk70;

namespace {

// The first instant (UTC) whose local stamp the cache converts differently from Qt, or
// an invalid one, stepping by stepSeconds from the UTC instant first for a span of
// hours.
QDateTime firstDifference(const QDateTime &first, int hours, int stepSeconds)
{
    UtcStamp cache;
    for (qint64 s = 0; s <= qint64(hours) * 3600; s += stepSeconds) {
        const QDateTime local = first.addSecs(s).toLocalTime();
        if (cache.msecsOf(local) != local.toMSecsSinceEpoch())
            return first.addSecs(s);
    }
    return {};
}

QDateTime utcAt(int year, int month, int day, int hour)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0), QTimeZone::utc());
}

}  // namespace

TEST(UtcStampTest, FollowsSummerTimeInAndOutSecondBySecond)
{
    const tk70test::BerlinTime berlin;
    // The clock goes 02:00 -> 03:00 on 28 March 2027 and 03:00 -> 02:00 on 31 October.
    EXPECT_FALSE(firstDifference(utcAt(2027, 3, 27, 20), 12, 1).isValid());
    EXPECT_FALSE(firstDifference(utcAt(2027, 10, 30, 20), 12, 1).isValid());
    // A collection at 7 s, whose ticks fall on no quarter hour, and one at an hour.
    EXPECT_FALSE(firstDifference(utcAt(2027, 10, 30, 20), 12, 7).isValid());
    EXPECT_FALSE(firstDifference(utcAt(2027, 1, 1, 0), 24 * 365, 3600).isValid());
}

TEST(UtcStampTest, FollowsAZoneWhoseClockMovesHalfAnHour)
{
    // Lord Howe Island: 02:00 -> 02:30 in October, 02:00 -> 01:30 in April.
    const tk70test::LocalZone lordHowe("Australia/Lord_Howe");
    EXPECT_FALSE(firstDifference(utcAt(2027, 4, 3, 8), 12, 1).isValid());
    EXPECT_FALSE(firstDifference(utcAt(2027, 10, 2, 8), 12, 1).isValid());
}

TEST(UtcStampTest, StampsThatGoBackOrCarryNoZoneAreExact)
{
    const tk70test::BerlinTime berlin;
    UtcStamp cache;
    // A clock set back and forth inside one quarter hour of the repeated hour, whose two
    // 02:05 are an hour apart.
    const QDateTime summer = utcAt(2027, 10, 31, 0).addSecs(5 * 60).toLocalTime();   // 02:05 summer
    const QDateTime winter = utcAt(2027, 10, 31, 1).addSecs(10 * 60).toLocalTime();  // 02:10 winter
    const QDateTime winterEarlier = winter.addSecs(-5 * 60);                         // 02:05 winter
    for (const QDateTime &stamp : {summer, winter, winterEarlier, summer})
        EXPECT_EQ(cache.msecsOf(stamp), stamp.toMSecsSinceEpoch()) << qPrintable(stamp.toString(Qt::ISODate));
    const QDateTime utc = utcAt(2027, 6, 1, 12);
    EXPECT_EQ(cache.msecsOf(utc), utc.toMSecsSinceEpoch());
    const QDateTime offset = QDateTime(QDate(2027, 6, 1), QTime(14, 0), Qt::OffsetFromUTC, 7200);
    EXPECT_EQ(cache.msecsOf(offset), utc.toMSecsSinceEpoch());
}
