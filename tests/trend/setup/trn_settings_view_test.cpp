// The trend setup form through its real widgets, offscreen: tagname entry with the tag
// picker, deleting a trace, stepping through graphs, validation, the historical form,
// a round trip through the document's TSF bytes, printing and the review picture.
#include "platform/view/view_beep.h"
#include "tags/tag_doc.h"
#include "tests/support/form_view_fixture.h"
#include "tests/support/modal_helper.h"
#include "tests/support/screenshot.h"
#include "trend/setup/view/tag_list_dialog.h"
#include "trend/setup/view/trn_settings_view.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>

using tk70::MessageAnswer;
using tk70::MessageIcon;

namespace {

class TrnSettingsViewTest : public tk70test::FormViewFixture<tk70::CTrnSettingsView> {
protected:
    TrnSettingsViewTest()
    {
        const char *tags[][2] = {{"FIC-101", "Feed water flow to steam drum number one"},
                                 {"LIC-401", "Drum level"},
                                 {"TIC-201", "Superheater outlet temperature control loop"},
                                 {"PIC-301", "Drum pressure"}};
        for (int slot = 0; slot < 4; ++slot) {
            tk70::TagRecord tag;
            tag.tagname = tags[slot][0];
            tag.description = tags[slot][1];
            tag.pcu = 12;
            tag.block = 100 * (slot + 1);
            m_doc.setTag(slot, tag);
        }
        m_doc.tags().setCount(4);
        tk70::TrendGraph &graph = m_doc.graph(0);
        graph.title = "Boiler 1 Drum";
        graph.secondTitle = "Unit 1";
        graph.traceCount = 3;
        graph.traces[0] = {"FIC-101", 0, 250, "Feed water flow"};
        graph.traces[1] = {"LIC-401", -50, 100, "Drum level"};
        graph.traces[2] = {"PIC-301", 0, 160, "Drum pressure"};
    }

    void open(bool historical = false) { showForm(QSize(820, 540), historical); }
    QLineEdit *tagname(int row) const { return edit(5200 + row); }
};

}  // namespace

TEST_F(TrnSettingsViewTest, AnUnknownTagnameInAnEmptyRowOpensThePicker)
{
    struct Case {
        const char *pick;  // nullptr: Cancel
        const char *tagname;
        const char *description;
    };
    for (const Case &c : {Case{nullptr, "", ""}, Case{"TIC-201", "TIC-201", "Superheater outlet temperature c"}}) {
        open();
        m_messages.clear();
        typeInto(tagname(3), "NOPE");
        tk70test::whenModal<tk70::CTagListDialog>([&](tk70::CTagListDialog *dialog) {
            auto *list = dialog->findChild<QTreeWidget *>("1076");
            EXPECT_EQ(list->topLevelItem(0)->text(0), "FIC-101");
            EXPECT_EQ(list->topLevelItem(2)->text(2), "00-12-00-0400");
            EXPECT_FALSE(dialog->findChild<QPushButton *>("1")->isEnabled());
            if (!c.pick) {
                dialog->reject();
                return;
            }
            list->setCurrentItem(list->findItems(c.pick, Qt::MatchExactly).value(0));
            tk70test::press(dialog->findChild<QPushButton *>("1"));
        });
        QTest::keyClick(tagname(3), Qt::Key_Tab);
        ASSERT_EQ(m_messages.messages().size(), 1u);
        EXPECT_EQ(m_messages.messages()[0].text, "Tag Does Not Exist in Tag List!\nSelect Tag From List.");
        EXPECT_EQ(m_messages.messages()[0].title, "Tag Error");
        EXPECT_EQ(m_messages.messages()[0].icon, MessageIcon::Warning);
        EXPECT_EQ(tagname(3)->text(), c.tagname);
        EXPECT_EQ(edit(5283)->text(), c.description);
        EXPECT_EQ(tagname(4)->isEnabled(), c.pick != nullptr);
        EXPECT_EQ(m_view->focusWidget(), tagname(3));
    }
}

