// C-locale formatting of numbers and dates: see c_locale_text.h.
//
// The C library's printf and strftime follow the process locale (LC_NUMERIC, LC_TIME),
// which a Qt program takes from the environment.  Switching the calling thread to the C
// locale around each call keeps every other thread, and the rest of the program, on the
// user's locale.
#include "collect/datafile/c_locale_text.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <locale.h>

namespace tk70 {
namespace {

// Puts the calling thread on the C locale for the life of the object.  The C locale is
// built into the C library, so creating it does not fail in practice; should it, the
// thread simply keeps its locale (uselocale of a null handle changes nothing).
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope &) = delete;
    CLocaleScope &operator=(const CLocaleScope &) = delete;

private:
    static locale_t cLocale()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return c;
    }

    locale_t m_previous;
};

}  // namespace

QByteArray cFormat(const char *format, ...)
{
    const CLocaleScope scope;
    char small[64];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    QByteArray out;
    if (length >= 0 && length < int(sizeof small)) {
        out = QByteArray(small, length);
    } else if (length > 0) {
        out.resize(length);  // QByteArray keeps room for the terminating zero
        std::vsnprintf(out.data(), size_t(length) + 1, format, again);
    }
    va_end(again);
    return out;
}

QByteArray posixTimeText(const char *format, const QDateTime &when)
{
    const QDate day = when.date();
    const QTime time = when.time();
    std::tm fields{};
    fields.tm_year = day.year() - 1900;
    fields.tm_mon = day.month() - 1;
    fields.tm_mday = day.day();
    fields.tm_wday = day.dayOfWeek() % 7;
    fields.tm_yday = day.dayOfYear() - 1;
    fields.tm_hour = time.hour();
    fields.tm_min = time.minute();
    fields.tm_sec = time.second();
    fields.tm_isdst = -1;

    const CLocaleScope scope;
    char text[64];
    const size_t length = std::strftime(text, sizeof text, format, &fields);
    return QByteArray(text, qsizetype(length));
}

}  // namespace tk70
