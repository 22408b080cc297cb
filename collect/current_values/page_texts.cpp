// Texts of the current-values page.
#include "collect/current_values/page_texts.h"

#include "tags/tag_record.h"

namespace tk70 {

QString pageText(int page, int pageCount) { return QString::asprintf("Page %d of %d", page + 1, pageCount); }

QString dateText(const QDate &date)
{
    return QString::asprintf("%02d/%02d/%02d", date.month(), date.day(), date.year() % 100);
}

QString trendTitle(const TagRecord &tag)
{
    if (tag.description.isEmpty())
        return tag.tagname;
    return tag.tagname + QStringLiteral(" - ") + tag.description;
}

QString valueText(double value) { return QString::number(value, 'g', 7); }

}  // namespace tk70
