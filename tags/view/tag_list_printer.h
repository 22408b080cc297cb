// Paints the tag list of a document on a printer (or a preview's printer): Courier New
// 10 points (the fixed font of the system when it is missing), the page header, column
// header, a rule and one line per tag, centred on the 81-character ruler width.
#pragma once

#include "platform/view/printed_list_page.h"

#include <QString>

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

private:
    void paintPage(QPainter &painter, const PrintedListPage::Metrics &metrics, int linesPerPage, int page) const;

    const CTagDoc &m_document;
    QString m_title;
};

}  // namespace tk70
