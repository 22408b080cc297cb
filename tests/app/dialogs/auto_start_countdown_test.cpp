// The automatic start countdown: Abort gives Rejected and leaves no timer, running out
// gives Accepted.
#include "app/view/dialogs/auto_start_countdown_dialog.h"
#include "tests/support/modal_helper.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tk70;
using tk70test::press;

TEST(AutoStartCountdown, TextsAndDefaultLength)
{
    AutoStartCountdownDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "TK70 Pro - Auto Data Collection");
    EXPECT_EQ(dialog.countdown(), 1000);
    auto *heading = dialog.findChild<QLabel *>("heading");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), "TK70 Pro\nAutomatic Data Collection");
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(dialog.findChild<QLabel *>("hint")->text(), "Press Abort to Cancel Automatic\nData Collection");
    EXPECT_EQ(dialog.findChild<QPushButton *>("abort")->text(), "Abort");
    EXPECT_FALSE(dialog.countdownRunning());
}

TEST(AutoStartCountdown, AbortRejectsAndLeavesNoTimer)
{
    AutoStartCountdownDialog dialog;
    dialog.setCountdown(60000);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(dialog.countdownRunning());
    press(dialog.findChild<QPushButton *>("abort"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.countdownRunning());
    EXPECT_TRUE(dialog.findChildren<QTimer *>().isEmpty());
}

TEST(AutoStartCountdown, RunReturnsRejectedOnAbort)
{
    tk70test::whenModal<AutoStartCountdownDialog>([](AutoStartCountdownDialog *dialog) {
        EXPECT_EQ(dialog->countdown(), 60000);
        EXPECT_TRUE(dialog->countdownRunning());
        press(dialog->findChild<QPushButton *>("abort"));
    });
    EXPECT_EQ(runAutoStartCountdown(nullptr, 60000), QDialog::Rejected);
}

TEST(AutoStartCountdown, RunningOutAccepts)
{
    // A deadline, should the countdown never run out.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    deadline.start(10000);
    EXPECT_EQ(runAutoStartCountdown(nullptr, 50), QDialog::Accepted);
    EXPECT_TRUE(deadline.isActive());
}

TEST(AutoStartCountdown, TheTimerIsGoneAfterRunningOut)
{
    AutoStartCountdownDialog dialog;
    dialog.setCountdown(20);
    dialog.show();
    ASSERT_TRUE(tk70test::waitFor([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.countdownRunning());
    EXPECT_TRUE(tk70test::waitFor([&] { return dialog.findChildren<QTimer *>().isEmpty(); }));
}
