// Paints the tag list of a document on a printer (or a preview's printer): Courier New
// 10 points (the fixed font of the system when it is missing), the page header, column
// header, a rule and one line per tag, centred on the 81-character ruler width.
#pragma once

#include <QFont>
#include <QString>
#include <utility>

class QPainter;
class QPrinter;

namespace tk70 {

class CTagDoc;

class TagListPrinter {
public:
    // title is printed instead of a path longer than 68 characters.
    TagListPrinter(const CTagDoc &document, const QString &title);

    // Prints every page (or the printer's page range when it has one).
    void print(QPrinter *printer) const;

    // "Courier New" when the system has it, else its fixed font; 10 points.
    static QFont printFont();

    // The lines of a page in font on printer, the ruler's width centred; the trend
    // setup's pages are laid out the same way.
    struct Metrics {
        int lineHeight;
        int ascent;
        int lineWidth;
        int left;
    };
    static Metrics measure(const QPrinter *printer, const QFont &font);
    // The first and last page to print of pages: the printer's page range where it has one.
    static std::pair<int, int> pageRange(const QPrinter *printer, int pages);

private:
    void paintPage(QPainter &painter, const Metrics &metrics, int linesPerPage, int page) const;

    const CTagDoc &m_document;
    QString m_title;
};

}  // namespace tk70
