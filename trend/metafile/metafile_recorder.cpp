// The device-context state shared by the metafile formats: see metafile_recorder.h.
#include "trend/metafile/metafile_recorder.h"

namespace tk70 {

void MetafileRecorder::polyline(const std::vector<QPoint> &points)
{
    if (points.size() < 2)
        return;
    applyClip();
    realise(m_pen);
    writePolyline(points);
}

void MetafileRecorder::polygon(const std::vector<QPoint> &points, bool winding)
{
    if (points.size() < 3)
        return polyline(points);
    applyClip();
    realise(m_pen);
    realise(m_brush);
    const int mode = winding ? gdi::kFillWinding : gdi::kFillAlternate;
    if (m_writtenFillMode != mode) {
        writeFillMode(mode);
        m_writtenFillMode = mode;
    }
    writePolygon(points);
}

void MetafileRecorder::rectangle(const QRect &rect)
{
    if (rect.isEmpty())
        return;
    applyClip();
    realise(m_pen);
    realise(m_brush);
    writeRectangle(rect);
}

void MetafileRecorder::text(const QPoint &baselineLeft, const QString &text, const std::vector<int> &advances)
{
    if (text.isEmpty())
        return;
    applyClip();
    realise(m_font);
    if (m_writtenTextColour != m_textColour) {
        writeTextColour(m_textColour);
        m_writtenTextColour = m_textColour;
    }
    writeText(baselineLeft, text, advances);
}

QByteArray MetafileRecorder::finish()
{
    start();
    // Back to the state saved at the start: nothing of ours selected, no clip; then
    // every object still alive is deleted.
    writeRestoreDc();
    if (m_pen.created)
        release(m_pen.slot);
    if (m_brush.created)
        release(m_brush.slot);
    if (m_font.created)
        release(m_font.slot);
    return assemble(m_firstSlot + static_cast<int>(m_slots.size()));
}

void MetafileRecorder::start()
{
    if (m_started)
        return;
    m_started = true;
    writeSetup();
    writeSaveDc();
}

void MetafileRecorder::applyClip()
{
    start();
    if (m_clip == m_writtenClip)
        return;
    // A narrower rectangle is one more intersection; a wider one (or none) needs the
    // unclipped state back first.
    const bool narrower = m_clip && m_writtenClip && m_clip->intersected(*m_writtenClip) == *m_clip;
    if (m_writtenClip && !narrower)
        dropClip();
    if (m_clip)
        writeIntersectClip(*m_clip);
    m_writtenClip = m_clip;
}

void MetafileRecorder::dropClip()
{
    writeRestoreDc();
    writeSaveDc();
    // The restored state has the default objects and colours: ours are selected again
    // when a drawing needs them.
    m_pen.selected = m_brush.selected = m_font.selected = false;
    m_writtenTextColour.reset();
    m_writtenFillMode.reset();
}

template <typename T>
void MetafileRecorder::realise(Object<T> &object)
{
    if (object.created && *object.created == object.wanted) {
        if (!object.selected)
            writeSelect(object.slot);
        object.selected = true;
        return;
    }
    size_t free = 0;
    while (free < m_slots.size() && m_slots[free])
        ++free;
    if (free == m_slots.size())
        m_slots.push_back(true);
    m_slots[free] = true;
    const int slot = m_firstSlot + static_cast<int>(free);
    create(slot, object.wanted);
    writeSelect(slot);
    if (object.created)
        release(object.slot);
    object.created = object.wanted;
    object.slot = slot;
    object.selected = true;
}

void MetafileRecorder::release(int slot)
{
    writeDelete(slot);
    m_slots[static_cast<size_t>(slot - m_firstSlot)] = false;
}

}  // namespace tk70
