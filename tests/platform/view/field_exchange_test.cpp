// Dialog fields read with the framework's rules: the exact standard messages, and the
// focus back on the refused field.
#include "platform/view/field_exchange.h"
#include "tests/support/message_recorder.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <limits>

using namespace tk70;

class FieldExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&m_form);
        m_first = new QLineEdit(&m_form);
        m_field = new QLineEdit(&m_form);
        layout->addWidget(m_first);
        layout->addWidget(m_field);
        m_form.show();
        m_form.activateWindow();
        m_first->setFocus();
    }
    QWidget m_form;
    QLineEdit *m_first = nullptr;
    QLineEdit *m_field = nullptr;
    tk70test::MessageRecorder m_messages;
};

TEST_F(FieldExchangeTest, IntegersOutsideTheRangeOrNotIntegersAreRefused)
{
    int value = -1;
    m_field->setText(" 6000 ");
    EXPECT_TRUE(readInteger(m_field, 5, 6000, value));
    EXPECT_EQ(value, 6000);
    for (const char *text : {"4", "6001"}) {
        m_field->setText(text);
        EXPECT_FALSE(readInteger(m_field, 5, 6000, value));
    }
    m_field->setText("12a");
    EXPECT_FALSE(readInteger(m_field, 5, 6000, value));
    m_field->setText("99999999999999999999");
    EXPECT_FALSE(readInteger(m_field, value));
    EXPECT_EQ(m_messages.texts(),
              (QStringList{"Please enter an integer between 5 and 6000.", "Please enter an integer between 5 and 6000.",
                           "Please enter an integer.", "Please enter an integer."}));
    EXPECT_EQ(m_messages.messages().front().title, "TK70 Pro");
    EXPECT_EQ(value, 6000);
    EXPECT_EQ(m_field->selectedText(), m_field->text());
}

TEST_F(FieldExchangeTest, NumbersAndTextLengths)
{
    double number = 0;
    m_field->setText("2.5e1");
    EXPECT_TRUE(readNumber(m_field, 0, 100, number));
    EXPECT_EQ(number, 25.0);
    m_field->setText("x");
    EXPECT_FALSE(readNumber(m_field, 0, 100, number));
    m_field->setText("0.5");
    EXPECT_FALSE(readNumber(m_field, 1, 3600, number));
    // Not finite: no number, even for the widest range (NaN would pass any range check).
    constexpr double kLowest = std::numeric_limits<double>::lowest();
    constexpr double kHighest = std::numeric_limits<double>::max();
    for (const char *notFinite : {"nan", "-inf", "1e999"}) {
        m_field->setText(notFinite);
        EXPECT_FALSE(readNumber(m_field, kLowest, kHighest, number)) << notFinite;
    }
    EXPECT_EQ(number, 25.0);
    QString text;
    m_field->setText("ABCDEFGHIJKLMNO");
    EXPECT_FALSE(readText(m_field, 14, text));
    EXPECT_EQ(m_messages.texts(), (QStringList{"Please enter a number.", "Please enter a number between 1 and 3600.",
                                               "Please enter a number.", "Please enter a number.",
                                               "Please enter a number.", "Please enter no more than 14 characters."}));
    limitText(m_field, 14);
    m_field->clear();
    m_field->insert("ABCDEFGHIJKLMNO");
    EXPECT_EQ(m_field->text(), "ABCDEFGHIJKLMN");
}
