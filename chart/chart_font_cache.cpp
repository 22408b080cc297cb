// Fonts of one render target: see chart_font_cache.h.
#include "chart/chart_font_cache.h"

#include <QPaintDevice>
#include <algorithm>

namespace tk70 {

bool ChartFontCache::setTarget(const QPaintDevice *device, double targetHeight, double minimumPixels)
{
    const int dpi = device ? device->logicalDpiY() : 96;
    m_device = device;  // fonts depend on its resolution only
    if (targetHeight == m_height && dpi == m_dpi && minimumPixels == m_minimumPixels)
        return false;
    m_height = targetHeight;
    m_minimumPixels = minimumPixels;
    m_dpi = dpi;
    m_scale = targetHeight / (kReferenceHeightPoints * 96.0 / 72.0);
    m_entries.clear();
    return true;
}

int ChartFontCache::key(const ChartTextStyle &style)
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries[i];
        if (entry.pointSize == style.pointSize && entry.bold == style.bold && entry.face == style.face)
            return static_cast<int>(i);
    }
    QFont font(style.face);
    font.setBold(style.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Points of the reference page become device pixels of this target (no fewer than
    // the legible minimum), then points at the device's resolution.
    const double pixels = std::max(style.pointSize * 96.0 / 72.0 * m_scale, m_minimumPixels);
    font.setPointSizeF(std::max(pixels * 72.0 / m_dpi, 0.5));
    const QFont resolved = m_device ? QFont(font, m_device) : font;
    m_entries.push_back(Entry{style.face, style.pointSize, style.bold, resolved, QFontMetricsF(resolved)});
    return static_cast<int>(m_entries.size() - 1);
}

}  // namespace tk70
