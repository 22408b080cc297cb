// The Startup Settings dialog driven as a user would: the delay range, the start-up file
// choice, the tuning inhibit question, the overwrite caution, the file dialog and what OK
// and Cancel leave in the settings.
#include "app/view/dialogs/startup_settings_dialog.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace tk70;
using tk70test::click;
using tk70test::press;

class StartupSettingsDialogTest : public ::testing::Test {
protected:
    void open(const AppSettings &settings)
    {
        m_dialog = std::make_unique<StartupSettingsDialog>(settings);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    template <typename W>
    W *child(const char *name) const
    {
        W *widget = m_dialog->findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void type(const char *field, const QString &text)
    {
        auto *edit = child<QLineEdit>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    static AppSettings autoStarting()
    {
        AppSettings settings;
        settings.autoStartEnabled = true;
        return settings;
    }

    tk70test::MessageRecorder m_messages;
    std::unique_ptr<StartupSettingsDialog> m_dialog;
};

TEST_F(StartupSettingsDialogTest, TitleGroupsAndBoldCaptions)
{
    open(AppSettings{});
    EXPECT_EQ(m_dialog->windowTitle(), "TK70 Pro - Startup Settings");
    EXPECT_EQ(child<QGroupBox>("autoStartGroup")->title(), "Automatic Data Collection");
    EXPECT_EQ(child<QGroupBox>("tsfGroup")->title(), "Startup TSF File");
    EXPECT_EQ(child<QGroupBox>("tuningGroup")->title(), "Function Block Tuning");
    EXPECT_TRUE(child<QGroupBox>("tuningGroup")->font().bold());
    EXPECT_FALSE(child<QCheckBox>("inhibitTuning")->font().bold());
    EXPECT_EQ(child<QCheckBox>("inhibitTuning")->text(), "Inhibit Function BlockTuning");
    EXPECT_EQ(child<QLabel>("delayLabel")->text(), "Startup Delay (Sec.)");
    EXPECT_EQ(child<QPushButton>("browse")->text(), "...");
    EXPECT_EQ(child<QPushButton>("ok")->text(), "OK");
    EXPECT_EQ(child<QPushButton>("cancel")->text(), "Cancel");
}

TEST_F(StartupSettingsDialogTest, AutoStartFieldsFollowTheCheckBox)
{
    open(AppSettings{});
    for (const char *name : {"overwrite", "delayLabel", "delay"})
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
    click(child<QCheckBox>("autoStart"));
    for (const char *name : {"overwrite", "delayLabel", "delay"})
        EXPECT_TRUE(child<QWidget>(name)->isEnabled()) << name;
    click(child<QCheckBox>("autoStart"));
    EXPECT_FALSE(child<QWidget>("delay")->isEnabled());
    EXPECT_TRUE(m_messages.texts().isEmpty());
}

TEST_F(StartupSettingsDialogTest, DelayOutsideFiveToSixThousandIsRefused)
{
    for (const char *text : {"4", "6001", "x"}) {
        open(autoStarting());
        type("delay", QString::fromLatin1(text));
        press(child<QPushButton>("ok"));
        EXPECT_TRUE(m_dialog->isVisible()) << text;
        EXPECT_NE(m_dialog->result(), QDialog::Accepted) << text;
        EXPECT_EQ(m_dialog->settings().autoStartDelayTime, 5);
    }
    EXPECT_EQ(m_messages.texts(),
              (QStringList{"Please enter an integer between 5 and 6000.", "Please enter an integer between 5 and 6000.",
                           "Please enter an integer."}));
    for (int delay : {5, 6000}) {
        open(autoStarting());
        type("delay", QString::number(delay));
        press(child<QPushButton>("ok"));
        EXPECT_FALSE(m_dialog->isVisible());
        EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
        EXPECT_EQ(m_dialog->settings().autoStartDelayTime, delay);
    }
    EXPECT_EQ(m_messages.texts().size(), 3);
}

TEST_F(StartupSettingsDialogTest, CommandLineChoiceEmptiesTheFileName)
{
    AppSettings settings;
    settings.specificAutoStartFile = true;
    settings.autoStartTsfFilename = QStringLiteral("/plant/unit1.tsf");
    open(settings);
    EXPECT_TRUE(child<QLineEdit>("fileName")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("browse")->isEnabled());
    click(child<QRadioButton>("fromCommandLine"));
    EXPECT_EQ(child<QLineEdit>("fileName")->text(), "");
    EXPECT_FALSE(child<QLineEdit>("fileName")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("browse")->isEnabled());
    click(child<QRadioButton>("specificFile"));
    EXPECT_TRUE(child<QLineEdit>("fileName")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("fileName")->text(), "");
    press(child<QPushButton>("ok"));
    EXPECT_TRUE(m_dialog->settings().specificAutoStartFile);
    EXPECT_EQ(m_dialog->settings().autoStartTsfFilename, "");
}

TEST_F(StartupSettingsDialogTest, TuningInhibitAsksAndCannotBeUndone)
{
    open(AppSettings{});
    auto *inhibit = child<QCheckBox>("inhibitTuning");
    EXPECT_TRUE(inhibit->isEnabled());
    m_messages.answer(MessageAnswer::No);
    click(inhibit);
    EXPECT_FALSE(inhibit->isChecked());
    EXPECT_TRUE(inhibit->isEnabled());
    ASSERT_EQ(m_messages.messages().size(), 1u);
    const Message &question = m_messages.messages().front();
    EXPECT_EQ(question.text, "Once Tuning is Inhibited, it may not\nbe enabled from within TK70 Pro.\n\n"
                             "Are you sure you want to Inhibit Tuning?");
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
    m_messages.answer(MessageAnswer::Yes);
    click(inhibit);
    EXPECT_TRUE(inhibit->isChecked());
    EXPECT_FALSE(inhibit->isEnabled());
    press(child<QPushButton>("ok"));
    EXPECT_TRUE(m_dialog->settings().inhibitBlockTuning);
}

TEST_F(StartupSettingsDialogTest, AnInhibitedTuningOpensCheckedAndDisabled)
{
    AppSettings settings;
    settings.inhibitBlockTuning = true;
    open(settings);
    EXPECT_TRUE(child<QCheckBox>("inhibitTuning")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("inhibitTuning")->isEnabled());
}

TEST_F(StartupSettingsDialogTest, OverwritingCautionOnlyWhenChecked)
{
    open(autoStarting());
    auto *overwrite = child<QCheckBox>("overwrite");
    click(overwrite);
    EXPECT_TRUE(overwrite->isChecked());
    ASSERT_EQ(m_messages.messages().size(), 1u);
    EXPECT_EQ(m_messages.messages().front().text,
              "Caution!\n\nThis option allows your data files\nto be overwritten without warning\n"
              "during automatic collection startups!");
    EXPECT_EQ(m_messages.messages().front().icon, MessageIcon::Warning);
    EXPECT_EQ(m_messages.messages().front().buttons, MessageButtons::Ok);
    click(overwrite);
    EXPECT_FALSE(overwrite->isChecked());
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

TEST_F(StartupSettingsDialogTest, BrowseFillsTheFileNameUnlessCancelled)
{
    AppSettings settings;
    settings.specificAutoStartFile = true;
    open(settings);
    QString answer = QStringLiteral("/plant/area2.tsf");
    int asked = 0;
    m_dialog->setFileChooser([&](QWidget *parent) {
        EXPECT_EQ(parent, m_dialog.get());
        ++asked;
        return answer;
    });
    press(child<QPushButton>("browse"));
    EXPECT_EQ(child<QLineEdit>("fileName")->text(), "/plant/area2.tsf");
    answer.clear();
    press(child<QPushButton>("browse"));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(child<QLineEdit>("fileName")->text(), "/plant/area2.tsf");
}

TEST_F(StartupSettingsDialogTest, TheFileDialogAsksForAnExistingTsf)
{
    bool seen = false;
    tk70test::whenModal<QFileDialog>([&](QFileDialog *dialog) {
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), "Open");
        EXPECT_EQ(dialog->nameFilters(), QStringList{"TK70 Pro Tag Selection Files (*.tsf)"});
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        dialog->reject();
    });
    EXPECT_EQ(StartupSettingsDialog::chooseTsfFile(nullptr), "");
    EXPECT_TRUE(seen);
}

TEST_F(StartupSettingsDialogTest, FileNameOfMoreThan190CharactersIsRefused)
{
    AppSettings settings;
    settings.specificAutoStartFile = true;
    settings.autoStartTsfFilename = QString(191, QLatin1Char('a'));
    open(settings);
    press(child<QPushButton>("ok"));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_messages.texts(), QStringList{"Please enter no more than 190 characters."});
    type("fileName", QString(190, QLatin1Char('b')));
    press(child<QPushButton>("ok"));
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->settings().autoStartTsfFilename, QString(190, QLatin1Char('b')));
}

