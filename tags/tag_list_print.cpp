// The printed tag list without a printer: see tag_list_print.h.
#include "tags/tag_list_print.h"

#include "tags/point_type.h"

#include <QStringList>
#include <algorithm>

namespace tk70::TagListPrint {

namespace {

// printf's "%-ns" and "%nd": padded, never cut.
QString left(const QString &text, int width) { return text.leftJustified(width, u' '); }
QString right(qint32 number, int width) { return QString::number(number).rightJustified(width, u' '); }

QString groupDigits(const TagRecord &tag)
{
    QString digits;
    for (int group = 0; group < kCollectionGroupCount; ++group)
        digits += tag.belongsToGroup(group) ? QString::number(group + 1) : QStringLiteral(" ");
    return digits;
}

}  // namespace

QString ruler()
{
    return QStringLiteral("---------1---------2---------3---------4---------5---------6---------7---------8-");
}

QString headerLine(const QString &pathName, const QString &title, int page)
{
    QString name = pathName.size() > kMaxPathChars ? title : pathName;
    QString pageText = QStringLiteral("Page %1").arg(page);
    int blanks = std::max(kLineChars - static_cast<int>(name.size() + pageText.size()), 0);
    return name + QString(blanks, u' ') + pageText;
}

QString columnHeaderLine()
{
    QStringList columns{left(QStringLiteral("Tag#"), 4),
                        left(QStringLiteral("Tagname"), 15),
                        left(QStringLiteral("Lp"), 3),
                        left(QStringLiteral("PCU"), 3),
                        left(QStringLiteral("Mod"), 3),
                        left(QStringLiteral("Blk"), 4),
                        left(QStringLiteral("Point Type"), PointTypes::kPrintWidth),
                        left(QStringLiteral("Grp "), 4),
                        QStringLiteral("Tag Description")};
    return columns.join(u' ');
}

QString tagLine(int slot, const TagRecord &tag)
{
    QStringList columns{right(slot + 1, 4),
                        left(tag.tagname, 15),
                        right(tag.loop, 3),
                        right(tag.pcu, 3),
                        right(tag.module, 3),
                        right(tag.block, 4),
                        PointTypes::printName(tag.pointType),
                        groupDigits(tag),
                        tag.description};
    return columns.join(u' ');
}

int linesPerPage(int pageHeight, int lineHeight)
{
    if (lineHeight <= 0)
        return 1;
    return std::max((pageHeight - kReservedLines * lineHeight) / lineHeight, 1);
}

int pageCount(int tagCount, int linesPerPage)
{
    int lines = std::max(linesPerPage, 1);
    return std::max((tagCount + lines - 1) / lines, 1);
}

int firstTagOfPage(int page, int linesPerPage) { return (page - 1) * linesPerPage; }

int endTagOfPage(int page, int linesPerPage, int tagCount) { return std::min(page * linesPerPage, tagCount); }

}  // namespace tk70::TagListPrint
