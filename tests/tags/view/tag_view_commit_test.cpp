// The tag editor commits a page while a tagname edit still holds a changed name (a paging
// or arrow key, or a commit from the program): the trend-use question or refusal comes
// first, exactly once, and the traces follow the answer.  A commit writes back a row the
// user did not change as the document holds it, texts longer than the fields included.
#include "tests/tags/view/tag_view_fixture.h"

using tk70::MessageAnswer;

namespace {

const QString kRenameQuestion =
    QStringLiteral("Tag Currently In Use on a Trend Graph.\n\nRename The Tags in All Affected Trends?");
const QString kDeleteRefusal = QStringLiteral("Tag Currently Used on a Trend Graph.\n\nTags May Not be Deleted.");

}  // namespace

class TagViewCommitTest : public TagViewTest {
protected:
    // TAG2 drawn by graph 1 (trace 1) and graph 3 (trace 3, beside TAG1 in trace 1).
    void useTag2OnTwoGraphs()
    {
        m_doc.graph(0).traceCount = 1;
        m_doc.graph(0).traces[0].tagname = QStringLiteral("TAG2");
        m_doc.graph(2).traceCount = 3;
        m_doc.graph(2).traces[0].tagname = QStringLiteral("TAG1");
        m_doc.graph(2).traces[2].tagname = QStringLiteral("TAG2");
    }
    void expectTracesName(const QString &name)
    {
        EXPECT_EQ(m_doc.graph(0).traces[0].tagname, name);
        EXPECT_EQ(m_doc.graph(2).traces[2].tagname, name);
        EXPECT_EQ(m_doc.graph(2).traces[0].tagname, "TAG1");
    }
};

