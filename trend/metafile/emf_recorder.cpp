// The Enhanced Metafile encoding: see emf_recorder.h.
#include "trend/metafile/emf_recorder.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tk70 {

namespace {

enum EmfRecord : std::uint32_t {
    kHeader = 1,
    kPolygon = 3,
    kPolyline = 4,
    kEof = 14,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kIntersectClipRect = 30,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kRectangle = 43,
    kExtCreateFontIndirectW = 82,
    kExtTextOutW = 84,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr std::uint32_t kGraphicsModeCompatible = 1;
constexpr int kFaceChars = 32;
constexpr int kEofBytes = 20;

}  // namespace

EmfRecorder::EmfRecorder(QSize size, int dotsPerInch) : MetafileRecorder(1), m_size(size), m_dpi(dotsPerInch) {}

qsizetype EmfRecorder::begin(std::uint32_t type)
{
    const qsizetype start = m_records.size();
    m_records.u32(type);
    m_records.u32(0);  // size, set by end()
    return start;
}

void EmfRecorder::end(qsizetype start)
{
    m_records.pad(4);
    m_records.patchU32(start + 4, static_cast<std::uint32_t>(m_records.size() - start));
    ++m_recordCount;
}

void EmfRecorder::simple(std::uint32_t type, std::initializer_list<std::uint32_t> values)
{
    const qsizetype start = begin(type);
    for (std::uint32_t value : values)
        m_records.u32(value);
    end(start);
}

void EmfRecorder::rect(int left, int top, int right, int bottom)
{
    for (int value : {left, top, right, bottom})
        m_records.i32(value);
}

void EmfRecorder::writeSetup()
{
    simple(kSetMapMode, {gdi::kMapText});
    simple(kSetBkMode, {gdi::kBackgroundTransparent});
    simple(kSetTextAlign, {gdi::kTextAlignBaseline});
}

void EmfRecorder::writeSaveDc() { simple(kSaveDc, {}); }

void EmfRecorder::writeRestoreDc() { simple(kRestoreDc, {static_cast<std::uint32_t>(-1)}); }

void EmfRecorder::writeIntersectClip(const QRect &r)
{
    const qsizetype start = begin(kIntersectClipRect);
    rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    end(start);
}

void EmfRecorder::writeCreatePen(int slot, const gdi::Pen &pen)
{
    simple(kCreatePen, {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(pen.style),
                        static_cast<std::uint32_t>(pen.width), 0, gdi::colorRef(pen.colour)});
}

void EmfRecorder::writeCreateBrush(int slot, const gdi::Brush &brush)
{
    simple(kCreateBrushIndirect,
           {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(brush.style), gdi::colorRef(brush.colour), 0});
}

void EmfRecorder::writeCreateFont(int slot, const gdi::Font &font)
{
    const qsizetype start = begin(kExtCreateFontIndirectW);
    m_records.u32(static_cast<std::uint32_t>(slot));
    for (int value : {-font.height, 0, font.escapement, font.escapement, font.weight})
        m_records.i32(value);
    for (bool flag : {font.italic, font.underline, font.strikeOut})
        m_records.u8(flag ? 1 : 0);
    for (int i = 0; i < 5; ++i)  // charset ANSI, default precisions, quality, pitch and family
        m_records.u8(0);
    const QString face = font.face.left(kFaceChars - 1);
    for (int i = 0; i < kFaceChars; ++i)
        m_records.u16(i < face.size() ? face.at(i).unicode() : 0);
    end(start);
}

void EmfRecorder::writeSelect(int slot) { simple(kSelectObject, {static_cast<std::uint32_t>(slot)}); }

void EmfRecorder::writeDelete(int slot) { simple(kDeleteObject, {static_cast<std::uint32_t>(slot)}); }

void EmfRecorder::writeTextColour(QRgb colour) { simple(kSetTextColor, {gdi::colorRef(colour)}); }

void EmfRecorder::writeFillMode(int mode) { simple(kSetPolyFillMode, {static_cast<std::uint32_t>(mode)}); }

void EmfRecorder::points(std::uint32_t type, const std::vector<QPoint> &points)
{
    const auto [minX, maxX] =
        std::minmax_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    const auto [minY, maxY] =
        std::minmax_element(points.begin(), points.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    const qsizetype start = begin(type);
    rect(minX->x(), minY->y(), maxX->x(), maxY->y());
    m_records.u32(static_cast<std::uint32_t>(points.size()));
    for (const QPoint &point : points) {
        m_records.i32(point.x());
        m_records.i32(point.y());
    }
    end(start);
}

void EmfRecorder::writePolyline(const std::vector<QPoint> &pts) { points(kPolyline, pts); }

void EmfRecorder::writePolygon(const std::vector<QPoint> &pts) { points(kPolygon, pts); }

void EmfRecorder::writeRectangle(const QRect &r)
{
    const qsizetype start = begin(kRectangle);
    rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    end(start);
}

void EmfRecorder::writeText(const QPoint &baselineLeft, const QString &text, const std::vector<int> &advances)
{
    constexpr std::uint32_t kStringOffset = 76;  // record header, bounds, mode, scales, text header
    const auto count = static_cast<std::uint32_t>(text.size());
    const std::uint32_t dxOffset = kStringOffset + (count * 2 + 3) / 4 * 4;
    const float scale = static_cast<float>(2540.0 / m_dpi);  // 0.01 mm per logical unit
    const qsizetype start = begin(kExtTextOutW);
    rect(0, 0, -1, -1);  // bounds: not computed
    m_records.u32(kGraphicsModeCompatible);
    m_records.u32(std::bit_cast<std::uint32_t>(scale));
    m_records.u32(std::bit_cast<std::uint32_t>(scale));
    m_records.i32(baselineLeft.x());
    m_records.i32(baselineLeft.y());
    for (std::uint32_t value : {count, kStringOffset, 0u})  // characters, string offset, options
        m_records.u32(value);
    rect(0, 0, 0, 0);  // clipping rectangle: not used
    m_records.u32(dxOffset);
    for (QChar c : text)
        m_records.u16(c.unicode());
    m_records.pad(4);
    for (std::uint32_t i = 0; i < count; ++i)
        m_records.i32(i < advances.size() ? advances[i] : 0);
    end(start);
}

void EmfRecorder::header(MetafileBuffer &out, std::uint32_t bytes, int objectSlots) const
{
    const auto hundredthsOfMm = [this](int pixels) { return static_cast<int>(std::lround(pixels * 2540.0 / m_dpi)); };
    out.u32(kHeader);
    out.u32(kHeaderBytes);
    for (int value : {0, 0, m_size.width() - 1, m_size.height() - 1})  // bounds, inclusive pixels
        out.i32(value);
    for (int value : {0, 0, hundredthsOfMm(m_size.width()), hundredthsOfMm(m_size.height())})  // frame
        out.i32(value);
    out.u32(kSignature);
    out.u32(kVersion);
    out.u32(bytes);
    out.u32(static_cast<std::uint32_t>(m_recordCount));
    out.u16(static_cast<std::uint16_t>(objectSlots));
    out.u16(0);
    for (int i = 0; i < 3; ++i)  // no description, no palette
        out.u32(0);
    // Reference device: 10 inches at the page's resolution are 254 mm.
    for (int value : {10 * m_dpi, 10 * m_dpi, 254, 254})
        out.i32(value);
    for (int i = 0; i < 3; ++i)  // no pixel format, no OpenGL
        out.u32(0);
    for (int value : {254000, 254000})
        out.i32(value);
}

QByteArray EmfRecorder::assemble(int objectSlots)
{
    simple(kEof, {0, 16, kEofBytes});  // no palette entries; offset of where they would be; size
    ++m_recordCount;                   // the header
    MetafileBuffer out;
    header(out, static_cast<std::uint32_t>(kHeaderBytes + m_records.size()), objectSlots);
    out.bytes(m_records.data());
    return out.data();
}

}  // namespace tk70
