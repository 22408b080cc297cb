// UtcStamp: see utc_stamp.h.
#include "collect/historian/utc_stamp.h"

namespace tk70 {

namespace {

constexpr qint64 kDayMs = 86400000;
constexpr qint64 kQuarterMs = 900000;

// The local clock's reading as milliseconds on one count, taken from the stamp's own
// fields without the zone rules.
qint64 localMsOf(const QDateTime &stamp)
{
    return stamp.date().toJulianDay() * kDayMs + stamp.time().msecsSinceStartOfDay();
}

qint64 floorDiv(qint64 a, qint64 b) { return a / b - (a % b < 0 ? 1 : 0); }

}  // namespace

qint64 UtcStamp::msecsOf(const QDateTime &stamp)
{
    if (stamp.timeSpec() != Qt::LocalTime || !stamp.isValid())
        return stamp.toMSecsSinceEpoch();  // no zone rules involved
    const qint64 local = localMsOf(stamp);
    const qint64 quarter = floorDiv(local, kQuarterMs);
    const bool summer = stamp.isDaylightTime();
    if (!m_known || quarter != m_quarter || local < m_lastLocalMs || summer != m_summer) {
        m_offsetMs = local - stamp.toMSecsSinceEpoch();
        m_quarter = quarter;
        m_summer = summer;
        m_known = true;
    }
    m_lastLocalMs = local;
    return local - m_offsetMs;
}

}  // namespace tk70
