// The collection settings dialog on real widgets: what opening shows, default names and
// extensions, the date and time checks, storing on tab changes and closings, the link
// buttons against a stopped and a running driver, and the Advanced Settings caution.
#include "ciusim/pty_server.h"
#include "collect/view/collection_settings_dialog.h"
#include "driver/thread_control.h"
#include "driverclient/ciu_driver.h"
#include "platform/registry/settings_store.h"
#include "platform/view/view_beep.h"
#include "tags/tag_doc.h"
#include "tests/support/message_recorder.h"
#include "tests/support/modal_helper.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace tk70;
using tk70test::click;
using tk70test::press;

class CollectionSettingsTest : public ::testing::Test {
protected:
    CollectionSettingsTest() : m_store(m_dir.filePath(QStringLiteral("registry"))), m_driver(m_store)
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));  // dates are M/d/yy
        ViewBeep::setHook([this] { ++m_beeps; });
        for (const char *name : {"TIC-7", "fic-101", "AIC-3"}) {
            TagRecord tag;
            tag.tagname = QString::fromLatin1(name);
            m_doc.setTag(m_doc.tagCount(), tag);
            m_doc.tags().setCount(m_doc.tagCount() + 1);
        }
    }
    ~CollectionSettingsTest() override
    {
        ViewBeep::setHook({});
        QLocale::setDefault(m_previousLocale);
        CiuSetPortDevice(1, nullptr);
        vantor::setPhaseWaits(vantor::PhaseWaits{});
    }

    void open()
    {
        m_dialog = std::make_unique<CollectionSettingsDialog>(m_doc, m_driver, [this] { ++m_advancedRuns; });
        m_dialog->show();
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    template <typename T>
    T *child(const char *name) const
    {
        return m_dialog->findChild<T *>(QString::fromLatin1(name));
    }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    QAbstractButton *linkButton(const char *group, int id) const { return child<QButtonGroup>(group)->button(id); }
    void type(QLineEdit *field, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        field->clear();
        QTest::keyClicks(field, text);
    }
    // Types into a date or time entry and moves the focus on to the file name.
    void enterAndLeave(const char *name, const QString &text)
    {
        type(edit(name), text);
        QTest::mouseClick(edit("fileName"), Qt::LeftButton);
    }
    void chooseFileType(const QString &fileType)
    {
        auto *types = child<QComboBox>("fileType");
        types->setFocus();
        const int target = types->findText(fileType);
        for (int step = 0; step < 4 && types->currentIndex() != target; ++step)
            QTest::keyClick(types, types->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
    void showTab(int index)
    {
        auto *tabs = child<QTabBar>("tabs");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }

    const QLocale m_previousLocale;
    QTemporaryDir m_dir;
    SettingsStore m_store;
    CCiuDriver m_driver;
    CTagDoc m_doc;
    tk70test::MessageRecorder m_messages;
    std::unique_ptr<CollectionSettingsDialog> m_dialog;
    int m_beeps = 0;
    int m_advancedRuns = 0;
};

TEST_F(CollectionSettingsTest, OpensOnGroupOneWithSortedListsAndPassesTheLinkToTheDriver)
{
    m_doc.setSerialPortIndex(5);  // any index but 0 is COM 2
    m_doc.setBaudRateIndex(3);
    open();
    EXPECT_EQ(m_dialog->windowTitle(), "TK70 Pro Data Collection Settings");
    auto *tabs = child<QTabBar>("tabs");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(3), "Collection 4");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(edit("fileName")->text(), "TK70CG1.txt");
    EXPECT_EQ(edit("sampleTime")->text(), "10");
    EXPECT_TRUE(child<QCheckBox>("enabled")->isChecked());
    EXPECT_EQ(child<QComboBox>("fileType")->currentText(), "ASCII");
    const auto items = [](QComboBox *combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(child<QComboBox>("fileType")),
              QStringList({"ASCII", "CSV", "PostgreSQL Historian", "SQLite Database (*.db)", "TK70 (DOS)"}));
    EXPECT_EQ(items(child<QComboBox>("saveInhibitTag")), QStringList({"AIC-3", "fic-101", "TIC-7"}));
    EXPECT_EQ(items(child<QComboBox>("rollover")), QStringList({"0", "1", "4", "8", "12", "16", "20", "24"}));
    EXPECT_TRUE(child<QGroupBox>("baudRateGroup")->font().bold());
    EXPECT_FALSE(linkButton("baudRates", 3)->font().bold());
    EXPECT_TRUE(linkButton("comPorts", 1)->isChecked());
    EXPECT_TRUE(linkButton("baudRates", 3)->isChecked());
    EXPECT_EQ(m_driver.comPort(), 2);
    EXPECT_EQ(m_driver.baudRate(), 2400);
    EXPECT_TRUE(child<QPushButton>("close")->isDefault());
}

TEST_F(CollectionSettingsTest, EnablingAnEmptyGroupGivesItsDefaultNameAndSwitchesItsControls)
{
    m_doc.group(2).fileType = QString::fromLatin1(kFileTypeDos);
    open();
    showTab(2);
    EXPECT_FALSE(edit("fileName")->isEnabled());
    EXPECT_FALSE(child<QLabel>("endTimeLabel")->isEnabled());
    click(child<QCheckBox>("enabled"));
    EXPECT_EQ(m_doc.group(2).fileName, "TK70CG3.DAT");
    EXPECT_EQ(m_doc.group(2).enabled, 1);
    EXPECT_EQ(edit("fileName")->text(), "TK70CG3.DAT");
    EXPECT_TRUE(child<QLabel>("endTimeLabel")->isEnabled());
    EXPECT_TRUE(child<QComboBox>("rollover")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>("append")->isEnabled());
}

TEST_F(CollectionSettingsTest, AChangeOfTypeSwitchesOnlyAnExtensionOfTheFilePart)
{
    open();
    type(edit("fileName"), QStringLiteral("C:\\DATA\\RUN.1\\LOG"));
    chooseFileType(QStringLiteral("TK70 (DOS)"));
    EXPECT_EQ(m_doc.group(0).fileName, "C:\\DATA\\RUN.1\\LOG");
    EXPECT_EQ(m_doc.group(0).fileType, "TK70 (DOS)");
    type(edit("fileName"), QStringLiteral("C:\\DATA\\LOG.txt"));
    chooseFileType(QStringLiteral("CSV"));
    EXPECT_EQ(edit("fileName")->text(), "C:\\DATA\\LOG.csv");
    EXPECT_EQ(m_doc.group(0).fileName, "C:\\DATA\\LOG.csv");
}

// The historian's name is a connection string: the group's file name and its connection
// string are both kept while the type changes, and a historian has no file to append to
// or roll over.
TEST_F(CollectionSettingsTest, TheHistorianTakesAConnectionStringAndKeepsTheFileNameForLater)
{
    open();
    type(edit("fileName"), QStringLiteral("/data/plant.v2.csv"));
    chooseFileType(QStringLiteral("PostgreSQL Historian"));
    EXPECT_EQ(edit("fileName")->text(), "service=tk70");
    EXPECT_FALSE(child<QCheckBox>("append")->isEnabled());
    EXPECT_FALSE(child<QComboBox>("rollover")->isEnabled());
    type(edit("fileName"), QStringLiteral("host=historian.plant.example dbname=tk70"));
    chooseFileType(QStringLiteral("TK70 (DOS)"));
    EXPECT_EQ(m_doc.group(0).fileName, "/data/plant.v2.DAT");
    EXPECT_TRUE(child<QCheckBox>("append")->isEnabled());
    chooseFileType(QStringLiteral("PostgreSQL Historian"));
    EXPECT_EQ(m_doc.group(0).fileName, "host=historian.plant.example dbname=tk70") << "the dots of a host name";
    EXPECT_EQ(m_doc.group(0).fileType, "PostgreSQL Historian");
}

// The name every sample goes under shows on a historian's page only, and is changed in
// the program's settings, not here.
TEST_F(CollectionSettingsTest, AHistorianPageShowsTheStationsName)
{
    open();
    m_dialog->setStationName(QStringLiteral("unit4"));
    QLineEdit *station = edit("stationName");
    ASSERT_NE(station, nullptr);
    EXPECT_FALSE(station->isVisible());
    const QSize size = m_dialog->size();
    chooseFileType(QStringLiteral("PostgreSQL Historian"));
    EXPECT_TRUE(station->isVisible());
    EXPECT_TRUE(child<QLabel>("stationNameLabel")->isVisible());
    EXPECT_EQ(station->text(), "unit4");
    EXPECT_TRUE(station->isReadOnly());
    showTab(1);
    EXPECT_FALSE(station->isVisible()) << "an ASCII group of tab 2";
    EXPECT_EQ(m_dialog->size(), size) << "the dialog changed its size with the file type";
}

// A group of the older database type text shows as the database entry; choosing the
// database gives the name the ".db" extension.
TEST_F(CollectionSettingsTest, TheDatabaseEntryShowsEveryNonTextTypeAndSwitchesToDb)
{
    m_doc.group(1).fileType = QString::fromLatin1(kFileTypeAccess);
    open();
    chooseFileType(QStringLiteral("SQLite Database (*.db)"));
    EXPECT_EQ(m_doc.group(0).fileName, "TK70CG1.db");
    EXPECT_EQ(m_doc.group(0).fileType, "SQLite Database (*.db)");
    showTab(1);
    EXPECT_EQ(child<QComboBox>("fileType")->currentText(), "SQLite Database (*.db)");
}

TEST_F(CollectionSettingsTest, DatesAndTimesAreCheckedWhenLeftAndRewrittenInTheirNormalForm)
{
    open();
    enterAndLeave("startDate", QStringLiteral("31/31/96"));
    ASSERT_EQ(m_messages.messages().size(), 1u);
    const Message &message = m_messages.messages()[0];
    EXPECT_EQ(message.text, "Illegal Start Date.\n\nInvalid Date Removed.");
    EXPECT_EQ(message.title, "TK70 Pro Error");
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(edit("startDate")->text(), "");
    enterAndLeave("startTime", QStringLiteral("14:30:45"));
    enterAndLeave("endDate", QStringLiteral("12/6/96"));
    EXPECT_EQ(edit("startTime")->text(), "14:30");
    EXPECT_EQ(edit("endDate")->text(), "12/6/1996");
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

TEST_F(CollectionSettingsTest, CloseStoresFreeEntriesAsTypedWithTheLinkIndexes)
{
    open();
    type(child<QComboBox>("rollover")->lineEdit(), QStringLiteral("36"));
    type(child<QComboBox>("saveInhibitTag")->lineEdit(), QStringLiteral("NOT-LISTED"));
    type(edit("endTime"), QStringLiteral("7:05 PM"));
    click(linkButton("comPorts", 1));
    click(linkButton("baudRates", 4));
    EXPECT_EQ(m_driver.comPort(), 2);  // at once
    EXPECT_EQ(m_driver.baudRate(), 1200);
    press(child<QPushButton>("close"));
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_doc.group(0).rolloverHours, 36);
    EXPECT_EQ(m_doc.group(0).saveInhibitTag, "NOT-LISTED");
    EXPECT_EQ(m_doc.group(0).endTime, "19:05");
    EXPECT_EQ(m_doc.serialPortIndex(), 1);
    EXPECT_EQ(m_doc.baudRateIndex(), 4);
}

// The link clicks reached the driver at once; Escape gives it the document's link back,
// so the driver and the document agree on the line again.
TEST_F(CollectionSettingsTest, EscapeStoresThePageButGivesTheDriverTheDocumentsLinkBack)
{
    open();
    type(edit("fileName"), QStringLiteral("ESCAPED.txt"));
    click(linkButton("comPorts", 1));
    click(linkButton("baudRates", 0));
    EXPECT_EQ(m_driver.comPort(), 2);
    EXPECT_EQ(m_driver.baudRate(), 19200);
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_doc.group(0).fileName, "ESCAPED.txt");
    EXPECT_EQ(m_doc.baudRateIndex(), kDefaultBaudRateIndex);
    EXPECT_EQ(m_doc.serialPortIndex(), 0);
    EXPECT_EQ(m_driver.comPort(), 1);
    EXPECT_EQ(m_driver.baudRate(), 9600);
}

