// The chart palette: see chart_palette.h.
#include "chart_palette.h"

#include <array>

namespace tk70 {

namespace {

constexpr std::array<QRgb, kPaletteSize> kColours = {
    0xFF000000, 0xFF000080, 0xFF008000, 0xFF008080, 0xFF800000, 0xFF800080, 0xFF808000, 0xFFC0C0C0,
    0xFF808080, 0xFF0000FF, 0xFF00FF00, 0xFF00FFFF, 0xFFFF0000, 0xFFFF00FF, 0xFFFFFF00, 0xFFFFFFFF,
};

}  // namespace

QRgb paletteRgb(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return kColours[0];
    return kColours[static_cast<size_t>(index)];
}

QColor paletteColour(int index) { return QColor::fromRgb(paletteRgb(index)); }

}  // namespace tk70
