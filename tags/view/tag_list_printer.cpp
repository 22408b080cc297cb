// Paints the tag list of a document on a printer: see tag_list_printer.h.
#include "tag_list_printer.h"

#include "tag_doc.h"
#include "tag_list_print.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace tk70 {

TagListPrinter::TagListPrinter(const CTagDoc &document, const QString &title) : m_document(document), m_title(title)
{
}

QFont TagListPrinter::printFont()
{
    const QString family = QStringLiteral("Courier New");
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    font.setWeight(QFont::Normal);
    return font;
}

TagListPrinter::Metrics TagListPrinter::measure(const QPrinter *printer, const QFont &font)
{
    QFontMetrics metrics(font, printer);
    Metrics out{};
    out.lineHeight = std::max(metrics.lineSpacing(), 1);
    out.ascent = metrics.ascent();
    out.lineWidth = metrics.horizontalAdvance(TagListPrint::ruler());
    out.left = (printer->width() - out.lineWidth) / 2;
    return out;
}

std::pair<int, int> TagListPrinter::pageRange(const QPrinter *printer, int pages)
{
    const int first = printer->fromPage() > 0 ? printer->fromPage() : 1;
    const int last = printer->toPage() > 0 ? std::min(printer->toPage(), pages) : pages;
    return {first, last};
}

void TagListPrinter::print(QPrinter *printer) const
{
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    QFont font = printFont();
    painter.setFont(font);
    const Metrics metrics = measure(printer, painter.font());
    const int linesPerPage = TagListPrint::linesPerPage(printer->height(), metrics.lineHeight);
    const auto [first, last] = pageRange(printer, TagListPrint::pageCount(m_document.tagCount(), linesPerPage));
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer->newPage();
        paintPage(painter, metrics, linesPerPage, page);
    }
}

void TagListPrinter::paintPage(QPainter &painter, const Metrics &metrics, int linesPerPage, int page) const
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
