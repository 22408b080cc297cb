// Locale date and time parsing for the collection settings and collection windows.
#include "collect/date_time_text.h"

#include <QStringList>
#include <QTimeZone>
#include <algorithm>

namespace tk70 {
namespace {

constexpr qint64 kDayMs = 24 * 3600 * 1000;

// The locale's short date form with every two-digit year widened to four digits.
QString fourDigitYearFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

bool isPosix(const QLocale &locale) { return locale.language() == QLocale::C; }

QStringList dateFormats(const QLocale &locale)
{
    QStringList formats{fourDigitYearFormat(locale), locale.dateFormat(QLocale::ShortFormat),
                        locale.dateFormat(QLocale::LongFormat), QStringLiteral("yyyy-MM-dd")};
    if (isPosix(locale))
        formats << QStringLiteral("M/d/yyyy") << QStringLiteral("M/d/yy");
    return formats;
}

// A year read from two digits lands in 1900 + yy; the window moves 00-29 to 2000-2029.
QDate applyCenturyWindow(QDate date, const QString &format)
{
    if (!format.contains(QLatin1String("yyyy")) && date.year() < 1930)
        return date.addYears(100);
    return date;
}

}  // namespace

std::optional<QDate> parseLocaleDate(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (const QString &format : dateFormats(locale)) {
        const QDate date = locale.toDate(trimmed, format);
        if (date.isValid())
            return applyCenturyWindow(date, format);
    }
    return std::nullopt;
}

std::optional<QTime> parseLocaleTime(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QStringList formats{QStringLiteral("H:mm"),
                              QStringLiteral("H:mm:ss"),
                              locale.timeFormat(QLocale::ShortFormat),
                              locale.timeFormat(QLocale::LongFormat),
                              QStringLiteral("h:mm AP"),
                              QStringLiteral("h:mm:ss AP"),
                              QStringLiteral("h:mmAP")};
    for (const QString &format : formats) {
        const QTime time = locale.toTime(trimmed, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

QString normalDateText(const QDate &date, const QLocale &locale)
{
    if (isPosix(locale))
        return date.toString(QStringLiteral("MM/dd/yyyy"));
    return locale.toString(date, fourDigitYearFormat(locale));
}

QString normalTimeText(const QTime &time) { return time.toString(QStringLiteral("HH:mm")); }

namespace {

// The instant (in UTC) that a local date and time name.  In an hour the local clock
// repeats it is the first pass; in an hour it skips, the time moved on by the skip
// (02:30 becomes 03:30 summer time).  The offsets in force a day before and a day after
// bracket any change of the clock there.
QDateTime localInstant(const QDate &day, const QTime &time)
{
    const qint64 asIfUtc = QDateTime(day, time, QTimeZone::utc()).toMSecsSinceEpoch();
    const auto offsetAt = [](qint64 msecs) {
        return qint64(QDateTime::fromMSecsSinceEpoch(msecs).offsetFromUtc()) * 1000;
    };
    const qint64 before = offsetAt(asIfUtc - kDayMs);
    const qint64 after = offsetAt(asIfUtc + kDayMs);
    for (const qint64 offset : {std::max(before, after), std::min(before, after)}) {
        if (offsetAt(asIfUtc - offset) == offset)
            return QDateTime::fromMSecsSinceEpoch(asIfUtc - offset, QTimeZone::utc());
    }
    return QDateTime::fromMSecsSinceEpoch(asIfUtc - before, QTimeZone::utc());
}

std::optional<QDateTime> windowInstant(const QString &date, const QString &time, const QLocale &locale,
                                       const QDateTime &openBound)
{
    if (date.trimmed().isEmpty())
        return openBound;
    const auto day = parseLocaleDate(date, locale);
    if (!day)
        return std::nullopt;
    if (time.trimmed().isEmpty())
        return localInstant(*day, QTime(0, 0));
    const auto clock = parseLocaleTime(time, locale);
    if (!clock)
        return std::nullopt;
    return localInstant(*day, *clock);
}

}  // namespace

QDateTime openWindowStart() { return QDateTime(QDate(1970, 1, 1), QTime(0, 0)); }

QDateTime openWindowEnd() { return QDateTime(QDate(9998, 12, 31), QTime(23, 59, 59)); }

std::optional<QDateTime> windowStartInstant(const QString &date, const QString &time, const QLocale &locale)
{
    return windowInstant(date, time, locale, openWindowStart());
}

std::optional<QDateTime> windowEndInstant(const QString &date, const QString &time, const QLocale &locale)
{
    return windowInstant(date, time, locale, openWindowEnd());
}

}  // namespace tk70