// Switches the automatic start on with a 12 s delay and names a specific start-up file.
void editAutoStartAndFile(StartupSettingsDialog *dialog)
{
    click(dialog->findChild<QCheckBox *>("autoStart"));
    auto *delay = dialog->findChild<QLineEdit *>("delay");
    delay->clear();
    QTest::keyClicks(delay, "12");
    click(dialog->findChild<QRadioButton *>("specificFile"));
    QTest::keyClicks(dialog->findChild<QLineEdit *>("fileName"), "/plant/start.tsf");
}

TEST_F(StartupSettingsDialogTest, RunCopiesBackOnOkOnly)
{
    AppSettings settings;
    tk70test::whenModal<StartupSettingsDialog>([](StartupSettingsDialog *dialog) {
        editAutoStartAndFile(dialog);
        press(dialog->findChild<QPushButton *>("cancel"));
    });
    EXPECT_FALSE(runStartupSettings(nullptr, settings));
    EXPECT_EQ(settings, AppSettings{});

    tk70test::whenModal<StartupSettingsDialog>([](StartupSettingsDialog *dialog) {
        editAutoStartAndFile(dialog);
        press(dialog->findChild<QPushButton *>("ok"));
    });
    EXPECT_TRUE(runStartupSettings(nullptr, settings));
    AppSettings expected;
    expected.autoStartEnabled = true;
    expected.autoStartDelayTime = 12;
    expected.specificAutoStartFile = true;
    expected.autoStartTsfFilename = QStringLiteral("/plant/start.tsf");
    EXPECT_EQ(settings, expected);
}
