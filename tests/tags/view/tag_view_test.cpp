// The tag editor through its real widgets: row enabling, adding, deleting and renaming
// tags with the trend-use checks, paging, insert, find and page validation.
#include "tests/tags/view/tag_view_fixture.h"

#include "tags/view/find_tag_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

using tk70::MessageAnswer;
using tk70::MessageIcon;

namespace {

// Answers each opening of the Find Tag dialog with the next action (Cancel when none
// is left), and counts the openings.
class FindScript : public QObject {
public:
    explicit FindScript(std::vector<std::function<void(tk70::CFindTagDialog *)>> actions)
        : m_actions(std::move(actions))
    {
        connect(&m_timer, &QTimer::timeout, this, &FindScript::poll);
        m_timer.start(1);
    }
    int openings() const { return m_openings; }

private:
    void poll()
    {
        auto *dialog = qobject_cast<tk70::CFindTagDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        ++m_openings;
        if (m_actions.empty()) {
            dialog->reject();
            return;
        }
        auto action = m_actions.front();
        m_actions.erase(m_actions.begin());
        action(dialog);
    }
    std::vector<std::function<void(tk70::CFindTagDialog *)>> m_actions;
    QTimer m_timer;
    int m_openings = 0;
};

void searchFor(tk70::CFindTagDialog *dialog, const QString &text)
{
    auto *field = dialog->findChild<QLineEdit *>("1089");
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

}  // namespace

TEST_F(TagViewTest, AnEmptyDocumentOffersOnlyTheFirstTagname)
{
    open(0);
    EXPECT_TRUE(tagname(0)->isEnabled());
    EXPECT_FALSE(edit(5020)->isEnabled());
    EXPECT_FALSE(control(5100)->isEnabled());
    EXPECT_FALSE(control(5400)->isEnabled());
    for (int row = 1; row < 10; ++row) {
        EXPECT_FALSE(tagname(row)->isEnabled()) << row;
        EXPECT_FALSE(edit(5120 + row)->isEnabled()) << row;
    }
    EXPECT_EQ(m_view->findChild<QLabel *>("row10")->text(), "10");
}

TEST_F(TagViewTest, TypingANameIntoTheFirstEmptyRowAddsATag)
{
    open(2);
    typeInto(tagname(2), "FIC-101");
    QTest::keyClick(tagname(2), Qt::Key_Tab);
    EXPECT_EQ(m_doc.tagCount(), 3);
    EXPECT_EQ(m_doc.tag(2).tagname, "FIC-101");
    EXPECT_TRUE(m_doc.tag(2).belongsToGroup(0));
    EXPECT_TRUE(edit(5022)->isEnabled());
    EXPECT_TRUE(tagname(3)->isEnabled());
    EXPECT_FALSE(edit(5023)->isEnabled());
    EXPECT_EQ(focus(), tagname(2));
}

TEST_F(TagViewTest, ClearingTheNameOfATagNoTraceUsesDeletesIt)
{
    open(3);
    typeInto(tagname(1), "");
    QTest::mouseClick(tagname(0), Qt::LeftButton);
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(m_doc.tagCount(), 2);
    EXPECT_EQ(m_doc.tag(1).tagname, "TAG3");
    EXPECT_EQ(tagname(1)->text(), "TAG3");
    EXPECT_EQ(edit(5081)->text(), "3");
    EXPECT_FALSE(tagname(3)->isEnabled());
}

TEST_F(TagViewTest, RenamingATrendUsedTagAsksAndRenamesTheTraces)
{
    m_doc.graph(3).traceCount = 2;
    m_doc.graph(3).traces[1].tagname = "TAG2";
    open(3);
    m_messages.answer(MessageAnswer::Ok);
    typeInto(tagname(1), "PUMP2");
    QTest::mouseClick(tagname(0), Qt::LeftButton);
    ASSERT_EQ(m_messages.messages().size(), 1u);
    const tk70::Message &question = m_messages.messages().front();
    EXPECT_EQ(question.text, "Tag Currently In Use on a Trend Graph.\n\nRename The Tags in All Affected Trends?");
    EXPECT_EQ(question.icon, MessageIcon::Stop);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::Cancel);
    EXPECT_EQ(m_doc.tag(1).tagname, "PUMP2");
    EXPECT_EQ(m_doc.graph(3).traces[1].tagname, "PUMP2");

