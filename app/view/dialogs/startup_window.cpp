// The start-up window: see startup_window.h.
#include "app/view/dialogs/startup_window.h"

#include "app/settings/system_figures.h"
#include "app/view/dialogs/program_artwork.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace tk70 {

namespace {

bool isPress(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: return true;
    default: return false;
    }
}

}  // namespace

StartupWindow::StartupWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(startupPicture())
{
    setObjectName(QStringLiteral("startupWindow"));
    setFixedSize(m_picture.size());
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &StartupWindow::finish);
    qApp->installEventFilter(this);
}

StartupWindow::~StartupWindow() { qApp->removeEventFilter(this); }

QString StartupWindow::productNotice()
{
    return QStringLiteral("Plant data station for the distributed control system");
}

void StartupWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    centreOnScreen();
    if (!m_finished && !m_timer->isActive())
        m_timer->start(m_lifetimeMs);
}

void StartupWindow::centreOnScreen()
{
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

void StartupWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    painter.setPen(QColor(128, 128, 128));
    const QFontMetrics metrics(painter.font());
    const int x = m_picture.width() * 30 / 100;
    // Each point is the top left corner of its text.
    painter.drawText(QPoint(x, m_picture.height() * 80 / 100 + metrics.ascent()), programVersionText());
    painter.drawText(QPoint(x, m_picture.height() * 86 / 100 + metrics.ascent()), productNotice());
}

bool StartupWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (m_finished || !isPress(event->type()) || !isVisible())
        return QWidget::eventFilter(watched, event);
    finish();
    return true;
}

void StartupWindow::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timer->stop();
    qApp->removeEventFilter(this);
    close();
    if (QWidget *main = parentWidget())
        main->update();
    emit closed();
}

}  // namespace tk70
