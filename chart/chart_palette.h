// The 16 classic colours every chart object is coloured with, by palette index, and the
// deeper shade a colour takes where it would be nearly invisible on its ground.
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

// How far apart two colours look (CIE 1976 colour difference: 0 the same, about 2 just
// noticeable, 100 black against white).
double colourDifference(QRgb a, QRgb b);
// A colour as text on a ground: itself where it stands out (a colour difference of at
// least kLegibleDifference), else the nearest shade of its hue that does, darker on a
// light ground and lighter on a dark one.
inline constexpr double kLegibleDifference = 35.0;
QRgb legibleShade(QRgb colour, QRgb ground);

}  // namespace tk70
