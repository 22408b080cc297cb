// Paints the trend setup of a document on a printer (or a preview's printer): one page
// per graph whose first tagname is not empty, in the tag list's Courier New 10 points,
// centred on the 81-character ruler width.  The text of a page is TrendSetupPrint's.
#pragma once

#include "platform/view/printed_list_page.h"

#include <QString>

class QPainter;
class QPrinter;

namespace tk70 {

class CTagDoc;

namespace TrendSetupPrint {
struct Page;
}

class TrendSetupPrinter {
public:
    // title is printed instead of a path of 69 characters or more; a historical
    // document's pages have no sample interval.
    TrendSetupPrinter(const CTagDoc &document, const QString &title, bool historical);

    // Prints every page (or the printer's page range when it has one); no page at all
    // when no graph prints.
    void print(QPrinter *printer) const;

private:
    static void paintPage(QPainter &painter, const PrintedListPage::Metrics &metrics,
                          const TrendSetupPrint::Page &page);

    const CTagDoc &m_document;
    QString m_title;
    bool m_historical;
};

}  // namespace tk70
