// CChildFrame, a child window of the main window: see child_frame.h.
#include "app/view/shell/child_frame.h"

#include <QCloseEvent>

namespace tk70 {

CChildFrame::CChildFrame(QWidget *view, int menuResource, QWidget *parent)
    : QMdiSubWindow(parent), m_menuResource(menuResource)
{
    setWidget(view);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(view->windowTitle());
}

void CChildFrame::closeNow()
{
    m_closeCheck = {};
    close();
    delete this;
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    if (m_closeCheck && !m_closeCheck()) {
        event->ignore();
        return;
    }
    emit closing();
    QMdiSubWindow::closeEvent(event);
}

}  // namespace tk70
