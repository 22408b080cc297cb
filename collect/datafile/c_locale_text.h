// Numbers and dates as the data files carry them: formatted in the C (POSIX) locale
// whatever locale the environment gives the process, so a ',' decimal separator or a
// national date order never reaches a file that is read back by its layout.
#pragma once

#include <QByteArray>
#include <QDateTime>

namespace tk70 {

// printf-style formatting in the C locale.  Returns the formatted bytes; empty when the
// format cannot be applied (an encoding error of the C library).
[[gnu::format(printf, 1, 2)]] QByteArray cFormat(const char *format, ...);

// strftime-style formatting of when's date and time fields (taken as they stand, local
// time) in the C locale: "%x" gives MM/DD/YY and "%X" HH:MM:SS.  Returns the formatted
// bytes; empty when they would exceed 63 bytes.
QByteArray posixTimeText(const char *format, const QDateTime &when);

}  // namespace tk70
