// The main window's commands as a user meets them: the menus of each kind of window with
// their keys, the toolbar, the keys acting, the recent list following a save, the idle
// prompt, Print Setup, Arrange Icons, and the question before unsaved work is dropped.
#include "app/settings/command_ids.h"
#include "app/view/shell/child_frame.h"
#include "app/view/shell/collector_app.h"
#include "app/view/shell/icon_arrangement.h"
#include "app/view/shell/main_frame.h"
#include "app/view/shell/menu_layout.h"
#include "platform/registry/settings_store.h"
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace tk70;
using namespace tk70test;

namespace {

class ShellCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store = std::make_unique<SettingsStore>(m_dir.filePath("registry"));
    }
    void TearDown() override { m_app.reset(); }

    CCollectorApp &start(const QStringList &arguments = {})
    {
        m_app.reset();
        m_app = std::make_unique<CCollectorApp>(*m_store);
        EXPECT_TRUE(m_app->initInstance(QStringList{QStringLiteral("--nologo")} + arguments));
        return *m_app;
    }
    // A saved selection with one tag, FIC-101.
    QString writePlant(const QString &name = QStringLiteral("plant.tsf"))
    {
        CTagDoc doc;
        doc.newDocument();
        TagRecord tag;
        tag.tagname = QStringLiteral("FIC-101");
        tag.block = 101;
        doc.setTag(0, tag);
        doc.tags().setCount(1);
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(doc.saveDocument(path));
        return path;
    }
    QLineEdit *editorField(int id) const
    {
        return m_app->windows().setupWindow(WindowBook::TagEditor)->findChild<QLineEdit *>(QString::number(id));
    }
    // The menus shown now, one line each: "title: id text[\tkey] | - | recent | ...".
    QStringList shownMenus() const
    {
        QStringList menus;
        for (QAction *top : m_app->mainFrame()->menuBar()->actions()) {
            QStringList items;
            for (QAction *item : top->menu()->actions())
                if (items.isEmpty() || describe(item) != QStringLiteral("recent") || items.last() != describe(item))
                    items << describe(item);  // the four recent entries read as one
            menus << top->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | "));
        }
        return menus;
    }
    static QString describe(QAction *item)
    {
        if (item->isSeparator())
            return QStringLiteral("-");
        const int id = item->data().toInt();
        if (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + cmd::RecentFileCount)
            return QStringLiteral("recent");
        QString text = QStringLiteral("%1 %2").arg(id).arg(item->text());
        if (!item->shortcut().isEmpty())
            text += QLatin1Char('\t') + item->shortcut().toString(QKeySequence::PortableText);
        return text;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<CCollectorApp> m_app;
    MessageRecorder m_messages;
};

const char *const kHelp = "&Help: 32813 &Content | - | 57664 &About TK70...";
const char *const kWindow = "&Window: 57650 &Cascade | 57651 &Tile | 57649 &Arrange Icons";
const char *const kCollection = "&Collection: 32786 &Start | 32787 S&top";
const char *const kImportsAndHistory =
    "32812 &Import TK70 (DOS) &TSF... | 32815 Import &Delimited Tag List... | - | "
    "32816 Graph &Historical ASCII Data File... | 32819 Graph &Historical T&K70 (DOS) Data File...";
const char *const kOptions = "32802 &Database Options... | 32820 DD&E Server Options... | "
                             "32821 Start&up Settings... | 32804 Co&mmunication Status...";

std::string lines(const QStringList &menus) { return menus.join(QLatin1Char('\n')).toStdString(); }

QStringList expectedMenus(int resource)
{
    const QString help = QString::fromLatin1(kHelp);
    const QString bars = QStringLiteral("&View: 59392 &Toolbar | 59393 &Status Bar | - | ");
    switch (resource) {
    case kMenuMain:
        return {QStringLiteral("&File: 57600 &New\tCtrl+N | 57601 &Open...\tCtrl+O | 57603 &Save\tCtrl+S | - | ") +
                    kImportsAndHistory + " | - | 57606 P&rint Setup... | - | recent | - | 57665 E&xit",
                bars + kOptions, help};
    case kMenuSetup:
        return {QStringLiteral("&File: 57600 &New\tCtrl+N | 57601 &Open...\tCtrl+O | 57602 &Close | "
                               "57603 &Save\tCtrl+S | 57604 Save &As... | - | ") +
                    kImportsAndHistory +
                    " | - | 57607 &Print...\tCtrl+P | 57609 Print Pre&view | 57606 P&rint Setup... | - | recent | "
                    "- | 57665 E&xit",
                QStringLiteral("&Edit: 57643 &Undo\tCtrl+Z | - | 57635 Cu&t\tCtrl+X | 57634 &Copy\tCtrl+C | "
                               "57637 &Paste\tCtrl+V"),
                bars + "32790 &Collection Settings... | 32791 Ta&g Selection | 32792 T&rend Setup | - | " + kOptions,
                kCollection,
                kWindow,
                help};
    default:
        return {QStringLiteral("&File: 57602 &Minimize All Graphs | 32817 Save &As Metafile... | - | "
                               "57607 &Print...\tCtrl+P | 57609 Print Pre&view | 57606 P&rint Setup... | - | "
                               "57665 E&xit"),
                bars + "32804 Co&mmunication Status...",
                kCollection,
                "&Tune: 32796 &Tune Block...",
                kWindow,
                help};
    }
}

}  // namespace