TEST_F(CollectionSettingsTest, LeavingATabStoresItsPageUnlessADateIsInvalid)
{
    m_doc.group(0).endTime = QStringLiteral("25:99");  // as a file may hold it
    m_doc.group(1).enabled = 1;
    open();
    type(edit("fileName"), QStringLiteral("LOST.txt"));
    type(edit("startDate"), QStringLiteral("31/31/96"));
    showTab(1);
    EXPECT_EQ(m_messages.texts(), QStringList{"Illegal Start Date.\n\nInvalid Date Removed."});  // first fault only
    EXPECT_EQ(child<QTabBar>("tabs")->currentIndex(), 1);
    EXPECT_EQ(m_doc.group(0).fileName, "TK70CG1.txt");
    EXPECT_EQ(edit("fileName")->text(), "");
    type(edit("fileName"), QStringLiteral("KEPT.csv"));
    showTab(0);
    EXPECT_EQ(m_doc.group(1).fileName, "KEPT.csv");
    EXPECT_EQ(edit("fileName")->text(), "TK70CG1.txt");
}

TEST_F(CollectionSettingsTest, ASampleTimeThatIsNoIntegerKeepsTheDialogOnIt)
{
    open();
    type(edit("sampleTime"), QString());
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    showTab(3);
    EXPECT_EQ(m_messages.texts(), QStringList({"Please enter an integer.", "Please enter an integer."}));
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(child<QTabBar>("tabs")->currentIndex(), 0);
    EXPECT_EQ(m_dialog->focusWidget(), edit("sampleTime"));
}

