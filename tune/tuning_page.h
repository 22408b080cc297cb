// The paging rules of the tuning dialog's nine spec fields and how an entry becomes a
// number.  The last page always shows the last nine specs, so it may repeat some of the
// page before it.
#pragma once

#include <QString>

namespace tk70 {

inline constexpr int kSpecsPerPage = 9;

// Offset (first spec shown, minus 1) of the page after the one at offset: nine further,
// but never past the last nine of count specs (0 for fewer than ten).
int nextPageOffset(int offset, int count);
// Offset of the page before: nine back, not below 0.
int previousPageOffset(int offset);
// The number of spec fields in use for count specs: at most nine.
int fieldsInUse(int count);

// A spec entry as a number: leading blanks skipped, the longest decimal number at the
// start taken, and 0 when the text does not start with one.
double parseSpecEntry(const QString &text);
// A spec value as the fields show it ("%f").
QString specText(double value);

}  // namespace tk70