// Each kind of window shows its menu; the keys the texts name are the commands' keys.
TEST_F(ShellCommandsTest, MenusAndToolbarAreTheProgramsTables)
{
    CCollectorApp &app = start();
    EXPECT_EQ(lines(shownMenus()), lines(expectedMenus(kMenuSetup)));
    auto *graph = new CChildFrame(new QLabel(QStringLiteral("graph")), kMenuGraph);
    app.mainFrame()->mdiArea()->addSubWindow(graph);
    graph->show();
    app.mainFrame()->mdiArea()->setActiveSubWindow(graph);
    EXPECT_EQ(lines(shownMenus()), lines(expectedMenus(kMenuGraph)));
    graph->close();
    app.windows().setupWindow(WindowBook::TagEditor)->close();
    ASSERT_TRUE(waitFor([&] { return app.mainFrame()->mdiArea()->subWindowList().isEmpty(); }));
    EXPECT_EQ(lines(shownMenus()), lines(expectedMenus(kMenuMain)));

    QStringList toolbar;
    for (QAction *button : app.mainFrame()->findChild<QToolBar *>()->actions())
        toolbar << (button->isSeparator() ? QStringLiteral("|") : QString::number(button->data().toInt()));
    EXPECT_EQ(toolbar.join(' '),
              "57600 57601 57603 | 32790 32791 32792 | 32786 32787 | 32794 32793 32796 | 57607 32813");
}

TEST_F(ShellCommandsTest, KeysRunTheirCommandsAndTheIdlePromptReturns)
{
    CCollectorApp &app = start({writePlant()});
    CMainFrame *frame = app.mainFrame();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    m_messages.answer(MessageAnswer::Cancel);
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_messages.texts(), QStringList{"Overwrite Existing Tag Selection & Trend Settings?"});

    QStatusTipEvent prompt(QStringLiteral("Create a new Tag Selection File"));
    QApplication::sendEvent(frame, &prompt);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Create a new Tag Selection File");
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(frame, &gone);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Ready");
}

TEST_F(ShellCommandsTest, SaveAsPutsTheNewNameAtTheTopOfTheRecentList)
{
    CCollectorApp &app = start({writePlant()});
    const QString copy = m_dir.filePath("copy.tsf");
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        dialog->selectFile(copy);
        static_cast<QDialog *>(dialog)->accept();  // as the Save button does
    });
    app.execute(cmd::FileSaveAs);
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(app.mainFrame()->action(cmd::RecentFile1)->text(), "&1 copy.tsf");
    EXPECT_EQ(app.mainFrame()->action(cmd::RecentFile1 + 1)->text(), "&2 plant.tsf");
    EXPECT_FALSE(app.mainFrame()->action(cmd::RecentFile1 + 2)->isVisible());
}

// Import Delimited Tag List: the file, the overwrite question, then the tags in a new,
// unnamed selection that the tag editor shows.
TEST_F(ShellCommandsTest, ADelimitedTagListFillsANewSelection)
{
    CCollectorApp &app = start({writePlant()});
    const QString list = m_dir.filePath("tags.txt");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("FIC-101,1,2,3,101,AE,Feed flow\r\n\"TIC-7\",0,12,2,3423,STATUS,Drum level\r\n");
    file.close();
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        dialog->selectFile(list);
        static_cast<QDialog *>(dialog)->accept();
    });
    m_messages.answer(MessageAnswer::Ok);
    app.execute(cmd::ImportDelimited);
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_EQ(m_messages.texts().last(), "Overwrite Existing Tag Selection & Trend Settings?");
    ASSERT_EQ(app.currentDocument()->tagCount(), 2);
    EXPECT_EQ(app.currentDocument()->tag(1).tagname, "TIC-7");
    EXPECT_EQ(app.currentDocument()->tag(1).pointType, 9);
    EXPECT_TRUE(app.currentDocument()->pathName().isEmpty());
    ASSERT_NE(app.windows().setupWindow(WindowBook::TagEditor), nullptr);
    EXPECT_EQ(app.windows().setupWindow(WindowBook::TagEditor)->findChild<QLineEdit *>(QStringLiteral("5001"))->text(),
              "TIC-7");
}

