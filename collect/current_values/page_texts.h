// The texts of the current-values page: its title, the page number, the date, the title
// line of the trend band and the number shown in a value field.
#pragma once

#include <QDate>
#include <QString>

namespace tk70 {

struct TagRecord;

inline constexpr const char *kCurrentValuesTitle = "Data Collection Output";
inline constexpr const char *kNextPageCaption = "Next Page";
inline constexpr const char *kPrevPageCaption = "Prev. Page";

// "Page %d of %d" of the 0-based page.
QString pageText(int page, int pageCount);
// "%02d/%02d/%02d": month, day, year modulo 100.
QString dateText(const QDate &date);
// The tag's name, followed by " - " and its description when it has one.
QString trendTitle(const TagRecord &tag);
// A value with up to 7 significant digits, in exponent form only when it is very large
// or very small.
QString valueText(double value);

}  // namespace tk70