TEST_F(TagViewCommitTest, PageDownAfterRenamingATrendUsedTagAsksAndOkRenamesEveryTrace)
{
    useTag2OnTwoGraphs();
    open(15);
    QStringList renamed;
    QObject::connect(m_view.get(), &tk70::CTagView::tagRenamed,
                     [&](const QString &from, const QString &to) { renamed << from << to; });
    m_messages.answer(MessageAnswer::Ok);
    typeInto(tagname(1), "PUMP2");
    QTest::keyClick(tagname(1), Qt::Key_PageDown);
    EXPECT_EQ(m_messages.texts(), QStringList{kRenameQuestion});
    EXPECT_EQ(m_doc.tag(1).tagname, "PUMP2");
    expectTracesName(QStringLiteral("PUMP2"));
    EXPECT_EQ(renamed, (QStringList{"TAG2", "PUMP2"}));
    EXPECT_EQ(m_view->pageOffset(), 6);
    EXPECT_EQ(m_doc.tagCount(), 15);

    // The edit losing the focus afterwards asks nothing more.
    QTest::mouseClick(tagname(4), Qt::LeftButton);
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

TEST_F(TagViewCommitTest, PageDownAfterRenamingATrendUsedTagKeepsTheOldNameOnCancel)
{
    useTag2OnTwoGraphs();
    open(15);
    m_messages.answer(MessageAnswer::Cancel);
    typeInto(tagname(1), "PUMP2");
    QTest::keyClick(tagname(1), Qt::Key_PageDown);
    EXPECT_EQ(m_messages.texts(), QStringList{kRenameQuestion});
    EXPECT_EQ(m_doc.tag(1).tagname, "TAG2");
    expectTracesName(QStringLiteral("TAG2"));
    EXPECT_EQ(m_view->pageOffset(), 6);

    QTest::keyClick(tagname(1), Qt::Key_PageUp);
    EXPECT_EQ(m_view->pageOffset(), 0);
    EXPECT_EQ(tagname(1)->text(), "TAG2");
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

TEST_F(TagViewCommitTest, DownAfterClearingATrendUsedTagRefusesAndRestoresTheName)
{
    useTag2OnTwoGraphs();
    open(15);
    typeInto(tagname(1), "");
    QTest::keyClick(tagname(1), Qt::Key_Down);
    EXPECT_EQ(m_messages.texts(), QStringList{kDeleteRefusal});
    EXPECT_EQ(m_messages.messages().front().icon, tk70::MessageIcon::Stop);
    EXPECT_EQ(tagname(1)->text(), "TAG2");
    EXPECT_EQ(m_doc.tag(1).tagname, "TAG2");
    EXPECT_EQ(m_doc.tagCount(), 15);
    expectTracesName(QStringLiteral("TAG2"));
    EXPECT_EQ(focus(), tagname(2));

    QTest::mouseClick(tagname(0), Qt::LeftButton);
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

TEST_F(TagViewCommitTest, PageDownAfterRenamingATagNoTraceUsesRenamesWithoutAQuestion)
{
    useTag2OnTwoGraphs();
    open(15);
    typeInto(tagname(2), "FIC-3");
    QTest::keyClick(tagname(2), Qt::Key_PageDown);
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(m_doc.tag(2).tagname, "FIC-3");
    EXPECT_EQ(m_doc.tagCount(), 15);
    EXPECT_EQ(m_view->pageOffset(), 6);
    expectTracesName(QStringLiteral("TAG2"));
}

TEST_F(TagViewCommitTest, EndAfterClearingATagNoTraceUsesDeletesItAndMovesTheTagsUp)
{
    useTag2OnTwoGraphs();
    open(15);
    typeInto(tagname(2), "");
    QTest::keyClick(tagname(2), Qt::Key_End);
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(m_doc.tagCount(), 14);
    EXPECT_EQ(m_doc.tag(2).tagname, "TAG4");
    EXPECT_EQ(m_doc.tag(13).tagname, "TAG15");
    EXPECT_TRUE(m_doc.tag(14).tagname.isEmpty());
    EXPECT_EQ(m_view->pageOffset(), 5);
}

TEST_F(TagViewCommitTest, ACommitWhileTheEditHasTheFocusAsksOnce)
{
    useTag2OnTwoGraphs();
    open(15);
    m_messages.answer(MessageAnswer::Ok);
    typeInto(tagname(1), "PUMP2");
    ASSERT_EQ(focus(), tagname(1));
    EXPECT_TRUE(m_view->commitPage());
    EXPECT_EQ(m_messages.texts(), QStringList{kRenameQuestion});
    EXPECT_EQ(m_doc.tag(1).tagname, "PUMP2");
    expectTracesName(QStringLiteral("PUMP2"));

    QTest::mouseClick(tagname(0), Qt::LeftButton);
    EXPECT_TRUE(m_view->validatePage());
    EXPECT_TRUE(m_view->commitPage());
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

TEST_F(TagViewCommitTest, ValidationThenCommitAsksOnce)
{
    useTag2OnTwoGraphs();
    open(15);
    m_messages.answer(MessageAnswer::Cancel);
    typeInto(tagname(1), "PUMP2");
    EXPECT_TRUE(m_view->validatePage());
    EXPECT_TRUE(m_view->commitPage());
    EXPECT_EQ(m_messages.texts(), QStringList{kRenameQuestion});
    EXPECT_EQ(m_doc.tag(1).tagname, "TAG2");
    EXPECT_EQ(tagname(1)->text(), "TAG2");
    expectTracesName(QStringLiteral("TAG2"));
}

// A tag from a file made elsewhere may hold a longer tagname and description than the
// fields take.  The row shows them whole and, untouched, writes them back unchanged
// without asking about a rename; once the user edits the row, committing it reports the
// field rules' length messages and the page stays for the correction.
TEST_F(TagViewCommitTest, OverlongTextsStayWholeUntilTheUserEditsTheirRow)
{
    open(15);
    tk70::TagRecord tag = m_doc.tag(1);
    tag.tagname = QStringLiteral("FEEDWATER-FLOW-A-001");
    tag.description = QStringLiteral("Feedwater flow to drum A, compensated, from the east header.");
    ASSERT_EQ(tag.tagname.size(), 20);
    ASSERT_EQ(tag.description.size(), 60);
    m_doc.setTag(1, tag);
    m_doc.graph(0).traceCount = 1;
    m_doc.graph(0).traces[0].tagname = tag.tagname;
    m_view->refreshRows();
    EXPECT_EQ(tagname(1)->text(), tag.tagname);
    EXPECT_EQ(edit(5121)->text(), tag.description);

    QTest::mouseClick(tagname(1), Qt::LeftButton);
    QTest::mouseClick(tagname(2), Qt::LeftButton);
    QTest::keyClick(focus(), Qt::Key_PageDown);
    QTest::keyClick(focus(), Qt::Key_PageUp);
    EXPECT_TRUE(m_view->commitPage());
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(m_doc.tag(1), tag);
    EXPECT_EQ(m_doc.graph(0).traces[0].tagname, tag.tagname);

    typeInto(edit(5021), "7");
    QTest::keyClick(focus(), Qt::Key_PageDown);
    EXPECT_EQ(m_messages.texts(), QStringList{"Please enter no more than 14 characters."});
    EXPECT_EQ(focus(), tagname(1));
    EXPECT_EQ(m_view->pageOffset(), 0);
    EXPECT_EQ(m_doc.tag(1), tag);

    m_messages.clear();
    m_messages.answer(MessageAnswer::Ok);
    typeInto(tagname(1), "PUMP2");
    QTest::keyClick(focus(), Qt::Key_PageDown);
    EXPECT_EQ(m_messages.texts(), (QStringList{kRenameQuestion, "Please enter no more than 50 characters."}));
    EXPECT_EQ(focus(), edit(5121));
    EXPECT_EQ(m_view->pageOffset(), 0);

    typeInto(edit(5121), "Feed pump 2");
    QTest::keyClick(focus(), Qt::Key_PageDown);
    EXPECT_EQ(m_view->pageOffset(), 6);
    EXPECT_EQ(m_doc.tag(1).tagname, "PUMP2");
    EXPECT_EQ(m_doc.tag(1).loop, 7);
    EXPECT_EQ(m_doc.tag(1).description, "Feed pump 2");
    EXPECT_EQ(m_doc.graph(0).traces[0].tagname, "PUMP2");
    // The row shows a tag of the usual length again: typing stops at 14 characters.
    typeInto(tagname(1), "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(tagname(1)->text(), "ABCDEFGHIJKLMN");
}
