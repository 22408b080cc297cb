// Where the main window goes, and the status bar's time text: see frame_geometry.h.
#include "app/view/shell/frame_geometry.h"

#include <QTime>
#include <algorithm>

namespace tk70 {

QRect mainFrameGeometry(const QRect &screen)
{
    int width = std::min(screen.width(), 800);
    int height = std::min(screen.height(), 600);
    int x = std::max((screen.width() - 800) / 2, 0);
    int y = std::max((screen.height() - 600) / 2, 0);
    return QRect(screen.x() + x, screen.y() + y, width, height);
}

QString statusTimeText(const QTime &time)
{
    int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2  %3")
        .arg(hour12, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() >= 12 ? QStringLiteral("PM ") : QStringLiteral("AM "));
}

}  // namespace tk70
