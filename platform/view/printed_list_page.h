// The page of a printed list in a fixed font: the font (Courier New 10 points, the
// system's fixed font when it is missing), the line metrics of a page centred on a ruler
// line's width, and the pages a printer's page range asks for.  The tag list and the
// trend setup print on it.
#pragma once

#include <QFont>
#include <QString>
#include <utility>

class QPrinter;

namespace tk70::PrintedListPage {

// "Courier New" when the system has it, else its fixed font; 10 points.
QFont printFont();

// The lines of a page in a font on a printer, the ruler's width centred.
struct Metrics {
    int lineHeight;
    int ascent;
    int lineWidth;
    int left;
};
Metrics measure(const QPrinter *printer, const QFont &font, const QString &ruler);

// The first and last page to print of pages: the printer's page range where it has one.
std::pair<int, int> pageRange(const QPrinter *printer, int pages);

}  // namespace tk70::PrintedListPage
