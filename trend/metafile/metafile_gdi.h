// The drawing objects and constants both metafile formats share: pens, brushes and fonts
// as the Windows graphics interface describes them, in device units of the metafile.
#pragma once

#include <QRgb>
#include <QString>
#include <cstdint>

namespace tk70::gdi {

inline constexpr int kPenSolid = 0;
inline constexpr int kPenDash = 1;
inline constexpr int kPenDot = 2;
inline constexpr int kPenDashDot = 3;
inline constexpr int kPenDashDotDot = 4;
inline constexpr int kPenNull = 5;

inline constexpr int kBrushSolid = 0;
inline constexpr int kBrushNull = 1;

inline constexpr int kMapText = 1;         // one logical unit is one device pixel
inline constexpr int kMapAnisotropic = 8;  // logical units mapped through window and viewport
inline constexpr int kBackgroundTransparent = 1;
inline constexpr int kTextAlignBaseline = 24;  // TA_BASELINE | TA_LEFT | TA_NOUPDATECP
inline constexpr int kFillAlternate = 1;
inline constexpr int kFillWinding = 2;

inline constexpr int kWeightNormal = 400;

// A colour as the metafiles store it: 0x00BBGGRR.
inline std::uint32_t colorRef(QRgb rgb)
{
    return static_cast<std::uint32_t>(qRed(rgb)) | static_cast<std::uint32_t>(qGreen(rgb)) << 8 |
           static_cast<std::uint32_t>(qBlue(rgb)) << 16;
}

struct Pen {
    int style = kPenSolid;
    int width = 1;  // device pixels; 1 draws the thinnest line
    QRgb colour = 0;
    bool operator==(const Pen &) const = default;
};

struct Brush {
    int style = kBrushNull;
    QRgb colour = 0;
    bool operator==(const Brush &) const = default;
};

struct Font {
    QString face;
    int height = 0;  // character (em) height in device pixels, stored negated as GDI does
    int weight = kWeightNormal;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;  // tenths of a degree, counter-clockwise
    bool operator==(const Font &) const = default;
};

}  // namespace tk70::gdi