TEST_F(ShellCommandsTest, PrintSetupShowsThePageSetupOfTheProgramsPrinter)
{
    CCollectorApp &app = start();
    ASSERT_TRUE(app.isEnabled(cmd::PrintSetup));
    bool shown = false;
    whenModal<QPageSetupDialog>([&](QPageSetupDialog *dialog) {
        shown = true;
        dialog->reject();
    });
    app.execute(cmd::PrintSetup);
    EXPECT_TRUE(shown);
}

TEST(IconArrangement, RowsFromTheBottomLeftWrappingUpwards)
{
    const QSize icon(160, 30);
    EXPECT_EQ(iconPositions(QSize(400, 300), icon, 3), (QList<QPoint>{{0, 270}, {160, 270}, {0, 240}}));
    EXPECT_EQ(iconPositions(QSize(100, 300), icon, 2), (QList<QPoint>{{0, 270}, {0, 240}}));
    EXPECT_TRUE(iconPositions(QSize(400, 300), QSize(), 2).isEmpty());
}

// Closing the tag editor, File Close and Exit each offer to save a changed selection;
// Cancel keeps everything, No drops the change, Yes saves it.  An unchanged one closes
// without a question.
TEST_F(ShellCommandsTest, UnsavedChangesAreOfferedBeforeTheSelectionCloses)
{
    const QString plant = writePlant();
    const QByteArray saved = [&] {
        QFile f(plant);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    struct Closer {
        const char *name;
        std::function<void(CCollectorApp &)> close;
        std::function<bool(CCollectorApp &)> closed;
    };
    const Closer closers[] = {
        {"tag editor", [](CCollectorApp &a) { a.windows().setupWindow(WindowBook::TagEditor)->close(); },
         [](CCollectorApp &a) { return waitFor([&] { return a.currentDocument() == nullptr; }, 2000); }},
        {"File Close", [](CCollectorApp &a) { a.execute(cmd::FileClose); },
         [](CCollectorApp &a) { return a.currentDocument() == nullptr; }},
        {"Exit", [](CCollectorApp &a) { a.execute(cmd::Exit); },
         [](CCollectorApp &a) { return !a.mainFrame()->isVisible(); }},
    };
    for (const Closer &closer : closers) {
        CCollectorApp &app = start({plant});
        m_messages.clear();
        closer.close(app);  // unchanged: no question
        EXPECT_TRUE(closer.closed(app)) << closer.name;
        EXPECT_TRUE(m_messages.messages().empty()) << closer.name;

        for (MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No}) {
            CCollectorApp &changed = start({plant});
            editorField(5120)->setText(QStringLiteral("Feed flow"));
            m_messages.clear();
            m_messages.answer(answer);
            closer.close(changed);
            ASSERT_EQ(m_messages.texts(), QStringList{"Save changes to plant.tsf?"}) << closer.name;
            EXPECT_EQ(m_messages.messages().front().buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(closer.closed(changed), answer == MessageAnswer::No) << closer.name;
            QFile file(plant);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), saved) << closer.name;
        }
    }
    CCollectorApp &app = start({plant});
    editorField(5120)->setText(QStringLiteral("Feed flow"));
    m_messages.answer(MessageAnswer::Yes);
    app.execute(cmd::FileClose);
    EXPECT_EQ(app.currentDocument(), nullptr);
    CTagDoc reread;
    ASSERT_TRUE(reread.openDocument(plant));
    EXPECT_EQ(reread.tag(0).description, "Feed flow");
}

// A settings file the program cannot read is reported once at start-up and left as it
// was, through opening files (the recent list) and an options dialog's OK.
TEST_F(ShellCommandsTest, AnUnreadableSettingsFileIsReportedOnceAndNeverOverwritten)
{
    const QString plant = writePlant();
    const QString registry = m_dir.filePath("registry");
    {
        QFile file(registry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrane\\TK70 Pro]\n\"AutoStartEnabled\"=dword:zz\n");
    }
    const QByteArray before = [&] {
        QFile f(registry);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    CCollectorApp &app = start({plant});
    ASSERT_EQ(m_messages.messages().size(), 1u) << qPrintable(m_messages.texts().join("|"));
    EXPECT_TRUE(m_messages.texts().first().startsWith("The settings could not be read;"));
    EXPECT_TRUE(m_messages.texts().first().contains(registry + ": line 2: "));
    EXPECT_FALSE(app.firstStart());
    app.execute(cmd::FileClose);
    app.openDroppedFile(plant);
    EXPECT_EQ(m_messages.messages().size(), 1u) << qPrintable(m_messages.texts().join("|"));
    QFile after(registry);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}
