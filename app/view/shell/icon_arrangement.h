// Arrange Icons: the minimised child windows lined up along the bottom of the window
// area, left to right, a new row above the last when a row is full; windows that are not
// minimised stay where they are.
#pragma once

#include <QList>
#include <QPoint>
#include <QSize>

class QMdiArea;

namespace tk70 {

// The top-left corners of count minimised windows of size icon in an area of size area.
// A row holds at least one window, however narrow the area.
QList<QPoint> iconPositions(const QSize &area, const QSize &icon, int count);

// Moves the minimised child windows of area to their places, in the area's window order.
void arrangeIcons(QMdiArea *area);

}  // namespace tk70
