// The toolbar's pictures: see command_icons.h.
#include "app/view/shell/command_icons.h"

#include "app/settings/command_ids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace tk70 {

namespace {

const QColor kInk(40, 60, 90);
const QColor kFile(70, 120, 190);
const QColor kGo(40, 150, 70);
const QColor kHalt(200, 50, 40);

QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2.0, 2.0);  // drawn on a 24 x 24 grid
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(p);
    return QIcon(pixmap);
}

void page(QPainter &p)
{
    QPainterPath path;
    path.moveTo(6, 3);
    path.lineTo(14, 3);
    path.lineTo(19, 8);
    path.lineTo(19, 21);
    path.lineTo(6, 21);
    path.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.drawLine(QPointF(14, 3), QPointF(14, 8));
    p.drawLine(QPointF(14, 8), QPointF(19, 8));
}

void folder(QPainter &p)
{
    p.setBrush(QColor(250, 215, 120));
    p.drawRect(QRectF(3, 8, 18, 12));
    p.drawRect(QRectF(3, 5, 7, 3));
}

void disk(QPainter &p)
{
    p.setBrush(kFile);
    p.drawRoundedRect(QRectF(4, 4, 16, 16), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 4, 8, 6));
    p.drawRect(QRectF(7, 13, 10, 7));
}

void lines(QPainter &p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 4, 16, 16));
    for (int y : {8, 12, 16})
        p.drawLine(QPointF(7, y), QPointF(17, y));
}

void trend(QPainter &p)
{
    p.drawLine(QPointF(4, 4), QPointF(4, 20));
    p.drawLine(QPointF(4, 20), QPointF(21, 20));
    p.setPen(QPen(kGo, 2));
    p.drawPolyline(QPolygonF({QPointF(5, 16), QPointF(9, 11), QPointF(13, 14), QPointF(17, 7), QPointF(21, 9)}));
}

void settings(QPainter &p)
{
    p.setBrush(QColor(200, 210, 225));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 3, 3);
    for (int k = 0; k < 8; ++k) {
        p.save();
        p.translate(12, 12);
        p.rotate(45.0 * k);
        p.drawLine(QPointF(0, -8), QPointF(0, -10.5));
        p.restore();
    }
}

void start(QPainter &p)
{
    p.setBrush(kGo);
    p.setPen(QPen(kGo.darker(), 1.2));
    p.drawPolygon(QPolygonF({QPointF(7, 4), QPointF(20, 12), QPointF(7, 20)}));
}

void stop(QPainter &p)
{
    p.setBrush(kHalt);
    p.setPen(QPen(kHalt.darker(), 1.2));
    p.drawRect(QRectF(6, 6, 12, 12));
}

void text(QPainter &p, const QString &label, int pixelSize)
{
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, label);
}

void printer(QPainter &p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(200, 210, 225));
    p.drawRoundedRect(QRectF(3, 10, 18, 8), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 15, 10, 6));
}

void tune(QPainter &p)
{
    p.setBrush(QColor(200, 210, 225));
    p.drawEllipse(QPointF(12, 13), 8, 8);
    p.setPen(QPen(kHalt, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 13), QPointF(17, 8));
    p.setPen(QPen(kInk, 1.2));
    for (int k = -3; k <= 3; ++k) {
        p.save();
        p.translate(12, 13);
        p.rotate(30.0 * k);
        p.drawLine(QPointF(0, -9.5), QPointF(0, -11));
        p.restore();
    }
}

void selectTrend(QPainter &p)
{
    trend(p);
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(14, 3), QPointF(21, 3));
    p.drawLine(QPointF(18, 1), QPointF(21, 3));
    p.drawLine(QPointF(18, 5), QPointF(21, 3));
}

}  // namespace

QIcon commandIcon(int id)
{
    switch (id) {
    case cmd::FileNew: return drawn(page);
    case cmd::FileOpen: return drawn(folder);
    case cmd::FileSave: return drawn(disk);
    case cmd::CollectionSettings: return drawn(settings);
    case cmd::TagSelection: return drawn(lines);
    case cmd::TrendSetup: return drawn(trend);
    case cmd::Start: return drawn(start);
    case cmd::Stop: return drawn(stop);
    case cmd::SelectTrend: return drawn(selectTrend);
    case cmd::CurrentValues: return drawn([](QPainter &p) { text(p, "123", 10); });
    case cmd::TuneBlock: return drawn(tune);
    case cmd::Print: return drawn(printer);
    case cmd::HelpContent: return drawn([](QPainter &p) { text(p, "?", 18); });
    default: return {};
    }
}

}  // namespace tk70
