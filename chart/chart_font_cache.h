// Fonts of one render target: a text style's face, size and weight resolved once into
// a QFont with its metrics for the target's height and resolution, never smaller than
// the target's legible minimum.  Keys are small integers so laid-out texts can remember
// which font they were laid out with.
#pragma once

#include "chart/chart_types.h"

#include <QFont>
#include <QFontMetricsF>
#include <vector>

class QPaintDevice;

namespace tk70 {

class ChartFontCache {
public:
    // The reference page height in points: a page 768 pixels high at 96 dpi.
    static constexpr double kReferenceHeightPoints = 576.0;

    // Prepares for a target of a height in device pixels on a paint device, whose texts
    // are at least minimumPixels high (0: they scale down with the target as far as it
    // goes); another height, resolution or minimum empties the cache.  Returns whether
    // it was emptied.
    bool setTarget(const QPaintDevice *device, double targetHeight, double minimumPixels = 0.0);
    // The key of a style's font (face, size, weight) for the current target.
    int key(const ChartTextStyle &style);
    const QFont &font(int key) const { return m_entries[static_cast<size_t>(key)].font; }
    const QFontMetricsF &metrics(int key) const { return m_entries[static_cast<size_t>(key)].metrics; }
    // Device pixels of one pixel of the reference page.
    double scale() const { return m_scale; }

private:
    struct Entry {
        QString face;
        double pointSize;
        bool bold;
        QFont font;
        QFontMetricsF metrics;
    };

    std::vector<Entry> m_entries;
    const QPaintDevice *m_device = nullptr;
    double m_height = -1.0;
    double m_minimumPixels = 0.0;
    int m_dpi = 0;
    double m_scale = 1.0;
};

}  // namespace tk70
