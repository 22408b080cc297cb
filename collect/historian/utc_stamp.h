// The UTC instant of a sample's stamp, without asking the C library for every sample.
// A local QDateTime converts to UTC through the system's zone rules, which costs a few
// microseconds a call; a collection tick cannot spend that once per group.  The offset
// from UTC is looked up again whenever the stamp's summer time flag differs, the local
// clock goes back, or a new quarter hour of the local clock begins: the zone rules
// change the offset on a quarter hour.  A zone the system is switched to while the
// program runs is followed within a quarter hour.
#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace tk70 {

class UtcStamp {
public:
    // Milliseconds since 1970-01-01 00:00 UTC of the stamp; equal to
    // stamp.toMSecsSinceEpoch().
    qint64 msecsOf(const QDateTime &stamp);

private:
    qint64 m_quarter = 0;  // the quarter hour of the local clock the offset was looked up in
    qint64 m_lastLocalMs = 0;
    qint64 m_offsetMs = 0;  // local minus UTC
    bool m_summer = false;
    bool m_known = false;
};

}  // namespace tk70
