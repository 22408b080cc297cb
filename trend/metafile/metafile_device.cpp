// A paint device recording a Windows metafile: see metafile_device.h.
#include "trend/metafile/metafile_device.h"

#include "trend/metafile/metafile_paint_engine.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <climits>
#include <cmath>

namespace tk70 {

namespace {

constexpr int kMaxPixels = 32767;
constexpr int kMaxDotsPerInch = 9600;

}  // namespace

MetafileDevice::MetafileDevice(MetafileKind kind, QSize sizePixels, int dotsPerInch)
    : m_kind(kind),
      m_size(std::clamp(sizePixels.width(), 1, kMaxPixels), std::clamp(sizePixels.height(), 1, kMaxPixels)),
      m_dpi(std::clamp(dotsPerInch, 1, kMaxDotsPerInch)),
      m_engine(std::make_unique<MetafilePaintEngine>(m_kind, m_size, m_dpi))
{
}

MetafileDevice::~MetafileDevice() = default;

QByteArray MetafileDevice::bytes() const { return m_engine->bytes(); }

bool MetafileDevice::save(const QString &path, QString *error) const
{
    const QByteArray data = bytes();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    if (error)
        *error =
            QStringLiteral("Cannot save the metafile %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

QPaintEngine *MetafileDevice::paintEngine() const { return m_engine.get(); }

int MetafileDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return static_cast<int>(std::lround(m_size.width() * 25.4 / m_dpi));
    case PdmHeightMM: return static_cast<int>(std::lround(m_size.height() * 25.4 / m_dpi));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

}  // namespace tk70
