// The Windows Metafile (.wmf) encoding of the metafile records: 16-bit records after the
// 9-word METAHEADER, texts as Windows-1252 bytes with their advances, and META_EOF; the
// placeable kind puts the 22-byte placeable header in front.  One logical unit is one
// pixel of the page: the window is set to the page's size (MM_ANISOTROPIC), and the
// placeable header states the page's resolution as its units per inch.  Coordinates
// beyond the 16-bit range are limited to it.
#pragma once

#include "trend/metafile/metafile_buffer.h"
#include "trend/metafile/metafile_recorder.h"

#include <QSize>

namespace tk70 {

class WmfRecorder : public MetafileRecorder {
public:
    static constexpr int kPlaceableBytes = 22;
    static constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
    static constexpr int kHeaderWords = 9;
    // Points of one polyline record at most (a longer polyline takes several).
    static constexpr int kMaxPoints = 8000;

    WmfRecorder(QSize size, int dotsPerInch, bool placeable);

protected:
    void writeSetup() override;
    void writeSaveDc() override;
    void writeRestoreDc() override;
    void writeIntersectClip(const QRect &rect) override;
    void writeCreatePen(int slot, const gdi::Pen &pen) override;
    void writeCreateBrush(int slot, const gdi::Brush &brush) override;
    void writeCreateFont(int slot, const gdi::Font &font) override;
    void writeSelect(int slot) override;
    void writeDelete(int slot) override;
    void writeTextColour(QRgb colour) override;
    void writeFillMode(int mode) override;
    void writePolyline(const std::vector<QPoint> &points) override;
    void writePolygon(const std::vector<QPoint> &points) override;
    void writeRectangle(const QRect &rect) override;
    void writeText(const QPoint &baselineLeft, const QString &text, const std::vector<int> &advances) override;
    QByteArray assemble(int objectSlots) override;

private:
    qsizetype begin(std::uint16_t function);
    void end(qsizetype start);
    void simple(std::uint16_t function, std::initializer_list<int> values);
    void colour(QRgb rgb);
    void points(std::uint16_t function, const QPoint *points, size_t count);
    void placeableHeader(MetafileBuffer &out) const;

    QSize m_size;
    int m_dpi;
    bool m_placeable;
    MetafileBuffer m_records;
    std::uint32_t m_largestRecord = 0;  // words
};

}  // namespace tk70