TEST_F(TrnSettingsViewTest, TagnamesAreCheckedAgainstTheTagList)
{
    open();
    typeInto(tagname(3), "TIC-201");
    QTest::keyClick(tagname(3), Qt::Key_Tab);
    EXPECT_TRUE(m_messages.messages().empty());
    EXPECT_EQ(edit(5283)->text(), "Superheater outlet temperature c");
    EXPECT_EQ(m_view->focusWidget(), edit(5243));
    EXPECT_TRUE(tagname(4)->isEnabled());
    EXPECT_EQ(edit(1010)->text(), "4");

    // Renaming a trace to a name the list lacks (case matters) puts the old name back.
    typeInto(tagname(1), "lic-401");
    QTest::keyClick(tagname(1), Qt::Key_Tab);
    ASSERT_EQ(m_messages.texts(), QStringList{"Tag Does Not Exist in Tag List!\nTag Restore to Original Name."});
    EXPECT_EQ(tagname(1)->text(), "LIC-401");
    EXPECT_EQ(m_view->focusWidget(), tagname(1));

    // Clearing a middle tagname closes the gap at once and stores the graph.
    typeInto(tagname(1), "");
    QTest::keyClick(tagname(1), Qt::Key_Tab);
    EXPECT_EQ(tagname(1)->text(), "PIC-301");
    EXPECT_EQ(m_doc.graph(0).traceCount, 3);
    EXPECT_EQ(m_doc.graph(0).traces[2].tagname, "TIC-201");
}

TEST_F(TrnSettingsViewTest, CommitSettlesANameTypedIntoTheFirstRowOfAnEmptyGraph)
{
    m_doc.setCurrentGraphIndex(1);
    open();
    for (const char *typed : {"NOPE", "LIC-401"}) {
        typeInto(tagname(0), typed);
        EXPECT_TRUE(m_view->commitAndValidate()) << typed;
    }
    EXPECT_TRUE(m_messages.messages().empty());  // a missing name goes without a word
    EXPECT_EQ(m_doc.graph(1).traceCount, 1);
    EXPECT_EQ(m_doc.graph(1).traces[0], (tk70::TrendTrace{"LIC-401", 0, 100, "Drum level"}));
}

TEST_F(TrnSettingsViewTest, ClearGraphAsksAndResetsTheGraph)
{
    open();
    m_messages.answer(MessageAnswer::Yes);
    tk70test::press(control<QPushButton>(1175));
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_messages.messages()[0].text, "Clear Content of Graph?");
    EXPECT_EQ(m_messages.messages()[0].title, "TK70 Pro Warning");
    EXPECT_EQ(m_messages.messages()[0].defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(m_doc.graph(0), tk70::TrendSetupRules::clearedGraph(1));
    EXPECT_EQ(edit(1013)->text(), "TK70 Pro Trend Graph # 1");
    EXPECT_FALSE(tagname(1)->isEnabled());
}

