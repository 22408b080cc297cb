// The small page the metafile tests draw: a filled and a framed rectangle (the second
// through a translation), a dashed red polyline, a bold Arial text with a Windows-1252
// character inside a clip that is then widened again, and an ellipse and an image that a
// metafile can only approximate or leave out.
#pragma once

#include "trend/metafile/metafile_device.h"

#include <QImage>
#include <QPainter>

namespace tk70test {

inline constexpr QSize kSmallPage(200, 100);

inline QByteArray smallPage(tk70::MetafileKind kind)
{
    tk70::MetafileDevice device(kind, kSmallPage);
    QPainter painter(&device);
    painter.fillRect(QRect(10, 10, 50, 20), QColor(0, 0, 255));
    painter.setPen(QPen(Qt::red, 0, Qt::DashLine));
    const QPoint trace[] = {{10, 50}, {60, 70}, {110, 50}};
    painter.drawPolyline(trace, 3);
    painter.setClipRect(QRect(0, 0, 100, 100));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);  // 16 pixels at 96 dpi
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::darkGreen);
    painter.drawText(QPointF(20, 90), QStringLiteral("Title \u00E9"));
    painter.setClipRect(QRect(0, 0, 200, 100));
    painter.translate(100, 0);
    painter.drawRect(QRectF(0, 10, 30, 20));
    painter.setBrush(Qt::yellow);
    painter.drawEllipse(QRectF(40, 40, 30, 30));
    painter.drawImage(QPointF(0, 0), QImage(8, 8, QImage::Format_RGB32));
    painter.end();
    return device.bytes();
}

}  // namespace tk70test