    m_messages.answer(MessageAnswer::Cancel);
    typeInto(tagname(1), "OTHER");
    QTest::mouseClick(tagname(2), Qt::LeftButton);
    EXPECT_EQ(m_messages.messages().size(), 2u);
    EXPECT_EQ(tagname(1)->text(), "PUMP2");
    EXPECT_EQ(m_doc.graph(3).traces[1].tagname, "PUMP2");
}

TEST_F(TagViewTest, ATrendUsedTagIsNeitherClearedNorDeleted)
{
    m_doc.graph(0).traceCount = 1;
    m_doc.graph(0).traces[0].tagname = "TAG2";
    open(3);
    typeInto(tagname(1), "");
    QTest::mouseClick(tagname(0), Qt::LeftButton);
    EXPECT_EQ(tagname(1)->text(), "TAG2");
    QTest::mouseClick(edit(5041), Qt::LeftButton);
    QTest::keyClick(edit(5041), Qt::Key_Delete, Qt::ShiftModifier);
    const QString refusal = "Tag Currently Used on a Trend Graph.\n\nTags May Not be Deleted.";
    EXPECT_EQ(m_messages.texts(), (QStringList{refusal, refusal}));
    EXPECT_EQ(m_messages.messages().back().icon, MessageIcon::Stop);
    EXPECT_EQ(m_doc.tagCount(), 3);
    EXPECT_EQ(m_doc.tag(1).tagname, "TAG2");
}

