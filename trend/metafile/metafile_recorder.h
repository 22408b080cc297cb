// What both metafile formats have in common: the drawing state of a Windows device
// context, kept and written lazily, so that a pen, brush, font, text colour or clip
// rectangle reaches the file only when a drawing needs it and differs from what is
// already in effect.  The subclasses encode the records (EMF or WMF).
//
// Objects are kept balanced: a replaced pen, brush or font is created, selected, and the
// old one deleted; slots are reused lowest first, as the players number them, so the
// peak slot count is the largest number of objects alive at once.  The clip rectangle is
// set with SaveDC once at the start and RestoreDC + SaveDC (which drops the clip) when it
// has to widen; objects are never selected in a saved state, so deleting them is safe.
// Coordinates are device pixels of the metafile; rectangles use the GDI convention of
// right and bottom edges excluded.
#pragma once

#include "trend/metafile/metafile_gdi.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

namespace tk70 {

class MetafileRecorder {
public:
    virtual ~MetafileRecorder() = default;

    void setPen(const gdi::Pen &pen) { m_pen.wanted = pen; }
    void setBrush(const gdi::Brush &brush) { m_brush.wanted = brush; }
    void setFont(const gdi::Font &font) { m_font.wanted = font; }
    void setTextColour(QRgb colour) { m_textColour = colour; }
    // The clip rectangle in device pixels; none draws anywhere on the page.
    void setClip(const std::optional<QRect> &clip) { m_clip = clip; }

    void polyline(const std::vector<QPoint> &points);
    void polygon(const std::vector<QPoint> &points, bool winding);
    void rectangle(const QRect &rect);
    // A text with its baseline's left end at a point; advances are the device widths of
    // its UTF-16 units.
    void text(const QPoint &baselineLeft, const QString &text, const std::vector<int> &advances);

    // The whole metafile: header, the records so far, the closing records.  Call once.
    QByteArray finish();

protected:
    // The first object slot (the enhanced format reserves slot 0 for the metafile).
    explicit MetafileRecorder(int firstSlot) : m_firstSlot(firstSlot) {}

    // Records that set up the device context before the first SaveDC (mapping, background
    // mode, text alignment).
    virtual void writeSetup() = 0;
    virtual void writeSaveDc() = 0;
    virtual void writeRestoreDc() = 0;
    virtual void writeIntersectClip(const QRect &rect) = 0;
    virtual void writeCreatePen(int slot, const gdi::Pen &pen) = 0;
    virtual void writeCreateBrush(int slot, const gdi::Brush &brush) = 0;
    virtual void writeCreateFont(int slot, const gdi::Font &font) = 0;
    virtual void writeSelect(int slot) = 0;
    virtual void writeDelete(int slot) = 0;
    virtual void writeTextColour(QRgb colour) = 0;
    virtual void writeFillMode(int mode) = 0;
    virtual void writePolyline(const std::vector<QPoint> &points) = 0;
    virtual void writePolygon(const std::vector<QPoint> &points) = 0;
    virtual void writeRectangle(const QRect &rect) = 0;
    virtual void writeText(const QPoint &baselineLeft, const QString &text, const std::vector<int> &advances) = 0;
    // Header, records and end record; objectSlots counts the slots ever used, first
    // slot included.
    virtual QByteArray assemble(int objectSlots) = 0;

private:
    template <typename T>
    struct Object {
        T wanted;
        std::optional<T> created;
        int slot = -1;
        bool selected = false;
    };

    void start();
    void applyClip();
    void dropClip();
    template <typename T>
    void realise(Object<T> &object);
    void release(int slot);
    void create(int slot, const gdi::Pen &pen) { writeCreatePen(slot, pen); }
    void create(int slot, const gdi::Brush &brush) { writeCreateBrush(slot, brush); }
    void create(int slot, const gdi::Font &font) { writeCreateFont(slot, font); }

    int m_firstSlot;
    bool m_started = false;
    std::vector<bool> m_slots;  // in use, from the first slot on
    Object<gdi::Pen> m_pen;
    Object<gdi::Brush> m_brush;
    Object<gdi::Font> m_font;
    QRgb m_textColour = 0;
    std::optional<QRgb> m_writtenTextColour;
    std::optional<int> m_writtenFillMode;
    std::optional<QRect> m_clip;
    std::optional<QRect> m_writtenClip;
};

}  // namespace tk70
