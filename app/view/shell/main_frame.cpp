// CMainFrame, the main window: see main_frame.h.
#include "app/view/shell/main_frame.h"

#include "app/settings/command_ids.h"
#include "app/view/shell/child_frame.h"
#include "app/view/shell/command_icons.h"
#include "app/view/shell/frame_geometry.h"
#include "app/view/shell/menu_layout.h"
#include "core/product.h"
#include "platform/keyboard_locks.h"

#include <QCloseEvent>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace tk70 {

namespace {

// The text a menu shows for a command, without the key named after the tab.
QString menuLabel(const QString &menuText) { return menuText.section(QLatin1Char('\t'), 0, 0); }

}  // namespace

CMainFrame::CMainFrame(CommandTarget &target, QWidget *parent) : QMainWindow(parent), m_target(target)
{
    setWindowTitle(QString::fromLatin1(kProductName));
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    createActions();
    createMenus(kMenuMain);
    createToolBar();
    createStatusBar();
    placeWindow();
    setAcceptDrops(true);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);
    updateCommands();
}

// Child windows going away with the frame must not switch the menus of a frame that is
// half destroyed.
CMainFrame::~CMainFrame() { disconnect(m_mdi, nullptr, this, nullptr); }

QAction *CMainFrame::createAction(int id, const QString &menuText)
{
    auto found = m_actions.find(id);
    if (found != m_actions.end())
        return found->second;
    auto *action = new QAction(menuLabel(menuText), this);
    action->setData(id);
    // The key a menu text names beside the command ("&New\tCtrl+N") is the command's key.
    const QString key = menuText.section(QLatin1Char('\t'), 1);
    if (!key.isEmpty()) {
        action->setShortcut(QKeySequence(key, QKeySequence::PortableText));
        addAction(action);  // the key works whichever menu is shown
    }
    CommandPrompt prompt = commandPrompt(id);
    action->setStatusTip(prompt.status);
    action->setToolTip(prompt.tip.isEmpty() ? action->text().remove(QLatin1Char('&')) : prompt.tip);
    action->setIcon(commandIcon(id));
    action->setIconVisibleInMenu(false);
    connect(action, &QAction::triggered, this, [this, id] { m_target.execute(id); });
    m_actions[id] = action;
    return action;
}

void CMainFrame::createActions()
{
    for (int resource : {kMenuMain, kMenuSetup, kMenuGraph})
        for (const MenuLayout &menu : menuLayout(resource))
            for (const MenuItem &item : menu.items)
                if (item.id > 0)
                    createAction(item.id, item.text);
    for (int id : toolbarLayout())
        if (id > 0)
            createAction(id, commandPrompt(id).tip);
    for (int k = 0; k < cmd::RecentFileCount; ++k)
        createAction(cmd::RecentFile1 + k, QString());
    action(cmd::ViewToolbar)->setCheckable(true);
    action(cmd::ViewStatusBar)->setCheckable(true);
}

QAction *CMainFrame::action(int id) const
{
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

// The recent file entries show the files the program names now; an entry without a file
// is hidden.
void CMainFrame::refreshRecentFiles()
{
    const QStringList files = m_target.recentFiles();
    for (int k = 0; k < cmd::RecentFileCount; ++k) {
        QAction *recent = action(cmd::RecentFile1 + k);
        const QString path = files.value(k);
        recent->setText(QStringLiteral("&%1 %2").arg(k + 1).arg(QFileInfo(path).fileName()));
        recent->setStatusTip(path);
        recent->setVisible(!path.isEmpty());
    }
}

// A command shared by several menus takes the text of the menu shown (57602 is Close in
// the setup menu and Minimize All Graphs in the graph menu).
QAction *CMainFrame::menuAction(const MenuItem &item)
{
    QAction *command = action(item.id);
    command->setText(menuLabel(item.text));
    return command;
}

void CMainFrame::createMenus(int resource)
{
    m_menu = resource;
    menuBar()->clear();
    for (const MenuLayout &layout : menuLayout(resource)) {
        QMenu *menu = menuBar()->addMenu(layout.title);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommands);
        for (const MenuItem &item : layout.items) {
            if (item.id == 0)
                menu->addSeparator();
            else if (item.id == kRecentFiles)
                for (int k = 0; k < cmd::RecentFileCount; ++k)
                    menu->addAction(action(cmd::RecentFile1 + k));
            else
                menu->addAction(menuAction(item));
        }
    }
}

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolbar128"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    for (int id : toolbarLayout()) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(action(id));
    }
    connect(action(cmd::ViewToolbar), &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    action(cmd::ViewToolbar)->setChecked(true);
}

