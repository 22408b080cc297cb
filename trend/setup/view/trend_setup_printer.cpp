// Paints the trend setup on a printer: see trend_setup_printer.h.
#include "trend/setup/view/trend_setup_printer.h"

#include "tags/tag_doc.h"
#include "tags/tag_list_print.h"
#include "trend/setup/trend_setup_print.h"

#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <vector>

namespace tk70 {

TrendSetupPrinter::TrendSetupPrinter(const CTagDoc &document, const QString &title, bool historical)
    : m_document(document), m_title(title), m_historical(historical)
{
}

void TrendSetupPrinter::print(QPrinter *printer) const
{
    const std::vector<int> graphs = TrendSetupPrint::printedGraphs(m_document.selection().graphs);
    const int pages = static_cast<int>(graphs.size());
    if (pages == 0)
        return;
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    painter.setFont(PrintedListPage::printFont());
    const PrintedListPage::Metrics metrics = PrintedListPage::measure(printer, painter.font(), TagListPrint::ruler());
    const auto [first, last] = PrintedListPage::pageRange(printer, pages);
    for (int number = first; number <= last; ++number) {
        if (number > first)
            printer->newPage();
        const int index = graphs[number - 1];
        paintPage(painter, metrics,
                  TrendSetupPrint::page(m_document.graph(index), index, number, m_document.pathName(), m_title,
                                        m_historical));
    }
}

void TrendSetupPrinter::paintPage(QPainter &painter, const PrintedListPage::Metrics &metrics,
                                  const TrendSetupPrint::Page &page)
{
    auto yOf = [&](double line) { return static_cast<int>(std::lround(line * metrics.lineHeight)); };
    for (const TrendSetupPrint::TextLine &text : page.texts)
        painter.drawText(metrics.left, yOf(text.line) + metrics.ascent, text.text);
    for (double line : page.rules)
        painter.drawLine(metrics.left, yOf(line), metrics.left + metrics.lineWidth, yOf(line));
}

}  // namespace tk70
