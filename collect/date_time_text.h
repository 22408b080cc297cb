// Dates and times as the user types them into the collection settings: parsed in the
// user's locale (QLocale()), rewritten into one normal form that parses again, and
// combined into the instants that open and close a group's collection window.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <optional>

namespace tk70 {

// A date typed in the locale's short, four-digit-year or long form, or as yyyy-MM-dd.
// In the POSIX locale month/day/year with slashes is read as well.  Two-digit years
// 30 to 99 are 1930 to 1999, 00 to 29 are 2000 to 2029.  Nothing when it is no date.
std::optional<QDate> parseLocaleDate(const QString &text, const QLocale &locale = QLocale());
// A time of day, 24-hour or with AM/PM, with or without seconds; nothing when it is none.
std::optional<QTime> parseLocaleTime(const QString &text, const QLocale &locale = QLocale());

// The normal forms the dialog writes back: the locale's short date with a four-digit
// year (MM/dd/yyyy in the POSIX locale), and "%H:%M".
QString normalDateText(const QDate &date, const QLocale &locale = QLocale());
QString normalTimeText(const QTime &time);

// The bounds of a window without dates: 1970-01-01 00:00:00 and 9998-12-31 23:59:59.
QDateTime openWindowStart();
QDateTime openWindowEnd();

// The instant a group's window opens: date and time texts in local time, midnight for
// an empty time; 1970-01-01 00:00:00 when the date is empty.  Nothing when a text does
// not parse.  A time the local clock repeats is its first pass; one the clock skips is
// moved on by the skip.
std::optional<QDateTime> windowStartInstant(const QString &date, const QString &time,
                                            const QLocale &locale = QLocale());
// The instant it closes: as above, 9998-12-31 23:59:59 when the date is empty.
std::optional<QDateTime> windowEndInstant(const QString &date, const QString &time, const QLocale &locale = QLocale());

}  // namespace tk70
