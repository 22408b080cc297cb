// Data file names (defaults, extension switching, the rollover suffix and instant) and
// the dates and times of the collection window as users type them, also where the local
// clock skips or repeats an hour.
#include "collect/date_time_text.h"
#include "collect/file_name_rules.h"
#include "tests/collect/berlin_time.h"

#include <gtest/gtest.h>

using namespace tk70;

TEST(DataFileNames, DefaultNamesFollowTheGroupAndType)
{
    EXPECT_EQ(defaultDataFileName(1, "ASCII"), "TK70CG1.txt");
    EXPECT_EQ(defaultDataFileName(2, "CSV"), "TK70CG2.csv");
    EXPECT_EQ(defaultDataFileName(3, "TK70 (DOS)"), "TK70CG3.DAT");
    EXPECT_EQ(defaultDataFileName(4, "MS Access (*.mdb)"), "TK70CG4.db");
    EXPECT_EQ(defaultDataFileName(2, "SQLite Database (*.db)"), "TK70CG2.db");
}

TEST(DataFileNames, ATypeChangeReplacesOnlyTheFilePartsExtension)
{
    EXPECT_EQ(switchDataFileExtension("C:\\DATA\\LOG.txt", "CSV"), "C:\\DATA\\LOG.csv");
    EXPECT_EQ(switchDataFileExtension("C:\\DATA\\RUN.1\\LOG", "CSV"), "C:\\DATA\\RUN.1\\LOG");
    EXPECT_EQ(switchDataFileExtension("/data/run.1/log", "ASCII"), "/data/run.1/log");
    EXPECT_EQ(switchDataFileExtension("/data/plant.v2.csv", "TK70 (DOS)"), "/data/plant.v2.DAT");
    EXPECT_EQ(switchDataFileExtension("LOG", "CSV"), "LOG");
}

TEST(DataFileNames, TheRolloverSuffixGoesBeforeTheExtensionOrAtTheEnd)
{
    const QDateTime when(QDate(1996, 12, 6), QTime(14, 59, 59));
    EXPECT_EQ(rolloverSuffix(when), "-96120614");
    EXPECT_EQ(rolloverSuffix(QDateTime(QDate(2007, 1, 2), QTime(3, 0))), "-07010203");
    EXPECT_EQ(insertRolloverSuffix("C:\\LOG\\TK70CG1.txt", "-96120614"), "C:\\LOG\\TK70CG1-96120614.txt");
    EXPECT_EQ(insertRolloverSuffix("/var/log.d/plant", "-96120614"), "/var/log.d/plant-96120614");
    EXPECT_EQ(insertRolloverSuffix("TK70CG1.txt", "-96120614"), "TK70CG1-96120614.txt");
}

TEST(DataFileNames, TheNextRolloverIsOnTheHour)
{
    const QDate day(2026, 12, 7);
    EXPECT_EQ(nextRolloverInstant(QDateTime(day, QTime(13, 27, 41)), 4), QDateTime(day, QTime(17, 0)));
    EXPECT_EQ(nextRolloverInstant(QDateTime(day, QTime(22, 10)), 4), QDateTime(day.addDays(1), QTime(2, 0)));
    EXPECT_EQ(nextRolloverInstant(QDateTime(day, QTime(0, 0)), 36), QDateTime(day.addDays(1), QTime(12, 0)));
}

namespace {
const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
}  // namespace

