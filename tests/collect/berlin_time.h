// The local clock of Europe/Berlin for the life of the object, whatever the machine's
// zone: summer time from the last Sunday of March, 02:00 -> 03:00, to the last Sunday of
// October, 03:00 -> 02:00.  Local QDateTime conversions follow the TZ variable at once.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <QtGlobal>
#include <ctime>
#include <ostream>

// Instants in test failures: the ISO form with the offset from UTC.
inline void PrintTo(const QDateTime &when, std::ostream *out)
{
    *out << qPrintable(when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate));
}

namespace tk70test {

// The local clock of the named zone for the life of the object.
class LocalZone {
public:
    explicit LocalZone(const char *zone) : m_hadZone(qEnvironmentVariableIsSet("TZ")), m_previousZone(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (m_hadZone)
            qputenv("TZ", m_previousZone);
        else
            qunsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone &) = delete;
    LocalZone &operator=(const LocalZone &) = delete;

private:
    bool m_hadZone;
    QByteArray m_previousZone;
};

class BerlinTime : public LocalZone {
public:
    BerlinTime() : LocalZone("Europe/Berlin") {}

    // The local time of a UTC instant.
    static QDateTime local(QDate day, QTime utcTime) { return utc(day, utcTime).toLocalTime(); }
    static QDateTime utc(QDate day, QTime utcTime) { return QDateTime(day, utcTime, QTimeZone::utc()); }
};

}  // namespace tk70test
