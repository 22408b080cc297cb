// The Enhanced Metafile (.emf) encoding of the metafile records: a 108-byte header with the
// page's bounds (pixels) and frame (0.01 mm), 32-bit records, texts in UTF-16 with their
// advances, and the end record.  One logical unit is one pixel of the page (MM_TEXT); the
// reference device has the page's resolution (its size is given as 10 inches, 254 mm, so
// the resolution is exact).
#pragma once

#include "trend/metafile/metafile_buffer.h"
#include "trend/metafile/metafile_recorder.h"

#include <QSize>

namespace tk70 {

class EmfRecorder : public MetafileRecorder {
public:
    static constexpr int kHeaderBytes = 108;

    EmfRecorder(QSize size, int dotsPerInch);

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
    qsizetype begin(std::uint32_t type);
    void end(qsizetype start);
    void simple(std::uint32_t type, std::initializer_list<std::uint32_t> values);
    void rect(int left, int top, int right, int bottom);
    void points(std::uint32_t type, const std::vector<QPoint> &points);
    void header(MetafileBuffer &out, std::uint32_t bytes, int objectSlots) const;

    QSize m_size;
    int m_dpi;
    MetafileBuffer m_records;
    int m_recordCount = 0;
};

}  // namespace tk70
