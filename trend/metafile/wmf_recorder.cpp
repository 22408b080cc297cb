// The Windows Metafile encoding: see wmf_recorder.h.
#include "trend/metafile/wmf_recorder.h"

#include "platform/windows1252.h"

#include <algorithm>

namespace tk70 {

namespace {

enum WmfRecord : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kSetBkMode = 0x0102,
    kSetPolyFillMode = 0x0106,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDeleteObject = 0x01F0,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kIntersectClipRect = 0x0416,
    kRectangle = 0x041B,
    kExtTextOut = 0x0A32,
};

constexpr std::uint16_t kMemoryMetafile = 1;
constexpr std::uint16_t kVersion = 0x0300;
constexpr int kFaceBytes = 32;
constexpr qsizetype kMaxTextBytes = 8000;

int limited(int value) { return std::clamp(value, -32768, 32767); }

}  // namespace

WmfRecorder::WmfRecorder(QSize size, int dotsPerInch, bool placeable)
    : MetafileRecorder(0), m_size(size), m_dpi(dotsPerInch), m_placeable(placeable)
{
}

qsizetype WmfRecorder::begin(std::uint16_t function)
{
    const qsizetype start = m_records.size();
    m_records.u32(0);  // size in words, set by end()
    m_records.u16(function);
    return start;
}

void WmfRecorder::end(qsizetype start)
{
    m_records.pad(2);
    const auto words = static_cast<std::uint32_t>((m_records.size() - start) / 2);
    m_records.patchU32(start, words);
    m_largestRecord = std::max(m_largestRecord, words);
}

void WmfRecorder::simple(std::uint16_t function, std::initializer_list<int> values)
{
    const qsizetype start = begin(function);
    for (int value : values)
        m_records.i16(limited(value));
    end(start);
}

void WmfRecorder::colour(QRgb rgb) { m_records.u32(gdi::colorRef(rgb)); }

void WmfRecorder::writeSetup()
{
    simple(kSetWindowOrg, {0, 0});
    simple(kSetWindowExt, {m_size.height(), m_size.width()});
    simple(kSetBkMode, {gdi::kBackgroundTransparent});
    simple(kSetTextAlign, {gdi::kTextAlignBaseline});
}

void WmfRecorder::writeSaveDc() { simple(kSaveDc, {}); }

void WmfRecorder::writeRestoreDc() { simple(kRestoreDc, {-1}); }

void WmfRecorder::writeIntersectClip(const QRect &r)
{
    simple(kIntersectClipRect, {r.top() + r.height(), r.left() + r.width(), r.top(), r.left()});
}

void WmfRecorder::writeCreatePen(int /*slot: the player takes the lowest free one*/, const gdi::Pen &pen)
{
    const qsizetype start = begin(kCreatePenIndirect);
    m_records.u16(static_cast<std::uint16_t>(pen.style));
    m_records.i16(limited(pen.width));
    m_records.i16(0);
    colour(pen.colour);
    end(start);
}

void WmfRecorder::writeCreateBrush(int /*slot*/, const gdi::Brush &brush)
{
    const qsizetype start = begin(kCreateBrushIndirect);
    m_records.u16(static_cast<std::uint16_t>(brush.style));
    colour(brush.colour);
    m_records.u16(0);  // hatch
    end(start);
}

void WmfRecorder::writeCreateFont(int /*slot*/, const gdi::Font &font)
{
    const qsizetype start = begin(kCreateFontIndirect);
    for (int value : {-font.height, 0, font.escapement, font.escapement, font.weight})
        m_records.i16(limited(value));
    for (bool flag : {font.italic, font.underline, font.strikeOut})
        m_records.u8(flag ? 1 : 0);
    for (int i = 0; i < 5; ++i)  // charset ANSI, default precisions, quality, pitch and family
        m_records.u8(0);
    QByteArray face = Windows1252::encode(font.face).left(kFaceBytes - 1);
    face.resize(kFaceBytes, '\0');
    m_records.bytes(face);
    end(start);
}

void WmfRecorder::writeSelect(int slot) { simple(kSelectObject, {slot}); }

void WmfRecorder::writeDelete(int slot) { simple(kDeleteObject, {slot}); }

void WmfRecorder::writeTextColour(QRgb rgb)
{
    const qsizetype start = begin(kSetTextColor);
    colour(rgb);
    end(start);
}

void WmfRecorder::writeFillMode(int mode) { simple(kSetPolyFillMode, {mode}); }

void WmfRecorder::points(std::uint16_t function, const QPoint *pts, size_t count)
{
    const qsizetype start = begin(function);
    m_records.i16(static_cast<int>(count));
    for (size_t i = 0; i < count; ++i) {
        m_records.i16(limited(pts[i].x()));
        m_records.i16(limited(pts[i].y()));
    }
    end(start);
}

void WmfRecorder::writePolyline(const std::vector<QPoint> &pts)
{
    // Pieces of at most kMaxPoints, each starting where the last one ended.
    for (size_t first = 0; first + 1 < pts.size(); first += kMaxPoints - 1)
        points(kPolyline, &pts[first], std::min<size_t>(kMaxPoints, pts.size() - first));
}

void WmfRecorder::writePolygon(const std::vector<QPoint> &pts)
{
    points(kPolygon, pts.data(), std::min<size_t>(kMaxPoints, pts.size()));
}

void WmfRecorder::writeRectangle(const QRect &r)
{
    simple(kRectangle, {r.top() + r.height(), r.left() + r.width(), r.top(), r.left()});
}

void WmfRecorder::writeText(const QPoint &baselineLeft, const QString &text, const std::vector<int> &advances)
{
    const QByteArray bytes = Windows1252::encode(text).left(kMaxTextBytes);
    // Advances belong to UTF-16 units; where a character took two, they are left out.
    const bool spaced = bytes.size() == text.size() && advances.size() >= static_cast<size_t>(bytes.size());
    const qsizetype start = begin(kExtTextOut);
    m_records.i16(limited(baselineLeft.y()));
    m_records.i16(limited(baselineLeft.x()));
    m_records.i16(static_cast<int>(bytes.size()));
    m_records.u16(0);  // options: no clipping, no opaque box
    m_records.bytes(bytes);
    m_records.pad(2);
    for (qsizetype i = 0; spaced && i < bytes.size(); ++i)
        m_records.i16(limited(advances[static_cast<size_t>(i)]));
    end(start);
}

void WmfRecorder::placeableHeader(MetafileBuffer &out) const
{
    const qsizetype start = out.size();
    out.u32(kPlaceableKey);
    out.u16(0);  // handle, unused in a file
    for (int value : {0, 0, m_size.width(), m_size.height()})
        out.i16(limited(value));
    out.u16(static_cast<std::uint16_t>(m_dpi));
    out.u32(0);
    std::uint16_t checksum = 0;
    const QByteArray &data = out.data();
    for (qsizetype i = start; i < start + 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[i]) |
                                               static_cast<std::uint8_t>(data[i + 1]) << 8);
    out.u16(checksum);
}

QByteArray WmfRecorder::assemble(int objectSlots)
{
    simple(kEof, {});
    MetafileBuffer out;
    if (m_placeable)
        placeableHeader(out);
    out.u16(kMemoryMetafile);
    out.u16(kHeaderWords);
    out.u16(kVersion);
    out.u32(static_cast<std::uint32_t>(kHeaderWords + m_records.size() / 2));
    out.u16(static_cast<std::uint16_t>(objectSlots));
    out.u32(m_largestRecord);
    out.u16(0);  // no parameters
    out.bytes(m_records.data());
    return out.data();
}

}  // namespace tk70
