// Paging rules and spec entries: see tuning_page.h.
#include "tune/tuning_page.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

namespace tk70 {

int nextPageOffset(int offset, int count)
{
    const int last = count >= kSpecsPerPage + 1 ? count - kSpecsPerPage : 0;
    return std::min(offset + kSpecsPerPage, last);
}

int previousPageOffset(int offset) { return std::max(offset - kSpecsPerPage, 0); }

int fieldsInUse(int count) { return std::clamp(count, 0, kSpecsPerPage); }

std::optional<double> parseSpecEntry(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(match.capturedView(1), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString specText(double value) { return QString::asprintf("%f", value); }

int specValueBytes(int format)
{
    static constexpr std::array<int, 6> kBytes{0, 2, 3, 1, 1, 2};
    return format >= 1 && format < int(kBytes.size()) ? kBytes[std::size_t(format)] : 0;
}

}  // namespace tk70