TEST_F(TrnSettingsViewTest, ShiftDeleteAsksAndClosesUpTheRows)
{
    open();
    QTest::mouseClick(edit(5240), Qt::LeftButton);
    m_messages.answer(MessageAnswer::No);
    m_messages.answer(MessageAnswer::Yes);
    QTest::keyClick(edit(5240), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(tagname(0)->text(), "FIC-101");
    QTest::keyClick(edit(5240), Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(m_messages.messages().size(), 2u);
    const tk70::Message &question = m_messages.messages()[0];
    EXPECT_EQ(question.text, "Are you sure you want to delete this trace ?");
    EXPECT_EQ(question.title, "Question");
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, tk70::MessageButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(tagname(0)->text(), "LIC-401");
    EXPECT_EQ(edit(5240)->text(), "-50");
    EXPECT_EQ(tagname(2)->text(), "");
    EXPECT_FALSE(edit(5262)->isEnabled());
    EXPECT_EQ(edit(5251)->text(), "0.0");
    EXPECT_EQ(edit(5271)->text(), "100.0");
    EXPECT_EQ(m_doc.graph(0).traceCount, 2);
}

TEST_F(TrnSettingsViewTest, PageKeysStepThroughGraphsAndBeepAtTheEnds)
{
    open();
    typeInto(edit(1013), "Drum");
    QTest::keyClick(edit(1013), Qt::Key_PageUp);
    EXPECT_EQ(m_beeps, 1);
    EXPECT_EQ(m_doc.graph(0).title, "Drum");  // stored all the same
    QTest::keyClick(edit(1013), Qt::Key_PageDown);
    EXPECT_EQ(m_doc.currentGraphIndex(), 1);
    EXPECT_EQ(control<QLabel>(2237)->text(), "2");
    EXPECT_EQ(edit(1013)->text(), "TK70 Pro Trend Graph #2");
    EXPECT_EQ(m_view->focusWidget(), tagname(0));
    for (int step = 0; step < 9; ++step)
        QTest::keyClick(m_view->focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(m_doc.currentGraphIndex(), 9);
    EXPECT_EQ(m_beeps, 2);
    EXPECT_FALSE(control<QPushButton>(1174)->isEnabled());
    EXPECT_TRUE(control<QPushButton>(1173)->isEnabled());
}

TEST_F(TrnSettingsViewTest, ABadFieldKeepsTheGraphAndShowsTheStandardMessage)
{
    open();
    const tk70::TrendGraph before = m_doc.graph(0);
    typeInto(edit(1009), "0");
    EXPECT_FALSE(m_view->commitAndValidate());
    EXPECT_EQ(m_messages.texts(), QStringList{"Please enter a number between 1 and 600."});
    EXPECT_EQ(m_view->focusWidget(), edit(1009));
    typeInto(edit(5261), "x");
    QTest::keyClick(edit(5261), Qt::Key_PageDown);
    EXPECT_EQ(m_messages.texts().size(), 2);
    EXPECT_EQ(m_doc.currentGraphIndex(), 0);
    EXPECT_EQ(m_doc.graph(0), before);
}

TEST_F(TrnSettingsViewTest, AHistoricalFormKeepsWhatTheDataFileFixes)
{
    open(true);
    for (int id : {1009, 1096, 1010, 1090, 1094})
        EXPECT_FALSE(control(id)->isEnabled()) << id;
    for (const char *name : {"traceCountLabel", "graphSettings", "backwardsScrolling"})
        EXPECT_FALSE(m_view->findChild<QWidget *>(name)->isEnabled()) << name;
    EXPECT_TRUE(edit(1013)->isEnabled());
    EXPECT_TRUE(tagname(0)->isEnabled());
}

TEST_F(TrnSettingsViewTest, GraphsSurviveARoundTripThroughTheTsfBytes)
{
    m_doc.graph(0).historyLength = 900;  // shown and stored as 1200
    m_doc.graph(4) = m_doc.graph(0);
    m_doc.graph(4).title = "Fifth";
    open();
    typeInto(edit(1089), "Unit 1 Boiler");
    tk70test::click(control<QRadioButton>(1093));
    typeInto(edit(5260), "-12.5");
    ASSERT_TRUE(m_view->storeForm());
    EXPECT_EQ(m_doc.graph(0).historyLength, 1800);

    tk70::CTagDoc reopened;
    ASSERT_TRUE(reopened.loadTsf(m_doc.writeTsf(), "drum.tsf"));
    EXPECT_EQ(reopened.graph(0), m_doc.graph(0));
    EXPECT_EQ(reopened.graph(1), m_doc.graph(4));  // the empty graphs between are not kept
    tk70::CTrnSettingsView view(&reopened);
    EXPECT_EQ(view.findChild<QLineEdit *>("1089")->text(), "Unit 1 Boiler");
    EXPECT_EQ(view.findChild<QLineEdit *>("5260")->text(), "-12.5");
    EXPECT_TRUE(view.findChild<QRadioButton *>("1093")->isChecked());
    reopened.setCurrentGraphIndex(1);
    view.loadForm();
    EXPECT_EQ(view.findChild<QLineEdit *>("1013")->text(), "Fifth");
    EXPECT_TRUE(view.findChild<QRadioButton *>("1092")->isChecked());
}

TEST_F(TrnSettingsViewTest, PrintingWritesOnePagePerGraphWithTraces)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (bool traces : {true, false}) {
        if (!traces)
            m_doc.graph(0) = tk70::TrendGraph::newGraph(1);
        open();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = dir.filePath(traces ? "setup.pdf" : "empty.pdf");
        printer.setOutputFileName(path);
        m_view->print(&printer);
        EXPECT_EQ(QFileInfo::exists(path), traces) << path.toStdString();
    }
}

TEST_F(TrnSettingsViewTest, ScreenshotOfAGraphWithFourTraces)
{
    m_doc.graph(0).traces[3] = {"TIC-201", 300, 250, "Superheater outlet temperature"};
    m_doc.graph(0).traceCount = 4;
    m_doc.graph(0).sampleInterval = 2;
    open();
    tk70test::shoot(*m_view, "trend-setup");
}
