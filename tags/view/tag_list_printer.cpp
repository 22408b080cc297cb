// Paints the tag list of a document on a printer: see tag_list_printer.h.
#include "tags/view/tag_list_printer.h"

#include "tags/tag_doc.h"
#include "tags/tag_list_print.h"

#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace tk70 {

TagListPrinter::TagListPrinter(const CTagDoc &document, const QString &title) : m_document(document), m_title(title) {}

void TagListPrinter::print(QPrinter *printer) const
{
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    painter.setFont(PrintedListPage::printFont());
    const PrintedListPage::Metrics metrics = PrintedListPage::measure(printer, painter.font(), TagListPrint::ruler());
    const int linesPerPage = TagListPrint::linesPerPage(printer->height(), metrics.lineHeight);
    const auto [first, last] =
        PrintedListPage::pageRange(printer, TagListPrint::pageCount(m_document.tagCount(), linesPerPage));
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer->newPage();
        paintPage(painter, metrics, linesPerPage, page);
    }
}

void TagListPrinter::paintPage(QPainter &painter, const PrintedListPage::Metrics &metrics, int linesPerPage,
                               int page) const
{
    auto lineAt = [&](double line, const QString &text) {
        int top = static_cast<int>(std::lround(line * metrics.lineHeight));
        painter.drawText(metrics.left, top + metrics.ascent, text);
    };
    lineAt(TagListPrint::kHeaderLine, TagListPrint::headerLine(m_document.pathName(), m_title, page));
    lineAt(TagListPrint::kColumnHeaderLine, TagListPrint::columnHeaderLine());
    int ruleY = static_cast<int>(std::lround(TagListPrint::kRuleLine * metrics.lineHeight));
    painter.drawLine(metrics.left, ruleY, metrics.left + metrics.lineWidth, ruleY);

    int first = TagListPrint::firstTagOfPage(page, linesPerPage);
    int end = TagListPrint::endTagOfPage(page, linesPerPage, m_document.tagCount());
    for (int slot = first; slot < end; ++slot)
        lineAt(slot - first + TagListPrint::kFirstTagLine, TagListPrint::tagLine(slot, m_document.tag(slot)));
}

}  // namespace tk70
