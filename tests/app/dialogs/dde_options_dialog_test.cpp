// The DDE Server Options dialog: enabling, the refresh range, the 14-character names and
// the restart note, which only a changed flag or name brings.
#include "app/settings/dde_restart_rule.h"
#include "app/view/dialogs/dde_options_dialog.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace tk70;
using tk70test::click;
using tk70test::press;

namespace {

const char *const kFields[] = {"refresh", "applicationName", "systemTopic", "valueTopic", "qualityTopic"};

}  // namespace

class DdeOptionsDialogTest : public ::testing::Test {
protected:
    void open(const AppSettings &settings = AppSettings{})
    {
        m_dialog = std::make_unique<DdeOptionsDialog>(settings);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    QLineEdit *edit(const char *name) const { return m_dialog->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QLabel *label(const char *name) const
    {
        return m_dialog->findChild<QLabel *>(QString::fromLatin1(name) + QStringLiteral("Label"));
    }
    void type(const char *field, const QString &text)
    {
        edit(field)->clear();
        QTest::keyClicks(edit(field), text);
    }
    void ok() { press(m_dialog->findChild<QPushButton *>("ok")); }

    tk70test::MessageRecorder m_messages;
    std::unique_ptr<DdeOptionsDialog> m_dialog;
};

TEST_F(DdeOptionsDialogTest, ShowsTheSettingsWithTheirLabels)
{
    open();
    EXPECT_EQ(m_dialog->windowTitle(), "TK70 Pro DDE Server Options");
    EXPECT_EQ(m_dialog->findChild<QCheckBox *>("enabled")->text(), "Enable DDE Server");
    EXPECT_TRUE(m_dialog->findChild<QCheckBox *>("enabled")->isChecked());
    const QStringList labels{"Refresh (Sec.)", "Application (Service) Name", "System Topic Name",
                             "Tag Value Topic Name", "Tag Quality Topic Name"};
    const QStringList values{"2", "TK70Pro", "System", "Value", "Quality"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(label(kFields[i])->text(), labels[i]);
        EXPECT_EQ(edit(kFields[i])->text(), values[i]);
    }
}

TEST_F(DdeOptionsDialogTest, FieldsAndLabelsFollowTheEnabledFlag)
{
    AppSettings settings;
    settings.ddeServerEnabled = false;
    open(settings);
    for (const char *field : kFields) {
        EXPECT_FALSE(edit(field)->isEnabled()) << field;
        EXPECT_FALSE(label(field)->isEnabled()) << field;
    }
    click(m_dialog->findChild<QCheckBox *>("enabled"));
    for (const char *field : kFields) {
        EXPECT_TRUE(edit(field)->isEnabled()) << field;
        EXPECT_TRUE(label(field)->isEnabled()) << field;
    }
}

TEST_F(DdeOptionsDialogTest, ARefreshChangeAloneGivesNoNote)
{
    open();
    type("refresh", "30");
    ok();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->settings().ddeRefresh, 30);
    EXPECT_TRUE(m_messages.texts().isEmpty());
}

TEST_F(DdeOptionsDialogTest, RefreshOutsideOneToNinetyIsRefused)
{
    open();
    for (const char *text : {"0", "91"}) {
        type("refresh", QString::fromLatin1(text));
        ok();
        EXPECT_TRUE(m_dialog->isVisible());
    }
    EXPECT_EQ(m_messages.texts(),
              (QStringList{"Please enter an integer between 1 and 90.", "Please enter an integer between 1 and 90."}));
    type("refresh", "90");
    ok();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
}

TEST_F(DdeOptionsDialogTest, ANameChangeGivesTheRestartNote)
{
    for (const char *field : {"applicationName", "systemTopic", "valueTopic", "qualityTopic"}) {
        m_messages.clear();
        open();
        type(field, "Plant");
        ok();
        EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
        ASSERT_EQ(m_messages.messages().size(), 1u) << field;
        EXPECT_EQ(m_messages.messages().front().text,
                  "Must Restart TK70 Pro in order for\n the DDE Settings to take effect.");
        EXPECT_EQ(m_messages.messages().front().icon, MessageIcon::Information);
    }
    EXPECT_EQ(m_dialog->settings().ddeQualityTopic, "Plant");
}

TEST_F(DdeOptionsDialogTest, SwitchingTheServerOffGivesTheRestartNote)
{
    open();
    click(m_dialog->findChild<QCheckBox *>("enabled"));
    ok();
    EXPECT_FALSE(m_dialog->settings().ddeServerEnabled);
    EXPECT_EQ(m_messages.texts(), QStringList{ddeRestartNote()});
}

TEST_F(DdeOptionsDialogTest, FifteenCharactersCannotBeTyped)
{
    open();
    for (const char *field : {"applicationName", "systemTopic", "valueTopic", "qualityTopic"}) {
        type(field, "ABCDEFGHIJKLMNO");
        EXPECT_EQ(edit(field)->text(), "ABCDEFGHIJKLMN") << field;
    }
}

TEST_F(DdeOptionsDialogTest, CancelChangesNothing)
{
    AppSettings settings;
    tk70test::whenModal<DdeOptionsDialog>([](DdeOptionsDialog *dialog) {
        auto *name = dialog->findChild<QLineEdit *>("applicationName");
        name->clear();
        QTest::keyClicks(name, "Other");
        press(dialog->findChild<QPushButton *>("cancel"));
    });
    EXPECT_FALSE(runDdeServerOptions(nullptr, settings));
    EXPECT_EQ(settings, AppSettings{});
    EXPECT_TRUE(m_messages.texts().isEmpty());

    tk70test::whenModal<DdeOptionsDialog>([](DdeOptionsDialog *dialog) {
        auto *refresh = dialog->findChild<QLineEdit *>("refresh");
        refresh->clear();
        QTest::keyClicks(refresh, "7");
        press(dialog->findChild<QPushButton *>("ok"));
    });
    EXPECT_TRUE(runDdeServerOptions(nullptr, settings));
    EXPECT_EQ(settings.ddeRefresh, 7);
}

TEST(DdeRestartRule, FlagAndNamesCountRefreshDoesNot)
{
    const AppSettings before;
    AppSettings after = before;
    after.ddeRefresh = 60;
    EXPECT_FALSE(ddeRestartNeeded(before, after));
    for (QString AppSettings::*name : {&AppSettings::ddeApplicationName, &AppSettings::ddeSystemTopic,
                                       &AppSettings::ddeValueTopic, &AppSettings::ddeQualityTopic}) {
        AppSettings changed = before;
        changed.*name += QLatin1Char('x');
        EXPECT_TRUE(ddeRestartNeeded(before, changed));
    }
    after.ddeServerEnabled = !before.ddeServerEnabled;
    EXPECT_TRUE(ddeRestartNeeded(before, after));
}
