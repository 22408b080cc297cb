// The printed tag list without a printer: the ruler that sets the line width, the page
// header with the document name and page number, the column header, one line per tag,
// and how many tags fit on a page.  The editor's printing paints these strings.
#pragma once

#include "tags/tag_record.h"

#include <QString>

namespace tk70::TagListPrint {

// Lines of the page above the first tag line and below the last, in line heights.
inline constexpr int kReservedLines = 7;
inline constexpr int kHeaderLine = 2;
inline constexpr int kColumnHeaderLine = 4;
inline constexpr double kRuleLine = 5.5;
inline constexpr int kFirstTagLine = 6;
inline constexpr int kLineChars = 81;
// A path longer than this prints the document's title instead.
inline constexpr int kMaxPathChars = 68;

// The 81-character ruler whose printed width is the line width.
QString ruler();
// The document name (path, or title for a long path) and "Page <n>" at the end of an
// 81-character line; no blanks between them when together they are longer.
QString headerLine(const QString &pathName, const QString &title, int page);
// "Tag#", "Tagname", ... padded to their columns.
QString columnHeaderLine();
// One tag: number (slot + 1), name, address, point type, group digits, description.
QString tagLine(int slot, const TagRecord &tag);

// Tag lines on one page of pageHeight (both in device units); at least 1.
int linesPerPage(int pageHeight, int lineHeight);
// Pages for tagCount tags; at least 1.
int pageCount(int tagCount, int linesPerPage);
// The tags of page (1-based): first index and one past the last.
int firstTagOfPage(int page, int linesPerPage);
int endTagOfPage(int page, int linesPerPage, int tagCount);

}  // namespace tk70::TagListPrint