TEST_F(TagViewTest, ShiftDeleteAsksAndDeletesOnYes)
{
    open(4);
    QTest::mouseClick(edit(5061), Qt::LeftButton);
    QTest::keyClick(edit(5061), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(m_doc.tagCount(), 4);  // No is the default answer
    m_messages.answer(MessageAnswer::Yes);
    QTest::keyClick(edit(5061), Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(m_messages.messages().size(), 2u);
    EXPECT_EQ(m_messages.messages().back().text, "Are you sure you want to delete this tag ?");
    EXPECT_EQ(m_messages.messages().back().title, "Question");
    EXPECT_EQ(m_messages.messages().back().defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(m_doc.tagCount(), 3);
    EXPECT_EQ(tagname(1)->text(), "TAG3");
}

TEST_F(TagViewTest, EndShowsTheLastTagsAndTheNewRow)
{
    open(25);
    QTest::keyClick(tagname(0), Qt::Key_End);
    EXPECT_EQ(m_view->pageOffset(), 16);
    EXPECT_EQ(tagname(0)->text(), "TAG17");
    EXPECT_EQ(tagname(8)->text(), "TAG25");
    EXPECT_TRUE(tagname(9)->text().isEmpty());
    EXPECT_TRUE(tagname(9)->isEnabled());
    EXPECT_EQ(m_view->findChild<QLabel *>("row10")->text(), "26");
    EXPECT_EQ(focus(), tagname(9));

    QTest::keyClick(tagname(9), Qt::Key_Home);
    EXPECT_EQ(m_view->pageOffset(), 0);
    QTest::keyClick(tagname(0), Qt::Key_PageDown);
    EXPECT_EQ(m_view->pageOffset(), 10);
    QTest::mouseClick(control(1112), Qt::LeftButton);
    EXPECT_EQ(m_view->pageOffset(), 16);
    QTest::mouseClick(control(1120), Qt::LeftButton);
    EXPECT_EQ(m_view->pageOffset(), 6);
}

TEST_F(TagViewTest, ArrowsScrollAtTheEdgesOfThePage)
{
    open(25);
    QTest::mouseClick(edit(5049), Qt::LeftButton);
    QTest::keyClick(edit(5049), Qt::Key_Down);
    EXPECT_EQ(m_view->pageOffset(), 1);
    EXPECT_EQ(focus(), edit(5049));
    EXPECT_EQ(tagname(9)->text(), "TAG11");
    QTest::keyClick(edit(5049), Qt::Key_Up);
    EXPECT_EQ(focus(), edit(5048));
    QTest::mouseClick(edit(5040), Qt::LeftButton);
    QTest::keyClick(edit(5040), Qt::Key_Up);
    EXPECT_EQ(m_view->pageOffset(), 0);
    EXPECT_EQ(focus(), edit(5040));
}

TEST_F(TagViewTest, InsertWithThirtyTagsLosesTheLastOnOk)
{
    open(30);
    QTest::mouseClick(tagname(2), Qt::LeftButton);
    QTest::keyClick(tagname(2), Qt::Key_Insert);
    EXPECT_EQ(m_doc.tag(29).tagname, "TAG30");  // Cancel is the default
    m_messages.answer(MessageAnswer::Ok);
    QTest::keyClick(tagname(2), Qt::Key_Insert);
    ASSERT_EQ(m_messages.messages().size(), 2u);
    EXPECT_EQ(m_messages.messages().back().text, "Last tag will be lost");
    EXPECT_EQ(m_messages.messages().back().title, "Information");
    EXPECT_EQ(m_doc.tag(29).tagname, "TAG29");
    EXPECT_TRUE(tagname(2)->text().isEmpty());
    EXPECT_EQ(tagname(3)->text(), "TAG3");
    EXPECT_TRUE(m_view->isInsertPending());
    typeInto(tagname(2), "NEW");
    QTest::keyClick(tagname(2), Qt::Key_Escape);
    EXPECT_FALSE(m_view->isInsertPending());
    EXPECT_TRUE(m_view->commitPage());
    EXPECT_EQ(m_doc.tag(2).tagname, "NEW");
    EXPECT_EQ(m_doc.tagCount(), 30);
}

TEST_F(TagViewTest, EscapeDropsAnInsertedRowThatGotNoName)
{
    open(5);
    QTest::mouseClick(edit(5021), Qt::LeftButton);
    QTest::keyClick(edit(5021), Qt::Key_Insert);
    EXPECT_EQ(focus(), tagname(1));
    EXPECT_EQ(tagname(2)->text(), "TAG2");
    QTest::keyClick(tagname(1), Qt::Key_Escape);
    EXPECT_EQ(tagname(1)->text(), "TAG2");
    EXPECT_EQ(m_doc.tagCount(), 5);
    // The Tune Block button reaches the same command.
    m_view->insertTag();
    QTest::mouseClick(tagname(4), Qt::LeftButton);
    EXPECT_EQ(m_doc.tagCount(), 5);
    EXPECT_EQ(tagname(1)->text(), "TAG2");
}

// Every movement of the page leaves the inserted row: an insert that got no name ends
// there, and the saved file holds the tags without a gap and without losing the last.
TEST_F(TagViewTest, MovingThePageFinishesAnInsertThatGotNoName)
{
    struct Case {
        const char *movement;
        bool fromLastPage;  // start on the page End shows (offset 6), else on the first
        int insertRow;
        std::function<void()> move;
        int offsetAfter;
    };
    auto key = [this](Qt::Key pressed) { return [this, pressed] { QTest::keyClick(focus(), pressed); }; };
    const std::vector<Case> cases{
        {"Page Down", false, 4, key(Qt::Key_PageDown), 6},
        {"Page Up", true, 4, key(Qt::Key_PageUp), 0},
        {"Home", true, 4, key(Qt::Key_Home), 0},
        {"End", false, 4, key(Qt::Key_End), 6},
        {"Down in row 10", false, 9, key(Qt::Key_Down), 1},
        {"Up in row 1", true, 0, key(Qt::Key_Up), 5},
        {"Find", false, 4,
         [this] {
             FindScript script({[](tk70::CFindTagDialog *dialog) { searchFor(dialog, "TAG14"); }});
             m_view->findTag();
             EXPECT_EQ(focus(), tagname(8));
             EXPECT_EQ(tagname(8)->text(), "TAG14");
         },
         5},
    };
    QStringList expected;
    for (int number = 1; number <= 15; ++number)
        expected << QStringLiteral("TAG%1").arg(number);
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.movement);
        m_doc.resetTags();
        open(15);
        if (c.fromLastPage)
            QTest::keyClick(focus(), Qt::Key_End);
        QTest::mouseClick(tagname(c.insertRow), Qt::LeftButton);
        QTest::keyClick(tagname(c.insertRow), Qt::Key_Insert);
        ASSERT_TRUE(m_view->isInsertPending());
        c.move();
        EXPECT_EQ(m_view->pageOffset(), c.offsetAfter);
        QTest::keyClick(focus(), Qt::Key_Escape);
        EXPECT_FALSE(m_view->isInsertPending());
        ASSERT_TRUE(m_view->commitPage());
        const QString path = dir.filePath(QStringLiteral("insert.tsf"));
        ASSERT_TRUE(m_doc.saveDocument(path));
        tk70::CTagDoc saved;
        ASSERT_TRUE(saved.openDocument(path));
        QStringList names;
        for (int slot = 0; slot < saved.tagCount(); ++slot)
            names << saved.tag(slot).tagname;
        EXPECT_EQ(names.join(',').toStdString(), expected.join(',').toStdString());
        EXPECT_TRUE(m_messages.messages().empty());
    }
}

TEST_F(TagViewTest, AnOutOfRangeBlockFailsValidationOnThatField)
{
    open(3);
    typeInto(edit(5081), "10000");
    QTest::mouseClick(tagname(0), Qt::LeftButton);
    EXPECT_FALSE(m_view->validatePage());
    EXPECT_EQ(m_messages.texts(), QStringList{"Please enter an integer between 0 and 9999."});
    EXPECT_EQ(focus(), edit(5081));
    EXPECT_FALSE(m_view->commitPage());
    EXPECT_EQ(m_doc.tag(1).block, 2);
    typeInto(edit(5081), "9999");
    EXPECT_TRUE(m_view->validatePage());
    EXPECT_TRUE(m_view->commitPage());
    EXPECT_EQ(m_doc.tag(1).block, 9999);
}

TEST_F(TagViewTest, ValidationSettlesATagnameBeingTyped)
{
    open(2);
    typeInto(tagname(2), "LIC-7");
    EXPECT_TRUE(m_view->validatePage());
    EXPECT_EQ(m_doc.tagCount(), 3);
    EXPECT_EQ(m_doc.tag(2).tagname, "LIC-7");
}

TEST_F(TagViewTest, FindIgnoresCaseAndAnEmptyNameOnlyBeeps)
{
    open(25);
    FindScript script({[](tk70::CFindTagDialog *dialog) { searchFor(dialog, ""); },
                       [](tk70::CFindTagDialog *dialog) { searchFor(dialog, "tag22"); }});
    QTest::mouseClick(control(1201), Qt::LeftButton);
    EXPECT_EQ(script.openings(), 2);
    EXPECT_EQ(m_beeps, 1);
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(m_view->pageOffset(), 15);
    EXPECT_EQ(focus(), tagname(6));
}

TEST_F(TagViewTest, FindWithoutAMatchWarnsAndKeepsTheEntries)
{
    open(5);
    QString kept;
    FindScript script({[](tk70::CFindTagDialog *dialog) { searchFor(dialog, "NOSUCH"); },
                       [&kept](tk70::CFindTagDialog *dialog) {
                           kept = dialog->findChild<QLineEdit *>("1089")->text();
                           QTest::mouseClick(dialog->findChild<QRadioButton *>("2247"), Qt::LeftButton);
                           EXPECT_FALSE(dialog->findChild<QLineEdit *>("1089")->isEnabled());
                           auto *block = dialog->findChild<QLineEdit *>("2245");
                           block->selectAll();
                           QTest::keyClicks(block, "4");
                           QTest::keyClick(block, Qt::Key_Return);
                       }});
    m_view->findTag();
    EXPECT_EQ(kept, "NOSUCH");
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_messages.messages().front().text, "No Matching Tag Found");
    EXPECT_EQ(m_messages.messages().front().title, "Tag Find Error");
    EXPECT_EQ(m_messages.messages().front().icon, MessageIcon::Warning);
    EXPECT_EQ(focus(), tagname(3));
}

TEST_F(TagViewTest, TheButtonsAskForTheApplicationCommands)
{
    open(1);
    int settings = 0;
    int trends = 0;
    QObject::connect(m_view.get(), &tk70::CTagView::collectionSettingsRequested, [&] { ++settings; });
    QObject::connect(m_view.get(), &tk70::CTagView::trendSetupRequested, [&] { ++trends; });
    QTest::mouseClick(control(32790), Qt::LeftButton);
    QTest::mouseClick(control(32792), Qt::LeftButton);
    EXPECT_EQ(settings, 1);
    EXPECT_EQ(trends, 1);
}
