// A paint device that records what QPainter draws on it as a Windows metafile: an
// Enhanced Metafile (.emf), or a Windows Metafile (.wmf) with or without the placeable
// header.  Anything that draws through QPainter (the chart renderer among them) draws
// into it unchanged.
//
// Units: one logical unit of the metafile is one pixel of the device, whose size and
// resolution are given (96 dpi by default).  The EMF frame is that size in 0.01 mm at
// that resolution; the placeable header states the resolution as its units per inch; the
// standard WMF sets its window to the size.  Sizes are limited to 1..32767 pixels (the
// 16-bit coordinates of WMF), resolutions to 1..9600 dpi.
//
// Each painting (QPainter begin to end) makes a new metafile; bytes() is the last one
// finished, or an empty picture before any.
#pragma once

#include "trend/metafile/metafile_kind.h"

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

namespace tk70 {

class MetafilePaintEngine;

class MetafileDevice : public QPaintDevice {
public:
    static constexpr int kDefaultDotsPerInch = 96;

    MetafileDevice(MetafileKind kind, QSize sizePixels, int dotsPerInch = kDefaultDotsPerInch);
    ~MetafileDevice() override;
    MetafileDevice(const MetafileDevice &) = delete;
    MetafileDevice &operator=(const MetafileDevice &) = delete;

    MetafileKind kind() const { return m_kind; }
    QSize size() const { return m_size; }
    int dotsPerInch() const { return m_dpi; }

    QByteArray bytes() const;
    // Writes bytes() to a file, replacing it only once all is written; false with the
    // reason in *error when that fails.
    bool save(const QString &path, QString *error) const;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    MetafileKind m_kind;
    QSize m_size;
    int m_dpi;
    std::unique_ptr<MetafilePaintEngine> m_engine;
};

}  // namespace tk70
