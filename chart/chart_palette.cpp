// The chart palette: see chart_palette.h.
#include "chart/chart_palette.h"

#include <array>
#include <cmath>

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

namespace {

struct Lab {
    double lightness;
    double a;
    double b;
};

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double labCurve(double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; }

// CIE L*a*b* of an sRGB colour under the D65 white.
Lab toLab(QRgb colour)
{
    const double r = linear(qRed(colour));
    const double g = linear(qGreen(colour));
    const double b = linear(qBlue(colour));
    const double x = labCurve((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047);
    const double y = labCurve(0.2126 * r + 0.7152 * g + 0.0722 * b);
    const double z = labCurve((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
    return {116.0 * y - 16.0, 500.0 * (x - y), 200.0 * (y - z)};
}

// The colour moved towards black (towards white with a negative share) by a share of
// the way; its hue stays.
QRgb shaded(QRgb colour, double share)
{
    const auto channel = [share](int value) {
        const double moved = share >= 0 ? value * (1.0 - share) : value + (255 - value) * -share;
        return static_cast<int>(std::lround(moved));
    };
    return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

}  // namespace

double colourDifference(QRgb a, QRgb b)
{
    const Lab first = toLab(a);
    const Lab second = toLab(b);
    return std::hypot(first.lightness - second.lightness, first.a - second.a, first.b - second.b);
}

QRgb legibleShade(QRgb colour, QRgb ground)
{
    const double direction = toLab(ground).lightness >= 50.0 ? 1.0 : -1.0;
    for (int step = 0; step <= 20; ++step) {
        const QRgb shade = shaded(colour, direction * step * 0.05);
        if (colourDifference(shade, ground) >= kLegibleDifference)
            return qRgba(qRed(shade), qGreen(shade), qBlue(shade), qAlpha(colour));
    }
    return direction > 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

}  // namespace tk70
