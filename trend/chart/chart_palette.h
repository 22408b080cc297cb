// The 16 classic colours every chart object is coloured with, by palette index.
#pragma once

#include <QColor>
#include <QRgb>

namespace tk70 {

inline constexpr int kPaletteSize = 16;
inline constexpr int kPaletteBlack = 0;
inline constexpr int kPaletteLightGrey = 7;
inline constexpr int kPaletteWhite = 15;

// The colour of a palette index: 0 black, 1 dark blue, 2 dark green, 3 dark cyan, 4 dark
// red, 5 dark magenta, 6 brown, 7 light grey, 8 dark grey, 9 blue, 10 green, 11 cyan,
// 12 red, 13 magenta, 14 yellow, 15 white.  An index outside 0..15 gives black.
QRgb paletteRgb(int index);
QColor paletteColour(int index);

}  // namespace tk70
