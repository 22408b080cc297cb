// The message boxes of a program with a screen: a posted message and a question asked
// without waiting leave the caller running (a sampling timer goes on) and a box on the
// screen; the question's answer arrives when a button closes its box.
#include "platform/view/message_box_sink.h"

#include "tests/support/wait_for_events.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

using namespace tk70;

namespace {

// The open message boxes whose text is text.
QList<QMessageBox *> boxesWith(const QString &text)
{
    QList<QMessageBox *> boxes;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible() && box->text() == text)
            boxes << box;
    return boxes;
}

class MessageBoxSinkTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = Messages::install(&m_sink); }
    void TearDown() override { Messages::install(m_previous); }

    MessageBoxSink m_sink;
    MessageSink *m_previous = nullptr;
};

}  // namespace

TEST_F(MessageBoxSinkTest, APostedMessageReturnsAtOnceAndStaysOnScreenUntilOk)
{
    Messages::post("Can't Write to the file", "TK70 Pro", MessageIcon::Stop);
    Messages::post("Can't Write to the file", "TK70 Pro", MessageIcon::Stop);
    const QList<QMessageBox *> boxes = boxesWith("Can't Write to the file");
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_FALSE(boxes.at(0)->isModal());
    EXPECT_EQ(boxes.at(0)->icon(), QMessageBox::Critical);
    for (QMessageBox *box : boxes)
        box->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(tk70test::waitFor([] { return boxesWith("Can't Write to the file").isEmpty(); }, 5000));
}

TEST_F(MessageBoxSinkTest, AQuestionAskedWithoutWaitingAnswersWhenItsBoxCloses)
{
    std::optional<MessageAnswer> answer;
    const Message question{"Replace it?", "TK70 Pro", MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No};
    Messages::ask(question, [&](MessageAnswer a) { answer = a; });
    EXPECT_FALSE(answer.has_value());
    ASSERT_EQ(boxesWith("Replace it?").size(), 1);
    boxesWith("Replace it?").at(0)->button(QMessageBox::Yes)->click();
    EXPECT_EQ(answer, MessageAnswer::Yes);

    answer.reset();
    Messages::ask(question, [&](MessageAnswer a) { answer = a; });
    QTest::keyClick(boxesWith("Replace it?").at(0), Qt::Key_Escape);
    EXPECT_EQ(answer, MessageAnswer::No);
}