void CMainFrame::createStatusBar()
{
    auto pane = [this](const QString &name, const QString &text) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        return label;
    };
    m_ciuPane = pane(QStringLiteral("ciuPane"), QStringLiteral("CIU On-Line"));
    // A group pane keeps its width while its group does not collect and it shows nothing.
    for (int g = 0; g < kCollectionGroupCount; ++g) {
        m_groupPanes[g] = pane(QStringLiteral("groupPane%1").arg(g + 1), QStringLiteral("Coll %1").arg(g + 1));
        m_groupPanes[g]->setMinimumWidth(m_groupPanes[g]->sizeHint().width());
    }
    const char *locks[] = {"capsPane", "numPane", "scrollPane"};
    for (int k = 0; k < 3; ++k) {
        m_lockPanes[k] = pane(QString::fromLatin1(locks[k]), QString());
        m_lockPanes[k]->setMinimumWidth(m_lockPanes[k]->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        m_lockPanes[k]->setAlignment(Qt::AlignCenter);
    }
    m_datePane = pane(QStringLiteral("datePane"), QString());
    m_timePane = pane(QStringLiteral("timePane"), QString());
    // The idle text comes back whenever a prompt (a menu item's, a button's) goes.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString &message) {
        if (message.isEmpty())
            statusBar()->showMessage(QStringLiteral("Ready"));
    });
    statusBar()->showMessage(QStringLiteral("Ready"));
    connect(action(cmd::ViewStatusBar), &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    action(cmd::ViewStatusBar)->setChecked(true);
    connect(&m_clockTimer, &QTimer::timeout, this, &CMainFrame::refreshClock);
    m_clockTimer.start(10000);
    refreshClock();
    connect(&m_lockTimer, &QTimer::timeout, this, &CMainFrame::refreshLocks);
    m_lockTimer.start(500);
    refreshLocks();
}

void CMainFrame::refreshLocks()
{
    const KeyboardLocks locks = readKeyboardLocks();
    m_lockPanes[0]->setText(locks.caps ? QStringLiteral("CAP") : QString());
    m_lockPanes[1]->setText(locks.num ? QStringLiteral("NUM") : QString());
    m_lockPanes[2]->setText(locks.scroll ? QStringLiteral("SCRL") : QString());
}

void CMainFrame::refreshClock()
{
    m_datePane->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    m_timePane->setText(statusTimeText(QTime::currentTime()));
}

void CMainFrame::setCiuPane(const QString &text) { m_ciuPane->setText(text); }

void CMainFrame::setGroupPane(int group, const QString &text)
{
    if (group >= 1 && group <= kCollectionGroupCount)
        m_groupPanes[group - 1]->setText(text);
}

void CMainFrame::placeWindow()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(mainFrameGeometry(screen->geometry()));
}

void CMainFrame::restorePlacement()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || (screen->size().width() <= 800 && screen->size().height() <= 600))
        return;
    showNormal();
    placeWindow();
}

void CMainFrame::updateCommands()
{
    refreshRecentFiles();
    for (auto &[id, act] : m_actions) {
        if (id == cmd::ViewToolbar || id == cmd::ViewStatusBar)
            continue;
        act->setEnabled(m_target.isEnabled(id));
    }
}

void CMainFrame::onSubWindowActivated(QMdiSubWindow *window)
{
    auto *child = qobject_cast<CChildFrame *>(window);
    int resource = child ? child->menuResource() : kMenuMain;
    if (resource != m_menu)
        createMenus(resource);
    updateCommands();
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_target.mayExit())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    const auto urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile())
        m_target.openDroppedFile(urls.first().toLocalFile());
}

}  // namespace tk70
