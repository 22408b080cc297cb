// CMainFrame, the main window: a toolbar, a status bar and the child windows of the
// current tag selection in a multiple-document area.  The menus follow the active child
// window.  The window decides nothing itself: every command goes to its command target,
// which also says which commands are enabled.  A menu text naming a key ("\tCtrl+N")
// binds that key to the command.
#pragma once

#include "app/view/shell/command_target.h"
#include "app/view/shell/menu_layout.h"
#include "core/product.h"

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <map>

class QMdiArea;
class QMdiSubWindow;

namespace tk70 {

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CommandTarget &target, QWidget *parent = nullptr);
    ~CMainFrame() override;

    QMdiArea *mdiArea() const { return m_mdi; }
    QAction *action(int id) const;
    // Re-evaluates every command's enabling rule; called whenever the program's state changes.
    void updateCommands();
    // The panes the collection fills: the CIU's state and the four groups.
    void setCiuPane(const QString &text);
    void setGroupPane(int group, const QString &text);
    // Back to the normal size and place when the screen is larger than the window's
    // 800 x 600 (after a collection that may have enlarged it).
    void restorePlacement();
    // Refreshes the date and time panes.
    void refreshClock();
    // Refreshes the keyboard lock indicators ("CAP", "NUM", "SCRL").
    void refreshLocks();
    // The menu resource shown now (128, 130 or 132).
    int currentMenu() const { return m_menu; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    void createMenus(int resource);
    void createToolBar();
    void createStatusBar();
    void placeWindow();
    QAction *createAction(int id, const QString &menuText);
    void refreshRecentFiles();
    QAction *menuAction(const MenuItem &item);
    void onSubWindowActivated(QMdiSubWindow *window);

    CommandTarget &m_target;
    QMdiArea *m_mdi = nullptr;
    std::map<int, QAction *> m_actions;
    int m_menu = 0;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_ciuPane = nullptr;
    QLabel *m_groupPanes[kCollectionGroupCount] = {};
    QLabel *m_lockPanes[3] = {};  // caps, num, scroll
    QLabel *m_datePane = nullptr;
    QLabel *m_timePane = nullptr;
    QTimer m_clockTimer;
    QTimer m_lockTimer;
};

}  // namespace tk70
