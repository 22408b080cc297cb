// The Access DB Setup dialog: the settings shown, the substitutes enabled by their check
// boxes and shown in full so that OK keeps them exactly, both empty-name messages keeping
// it open, and what OK hands back and over to the database output (the format version
// kept as stored).
#include "app/view/dialogs/database_options_dialog.h"
#include "collect/database/database_settings.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace tk70;
using tk70test::click;
using tk70test::press;

class DatabaseOptionsDialogTest : public ::testing::Test {
protected:
    void open(const AppSettings &settings)
    {
        m_dialog = std::make_unique<DatabaseOptionsDialog>(settings);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    template <typename T>
    T *child(const char *name) const
    {
        return m_dialog->findChild<T *>(QString::fromLatin1(name));
    }
    void type(const char *field, const QString &text)
    {
        child<QLineEdit>(field)->clear();
        QTest::keyClicks(child<QLineEdit>(field), text);
    }
    void ok() { press(child<QPushButton>("ok")); }

    tk70test::MessageRecorder m_messages;
    std::unique_ptr<DatabaseOptionsDialog> m_dialog;
};

TEST_F(DatabaseOptionsDialogTest, SubstitutesAreEditableOnlyWhileChecked)
{
    AppSettings settings;
    settings.accessMarkBadQuality = 0;
    settings.accessPointErrorValue = -1e7;
    open(settings);
    EXPECT_EQ(m_dialog->windowTitle(), "TK70 Pro Access DB Setup");
    EXPECT_EQ(child<QLineEdit>("pointErrorValue")->text(), "-1e+07");
    EXPECT_TRUE(child<QRadioButton>("doublePrecision")->isChecked());
    EXPECT_TRUE(child<QLineEdit>("pointErrorValue")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>("badQualityValue")->isEnabled());
    click(child<QCheckBox>("markBadQuality"));
    click(child<QCheckBox>("markPointErrors"));
    EXPECT_TRUE(child<QLineEdit>("badQualityValue")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>("pointErrorValue")->isEnabled());
}

TEST_F(DatabaseOptionsDialogTest, OkOnUnchangedSubstitutesKeepsThemExactly)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // a locale with a decimal comma
    AppSettings settings;
    settings.accessPointErrorValue = -9999999.99;
    settings.accessBadQualityValue = 1e300;
    open(settings);
    EXPECT_EQ(child<QLineEdit>("pointErrorValue")->text(), "-9999999.99");
    EXPECT_EQ(child<QLineEdit>("badQualityValue")->text(), "1e+300");
    ok();
    QLocale::setDefault(previous);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_messages.texts(), QStringList{});
    EXPECT_EQ(m_dialog->settings().accessPointErrorValue, -9999999.99);
    EXPECT_EQ(m_dialog->settings().accessBadQualityValue, 1e300);
}

TEST_F(DatabaseOptionsDialogTest, EmptyTableNamesKeepTheDialogOpen)
{
    open(AppSettings{});
    type("tagInfoTable", "");
    type("dataTable", "");
    ok();
    EXPECT_TRUE(m_dialog->isVisible());
    type("dataTable", "Values");
    ok();
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_messages.texts(), (QStringList{"Must Enter a Name for the Data Values Table.",
                                               "Must Enter a Name for the Tag Information Table."}));
    EXPECT_EQ(m_messages.messages().at(0).title, "TK70 Pro Error");
    EXPECT_EQ(m_messages.messages().at(1).icon, MessageIcon::Stop);
    type("tagInfoTable", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(child<QLineEdit>("tagInfoTable")->text().size(), 25);
}

TEST_F(DatabaseOptionsDialogTest, OkHandsTheSettingsToTheDatabaseOutput)
{
    AppSettings settings;
    settings.accessJetVersion = 3;
    tk70test::whenModal<DatabaseOptionsDialog>([](DatabaseOptionsDialog *dialog) {
        dialog->findChild<QLineEdit *>("dataTable")->setText("Values");
        dialog->findChild<QLineEdit *>("badQualityValue")->setText("-7.5");
        click(dialog->findChild<QRadioButton *>("singlePrecision"));
        click(dialog->findChild<QCheckBox *>("markPointErrors"));
        press(dialog->findChild<QPushButton *>("ok"));
    });
    ASSERT_TRUE(runDatabaseOptions(nullptr, settings));
    EXPECT_EQ(settings.accessJetVersion, 3);
    EXPECT_EQ(settings.accessCollectedDataTableName, "Values");
    EXPECT_EQ(settings.accessDataPrecision, 0);
    EXPECT_EQ(settings.accessMarkPointErrors, 0);
    EXPECT_EQ(settings.accessBadQualityValue, -7.5);
    const DatabaseSettings applied = currentDatabaseSettings();
    EXPECT_EQ(applied.dataTableName, "Values");
    EXPECT_FALSE(applied.doublePrecision);
    EXPECT_FALSE(applied.markPointErrors);
    EXPECT_EQ(applied.badQualityValue, -7.5);

    const AppSettings before = settings;
    tk70test::whenModal<DatabaseOptionsDialog>([](DatabaseOptionsDialog *dialog) {
        dialog->findChild<QLineEdit *>("dataTable")->setText("Other");
        press(dialog->findChild<QPushButton *>("cancel"));
    });
    EXPECT_FALSE(runDatabaseOptions(nullptr, settings));
    EXPECT_EQ(settings, before);
}
