// CChildFrame: a child window of the main window, showing one view of the current tag
// selection, with the menu resource that goes with its kind of view (132 for the tag
// editor and trend setup, 130 for graph and current values windows).
#pragma once

#include <QMdiSubWindow>
#include <functional>

namespace tk70 {

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    CChildFrame(QWidget *view, int menuResource, QWidget *parent = nullptr);
    int menuResource() const { return m_menuResource; }
    // Asked before the window closes; returning false keeps it open.
    void setCloseCheck(std::function<bool()> check) { m_closeCheck = std::move(check); }
    // Closes the window past its close check and deletes it at once (its view points into
    // a document that is going away).
    void closeNow();

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    int m_menuResource;
    std::function<bool()> m_closeCheck;
};

}  // namespace tk70