TEST_F(CollectionSettingsTest, AdvancedSettingsRunOnlyAfterTheCautionIsAnsweredOk)
{
    open();
    press(child<QPushButton>("advancedSettings"));  // the default answer is Cancel
    EXPECT_EQ(m_advancedRuns, 0);
    m_messages.answer(MessageAnswer::Ok);
    press(child<QPushButton>("advancedSettings"));
    EXPECT_EQ(m_advancedRuns, 1);
    const Message &caution = m_messages.messages().at(0);
    EXPECT_EQ(caution.text, "Caution!\n\nIncorrect modifications of the Advanced Settings\nmay cause the TK70 Pro "
                            "to not operate properly\nor not operate at all.\n\nContinue?");
    EXPECT_EQ(caution.title, "TK70 Pro Caution");
    EXPECT_EQ(caution.icon, MessageIcon::Exclamation);
    EXPECT_EQ(caution.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(caution.defaultAnswer, MessageAnswer::Cancel);
}

TEST_F(CollectionSettingsTest, LinkClicksAreUndoneWithABeepWhileTheDriverRuns)
{
    vantor::setPhaseWaits(vantor::PhaseWaits{5, 5, 5, 5});
    ciusim::PtyServer sim;
    ASSERT_TRUE(sim.start());
    CiuSetPortDevice(1, sim.devicePath().c_str());
    m_driver.setLogSettings(false, false, m_dir.filePath(QStringLiteral("TK70Pro.LOG")));
    m_driver.setSetting(DriverSetting::DtrPulse, 1);  // a quick restart and close
    m_driver.setSetting(DriverSetting::RestartDelay, 1);
    ASSERT_TRUE(m_driver.createEvents());
    m_driver.addPoint(QStringLiteral("TIC-7"), 1, 2, 3, 7, 5);
    open();
    ASSERT_TRUE(m_driver.start());
    click(linkButton("comPorts", 1));
    click(linkButton("baudRates", 0));
    EXPECT_TRUE(linkButton("comPorts", 0)->isChecked());
    EXPECT_TRUE(linkButton("baudRates", 1)->isChecked());
    EXPECT_EQ(m_beeps, 2);
    EXPECT_EQ(m_driver.comPort(), 1);
    EXPECT_EQ(m_driver.baudRate(), 9600);
    m_driver.stop();
    CiuSetPortDevice(1, nullptr);
    vantor::setPhaseWaits(vantor::PhaseWaits{});
}

TEST_F(CollectionSettingsTest, Screenshot)
{
    m_doc.group(0).startDate = QStringLiteral("12/6/1996");
    m_doc.group(0).startTime = QStringLiteral("06:00");
    m_doc.group(0).saveInhibitTag = QStringLiteral("TIC-7");
    open();
    const QString folder = QStringLiteral(TK70_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(m_dialog->grab().save(folder + QStringLiteral("/collection_settings.png")));
    showTab(1);
    EXPECT_TRUE(m_dialog->grab().save(folder + QStringLiteral("/collection_settings_disabled.png")));
}
