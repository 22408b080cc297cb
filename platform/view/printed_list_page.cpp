// The page of a printed list in a fixed font: see printed_list_page.h.
#include "platform/view/printed_list_page.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPrinter>
#include <algorithm>

namespace tk70::PrintedListPage {

QFont printFont()
{
    const QString family = QStringLiteral("Courier New");
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    font.setWeight(QFont::Normal);
    return font;
}

Metrics measure(const QPrinter *printer, const QFont &font, const QString &ruler)
{
    QFontMetrics metrics(font, printer);
    Metrics out{};
    out.lineHeight = std::max(metrics.lineSpacing(), 1);
    out.ascent = metrics.ascent();
    out.lineWidth = metrics.horizontalAdvance(ruler);
    out.left = (printer->width() - out.lineWidth) / 2;
    return out;
}

std::pair<int, int> pageRange(const QPrinter *printer, int pages)
{
    const int first = printer->fromPage() > 0 ? printer->fromPage() : 1;
    const int last = printer->toPage() > 0 ? std::min(printer->toPage(), pages) : pages;
    return {first, last};
}

}  // namespace tk70::PrintedListPage
