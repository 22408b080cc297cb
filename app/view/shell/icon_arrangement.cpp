// Arrange Icons: see icon_arrangement.h.
#include "app/view/shell/icon_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace tk70 {

QList<QPoint> iconPositions(const QSize &area, const QSize &icon, int count)
{
    QList<QPoint> positions;
    if (icon.width() <= 0 || icon.height() <= 0)
        return positions;
    const int perRow = std::max(1, area.width() / icon.width());
    for (int k = 0; k < count; ++k) {
        const int row = k / perRow;
        const int column = k % perRow;
        positions << QPoint(column * icon.width(), area.height() - (row + 1) * icon.height());
    }
    return positions;
}

void arrangeIcons(QMdiArea *area)
{
    QList<QMdiSubWindow *> icons;
    for (QMdiSubWindow *window : area->subWindowList(QMdiArea::CreationOrder))
        if (window->isMinimized() && window->isVisible())
            icons << window;
    if (icons.isEmpty())
        return;
    const QList<QPoint> places = iconPositions(area->viewport()->size(), icons.first()->size(), int(icons.size()));
    for (int k = 0; k < icons.size(); ++k)
        icons[k]->move(places[k]);
}

}  // namespace tk70
