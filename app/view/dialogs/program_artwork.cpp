// The program's own pictures: see program_artwork.h.
#include "app/view/dialogs/program_artwork.h"

#include "core/product.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tk70 {

namespace {

constexpr int kPictureWidth = 480;
constexpr int kPictureHeight = 320;
constexpr double kBandTop = 0.74;  // where the black band of the texts begins

const QColor kTeal(64, 196, 196);
const QColor kAmber(236, 176, 64);
const QColor kLeaf(132, 204, 96);

// One recorder trace across rect: a sum of slow waves with the given phase.
QPainterPath tracePath(const QRectF &rect, double level, double swing, double phase)
{
    QPainterPath path;
    const int steps = 96;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double wave = std::sin(t * 7.0 + phase) * 0.6 + std::sin(t * 17.0 + phase * 2.3) * 0.25 +
                            std::sin(t * 3.0 - phase) * 0.15;
        const QPointF point(rect.left() + t * rect.width(), rect.top() + rect.height() * (level - swing * wave));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

void drawBackground(QPainter &painter)
{
    const double bandTop = kPictureHeight * kBandTop;
    QLinearGradient sky(0, 0, 0, bandTop);
    sky.setColorAt(0.0, QColor(10, 22, 40));
    sky.setColorAt(1.0, QColor(28, 44, 70));
    painter.fillRect(QRectF(0, 0, kPictureWidth, bandTop), sky);
    painter.fillRect(QRectF(0, bandTop, kPictureWidth, kPictureHeight - bandTop), Qt::black);
    painter.setPen(QPen(kTeal, 2));
    painter.drawLine(QPointF(0, bandTop), QPointF(kPictureWidth, bandTop));
}

void drawRecorder(QPainter &painter, const QRectF &panel)
{
    painter.setPen(QPen(QColor(90, 110, 140), 1));
    painter.setBrush(QColor(6, 14, 28));
    painter.drawRoundedRect(panel, 6, 6);
    painter.setPen(QPen(QColor(40, 58, 86), 1, Qt::DotLine));
    for (int i = 1; i < 8; ++i) {
        const double x = panel.left() + panel.width() * i / 8.0;
        painter.drawLine(QPointF(x, panel.top() + 4), QPointF(x, panel.bottom() - 4));
    }
    for (int i = 1; i < 4; ++i) {
        const double y = panel.top() + panel.height() * i / 4.0;
        painter.drawLine(QPointF(panel.left() + 4, y), QPointF(panel.right() - 4, y));
    }
    const QRectF plot = panel.adjusted(8, 10, -8, -10);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAmber, 2));
    painter.drawPath(tracePath(plot, 0.30, 0.16, 0.4));
    painter.setPen(QPen(kTeal, 2));
    painter.drawPath(tracePath(plot, 0.55, 0.20, 2.1));
    painter.setPen(QPen(kLeaf, 2));
    painter.drawPath(tracePath(plot, 0.78, 0.12, 4.0));
}

void drawTitle(QPainter &painter)
{
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(34);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(24, 196), QString::fromLatin1(kProductName));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(14);
    painter.setFont(subtitle);
    painter.setPen(QColor(170, 190, 215));
    painter.drawText(QPointF(26, 220), QStringLiteral("Plant data collection and trending"));
}

}  // namespace

QPixmap programEmblem(int size)
{
    QPixmap emblem(size, size);
    emblem.fill(Qt::transparent);
    QPainter painter(&emblem);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient fill(0, 0, 0, size);
    fill.setColorAt(0.0, QColor(36, 60, 96));
    fill.setColorAt(1.0, QColor(12, 24, 44));
    painter.setPen(QPen(kTeal, std::max(1.0, size / 24.0)));
    painter.setBrush(fill);
    painter.drawRoundedRect(square, size / 6.0, size / 6.0);
    const QRectF plot = square.adjusted(size * 0.16, size * 0.2, -size * 0.16, -size * 0.2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAmber, std::max(1.5, size / 14.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF line;
    const double ys[] = {0.75, 0.55, 0.65, 0.25, 0.4, 0.1};
    for (int i = 0; i < 6; ++i)
        line << QPointF(plot.left() + plot.width() * i / 5.0, plot.top() + plot.height() * ys[i]);
    painter.drawPolyline(line);
    return emblem;
}

QPixmap startupPicture()
{
    QPixmap picture(kPictureWidth, kPictureHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBackground(painter);
    drawRecorder(painter, QRectF(24, 20, kPictureWidth - 48, 132));
    drawTitle(painter);
    painter.drawPixmap(QPointF(68, kPictureHeight * 0.77), programEmblem(52));
    return picture;
}

}  // namespace tk70
