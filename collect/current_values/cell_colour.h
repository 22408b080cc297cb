// The colour of a current-values cell: the palette index that tells the state of its
// tag's point at a glance, and the one colour every cell takes while the page prints.
#pragma once

#include "collect/datafile/group_output.h"

namespace tk70 {

inline constexpr int kColourNegativeStatus = 11;  // establish status below 0
inline constexpr int kColourPointError = 14;      // establish status above 0
inline constexpr int kColourBadQuality = 13;      // status 0, bad quality
inline constexpr int kColourGood = 7;             // status 0, good quality
inline constexpr int kColourPrinting = 15;        // every cell while printing

// The palette index of a cell showing reading; kColourPrinting while printing.
int stateColour(const PointReading &reading, bool printing = false);

}  // namespace tk70
