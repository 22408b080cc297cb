// The rules of the tuning dialog's nine spec fields without widgets: the paging, how an
// entry becomes a number, and how many value bytes a block's specs take in a write.  The
// last page always shows the last nine specs, so it may repeat some of the page before it.
#pragma once

#include <QString>
#include <optional>

namespace tk70 {

inline constexpr int kSpecsPerPage = 9;

// Offset (first spec shown, minus 1) of the page after the one at offset: nine further,
// but never past the last nine of count specs (0 for fewer than ten).
int nextPageOffset(int offset, int count);
// Offset of the page before: nine back, not below 0.
int previousPageOffset(int offset);
// The number of spec fields in use for count specs: at most nine.
int fieldsInUse(int count);

// A spec entry as a number, read in the C locale whatever the user's: the whole text
// (blanks around it allowed) must be one decimal number, with an optional sign, fraction
// and exponent, that a double holds.  Nothing for anything else ("", "-", "l.5", "12,5",
// "1.5.3", "1e400", "nan"): such an entry is refused, never sent as 0 or as its prefix.
std::optional<double> parseSpecEntry(const QString &text);
// A spec value as the fields show it ("%f").
QString specText(double value);

// The bytes a value of the format takes in the block's image (formats 1 to 5: 2, 3, 1, 1
// and 2; any other: none).
int specValueBytes(int format);

}  // namespace tk70
