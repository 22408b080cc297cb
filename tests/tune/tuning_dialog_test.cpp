// The "Function Block Tuning" dialog: the address taken with the framework's range
// message, a block read and shown in the nine fields (with its review picture), when the
// command is offered, and a dialog that stays while a read or a write is waited for.
#include "tests/support/modal_helper.h"
#include "tests/support/screenshot.h"
#include "tests/tune/tune_fixture.h"
#include "tune/view/tuning_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tk70;

namespace {

void fill(QWidget &dialog, const std::array<const char *, 4> &parts)
{
    const char *const names[] = {"loop", "pcu", "module", "block"};
    for (std::size_t i = 0; i < parts.size(); ++i)
        dialog.findChild<QLineEdit *>(QString::fromLatin1(names[i]))->setText(QString::fromLatin1(parts[i]));
}

}  // namespace

TEST_F(TuneTest, TheDialogTakesTheAddressInRangeAndShowsTheBlockRead)
{
    TuningDialog dialog(
        driver(), [] { return false; }, m_clock);
    auto *read = dialog.findChild<QPushButton *>(QStringLiteral("read"));
    auto *status = dialog.findChild<QLabel *>(QStringLiteral("status"));
    fill(dialog, {"1", "1", "32", "10"});
    read->click();
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("Please enter an integer between 0 and 31.")});
    EXPECT_EQ(status->text(), QString());

    fill(dialog, {"1", "1", "2", "10"});
    read->click();
    ASSERT_TRUE(tk70test::waitFor([&] { return !dialog.session().waiting(); }));
    EXPECT_EQ(status->text(), QStringLiteral("FC 19  -  PID (PV and SP)"));
    auto *value1 = dialog.findChild<QLineEdit *>(QStringLiteral("value1"));
    auto *value5 = dialog.findChild<QLineEdit *>(QStringLiteral("value5"));
    EXPECT_EQ(value1->text(), QStringLiteral("100.000000"));
    EXPECT_FALSE(value1->isEnabled());
    EXPECT_TRUE(value5->isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("number9"))->text(), QStringLiteral("9"));
    EXPECT_TRUE(dialog.findChild<QPushButton *>(QStringLiteral("next"))->isEnabled());
    EXPECT_TRUE(dialog.findChild<QPushButton *>(QStringLiteral("update"))->isEnabled());
    tk70test::shoot(dialog, "tuning");

    EXPECT_TRUE(tuningAvailable(driver()));
    driver().stop();
    EXPECT_FALSE(tuningAvailable(driver()));
}

// While a read or a write is waited for, Close is disabled and Escape, the window's close
// button and Close itself leave the dialog open; once the wait has ended it closes.  The
// write's wait is followed by the block's read again, which keeps the dialog as well.
TEST_F(TuneTest, TheDialogStaysWhileARequestIsWaitedFor)
{
    TuningDialog dialog(
        driver(), [] { return false; }, m_clock);
    dialog.show();
    auto *close = dialog.findChild<QPushButton *>(QStringLiteral("close"));
    auto *status = dialog.findChild<QLabel *>(QStringLiteral("status"));
    const auto tryToClose = [&] {
        EXPECT_FALSE(close->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        dialog.reject();
        EXPECT_TRUE(dialog.isVisible()) << status->text().toStdString();
    };
    fill(dialog, {"1", "1", "2", "10"});
    m_sim.faults().setNoReply(true);
    dialog.findChild<QPushButton *>(QStringLiteral("read"))->click();
    ASSERT_TRUE(dialog.session().waiting());
    tryToClose();
    runOutWait();
    ASSERT_TRUE(tk70test::waitFor([&] { return !dialog.session().waiting(); }));
    EXPECT_EQ(status->text(), QStringLiteral("Timeout Reading Block"));

    m_sim.faults().clear();
    dialog.findChild<QPushButton *>(QStringLiteral("read"))->click();
    ASSERT_TRUE(tk70test::waitFor([&] { return !dialog.session().waiting(); }));
    m_sim.faults().silence(17);
    dialog.findChild<QLineEdit *>(QStringLiteral("value8"))->setText(QStringLiteral("3.25"));
    dialog.session().setEntry(7, QStringLiteral("3.25"));
    dialog.findChild<QPushButton *>(QStringLiteral("update"))->click();
    ASSERT_TRUE(m_sim.requests().waitForRequests(17, 1, std::chrono::seconds(5)));
    tryToClose();
    runOutWait();
    ASSERT_TRUE(tk70test::waitFor([&] { return status->text().endsWith(QStringLiteral("Reading Block Again")); }));
    tryToClose();
    runOutWait();
    ASSERT_TRUE(tk70test::waitFor([&] { return !dialog.session().waiting(); }));
    EXPECT_EQ(status->text(), QStringLiteral("Timeout Writing to Block - Block State Unknown"));
    tk70test::shoot(dialog, "tuning-write-timeout");
    EXPECT_TRUE(close->isEnabled());
    close->click();
    EXPECT_FALSE(dialog.isVisible());
}