// Every ten minutes across both clock changes of 2026, the next rollover lies after now,
// no later than the period, on a local hour; the repeated hour's 02:00 comes once for each
// pass.  A window's 02:30 is the first pass in the repeated hour and 03:30 summer time in
// the skipped one.
TEST(RolloverAndWindowInstants, ComeOnceWhereTheLocalClockSkipsOrRepeats)
{
    using tk70test::BerlinTime;
    const BerlinTime berlin;
    const QDate spring(2026, 3, 29), autumn(2026, 10, 25);
    for (const QDate day : {spring, autumn}) {
        for (int step = 0; step <= 30; ++step) {
            const QDateTime now = BerlinTime::local(day.addDays(-1), QTime(22, 0)).addSecs(step * 600);
            for (int hours : {1, 4, 24}) {
                const QDateTime next = nextRolloverInstant(now, hours);
                EXPECT_GT(next, now) << qPrintable(now.toString(Qt::ISODateWithMs)) << " + " << hours;
                EXPECT_LE(next, now.addSecs(hours * 3600));
                EXPECT_EQ(next.toLocalTime().time().minute(), 0);
            }
        }
    }
    EXPECT_EQ(nextRolloverInstant(BerlinTime::local(autumn, QTime(0, 10)), 1), BerlinTime::utc(autumn, QTime(1, 0)));
    EXPECT_EQ(nextRolloverInstant(BerlinTime::local(autumn, QTime(1, 10)), 1), BerlinTime::utc(autumn, QTime(2, 0)));
    EXPECT_EQ(rolloverSuffix(BerlinTime::local(autumn, QTime(1, 0))), "-26102502");
    EXPECT_EQ(windowStartInstant("10/25/2026", "02:30", kUs), BerlinTime::utc(autumn, QTime(0, 30)));
    EXPECT_EQ(windowEndInstant("3/29/2026", "02:30", kUs), BerlinTime::utc(spring, QTime(1, 30)));
    EXPECT_EQ(windowEndInstant("3/29/2026", "03:00", kUs), BerlinTime::utc(spring, QTime(1, 0)));
}

TEST(CollectionDates, DatesAreReadInTheUsersLocale)
{
    EXPECT_EQ(parseLocaleDate("12/6/96", kUs), QDate(1996, 12, 6));
    EXPECT_EQ(parseLocaleDate("3/5/26", kUs), QDate(2026, 3, 5));
    EXPECT_EQ(parseLocaleDate("03/05/2031", kUs), QDate(2031, 3, 5));
    EXPECT_EQ(parseLocaleDate("06.12.96", kGerman), QDate(1996, 12, 6));
    EXPECT_EQ(parseLocaleDate("2026-12-07", kGerman), QDate(2026, 12, 7));
    EXPECT_EQ(parseLocaleDate("12/06/96", QLocale::c()), QDate(1996, 12, 6));
    EXPECT_FALSE(parseLocaleDate("31/31/96", kUs));
    EXPECT_FALSE(parseLocaleDate("2/30/2026", kUs));
    EXPECT_FALSE(parseLocaleDate("tomorrow", kUs));
    EXPECT_FALSE(parseLocaleDate("", kUs));
}

TEST(CollectionDates, TimesAreReadWithOrWithoutSecondsAndAmPm)
{
    EXPECT_EQ(parseLocaleTime("14:30:45", kUs), QTime(14, 30, 45));
    EXPECT_EQ(parseLocaleTime("2:30 PM", kUs), QTime(14, 30));
    EXPECT_EQ(parseLocaleTime("7:05", kGerman), QTime(7, 5));
    EXPECT_FALSE(parseLocaleTime("25:00", kUs));
    EXPECT_FALSE(parseLocaleTime("noon", kUs));
    EXPECT_EQ(normalTimeText(QTime(14, 30, 45)), "14:30");
}

TEST(CollectionDates, TheNormalFormParsesBackInEveryLocale)
{
    const QDate day(2029, 1, 31);
    for (const QLocale &locale : {kUs, kGerman, QLocale::c(), QLocale(QLocale::English, QLocale::UnitedKingdom),
                                  QLocale(QLocale::Japanese, QLocale::Japan)}) {
        const QString text = normalDateText(day, locale);
        EXPECT_EQ(parseLocaleDate(text, locale), day) << qPrintable(locale.name()) << " " << qPrintable(text);
    }
}

TEST(CollectionDates, AnEmptyDateLeavesTheWindowOpenEvenWithATime)
{
    EXPECT_EQ(windowStartInstant("", "08:00", kUs), QDateTime(QDate(1970, 1, 1), QTime(0, 0)));
    EXPECT_EQ(windowEndInstant("", "", kUs), QDateTime(QDate(9998, 12, 31), QTime(23, 59, 59)));
    EXPECT_EQ(windowStartInstant("12/6/96", "", kUs), QDateTime(QDate(1996, 12, 6), QTime(0, 0)));
    EXPECT_EQ(windowEndInstant("12/6/96", "14:30", kUs), QDateTime(QDate(1996, 12, 6), QTime(14, 30)));
    EXPECT_FALSE(windowEndInstant("12/6/96", "later", kUs));
}
