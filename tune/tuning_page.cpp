// Paging rules and spec entries: see tuning_page.h.
#include "tuning_page.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace tk70 {

int nextPageOffset(int offset, int count)
{
    const int last = count >= kSpecsPerPage + 1 ? count - kSpecsPerPage : 0;
    return std::min(offset + kSpecsPerPage, last);
}

int previousPageOffset(int offset) { return std::max(offset - kSpecsPerPage, 0); }

int fieldsInUse(int count) { return std::clamp(count, 0, kSpecsPerPage); }

// The C library's rule for a decimal number, read in the C locale whatever the user's.
double parseSpecEntry(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? QLocale::c().toDouble(match.capturedView(1)) : 0.0;
}

QString specText(double value) { return QString::asprintf("%f", value); }

}  // namespace tk70
