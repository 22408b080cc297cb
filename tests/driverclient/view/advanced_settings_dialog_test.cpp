// The advanced settings dialog on real widgets, over the real driver client and settings
// store: what it shows, its enabling rules, the module defaults, the range checks, what
// OK writes into the driver and the store, Cancel, and the devices of the COM ports
// proved against the CIU simulator.
#include "driverclient/view/advanced_settings_dialog.h"
#include "tests/driverclient/view/driver_dialog_fixture.h"
#include "tests/support/modal_helper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace tk70;
using tk70test::click;
using tk70test::press;
using S = DriverSetting;

class AdvancedSettingsDialogTest : public DriverDialogTest {
protected:
    AdvancedSettingsDialog &open(SettingsStore *store = nullptr)
    {
        m_dialog = std::make_unique<AdvancedSettingsDialog>(driver(), store ? *store : m_store);
        m_dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        return *m_dialog;
    }
    template <typename W>
    W *get(const char *name) const
    {
        return find<W>(m_dialog.get(), name);
    }
    QLineEdit *edit(const char *name) const { return get<QLineEdit>(name); }
    QCheckBox *box(const char *name) const { return get<QCheckBox>(name); }
    QString text(const char *name) const { return edit(name)->text(); }
    void ok() { press(get<QPushButton>("ok")); }
    void choose(const char *list, const char *item) const
    {
        get<QComboBox>(list)->setCurrentIndex(get<QComboBox>(list)->findText(QString::fromLatin1(item)));
    }
    void typeDevice(const QString &path) const { type(get<QComboBox>("Com1Device")->lineEdit(), path); }

    std::unique_ptr<AdvancedSettingsDialog> m_dialog;
};

TEST_F(AdvancedSettingsDialogTest, ShowsWhatTheDriverHas)
{
    open();
    EXPECT_EQ(m_dialog->windowTitle(), "Communication Driver Advanced Settings");
    EXPECT_EQ(get<QLabel>("NonExpPointsLabel")->text(), "Non-Exp Points\nPer Scan");
    EXPECT_EQ(get<QLabel>("Com1DeviceLabel")->text(), "COM 1 device");
    EXPECT_EQ(text("RxTimeout"), "5000");
    EXPECT_TRUE(box("watchdogEnabled")->isChecked());
    EXPECT_EQ(text("watchdog"), "25");
    EXPECT_TRUE(get<QRadioButton>("resetOption0")->isChecked());
    EXPECT_FALSE(edit("override")->isEnabled());
    EXPECT_FALSE(box("WriteEnabled")->isEnabled());
    EXPECT_EQ(get<QComboBox>("CollectionPriority")->currentText(), "Time Critical");
    EXPECT_EQ(get<QComboBox>("CollectionPriority")->count(), 7);
    EXPECT_EQ(get<QComboBox>("Com1Device")->currentText(), "");
    EXPECT_EQ(get<QComboBox>("Com1Device")->lineEdit()->placeholderText(), "/dev/ttyS0");
}

TEST_F(AdvancedSettingsDialogTest, AutomaticDetectionSavesBothReadsOffUntilUnchecked)
{
    open();
    for (const char *reads : {"ExpReadsEnabled", "NonExpEnabled"}) {
        EXPECT_FALSE(box(reads)->isChecked()) << reads;
        EXPECT_FALSE(box(reads)->isEnabled()) << reads;
    }
    ok();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(stored("AutoPointDetection"), 1u);
    EXPECT_EQ(stored("ExpReadsEnabled"), 0u);
    EXPECT_EQ(stored("NonExpEnabled"), 0u);
    EXPECT_EQ(driver().setting(S::ExpReadsEnabled), 0);

    open();
    type(edit("ExpDelay"), "0");
    click(box("AutoPointDetection"));
    EXPECT_TRUE(box("ExpReadsEnabled")->isChecked() && box("ExpReadsEnabled")->isEnabled());
    EXPECT_TRUE(box("NonExpEnabled")->isChecked() && box("NonExpEnabled")->isEnabled());
    EXPECT_TRUE(edit("NonExpPoints")->isEnabled());
    EXPECT_EQ(text("ExpDelay"), "200");
}

TEST_F(AdvancedSettingsDialogTest, WatchdogSecondsAreSavedAsItsByte)
{
    open();
    type(edit("watchdog"), "26");
    ok();
    EXPECT_EQ(stored("WatchdogEnabled"), 1u);
    EXPECT_EQ(stored("WatchdogValue"), 10u);
    EXPECT_EQ(driver().setting(S::WatchdogValue), 10);
    reloadDriver();
    open();
    EXPECT_EQ(text("watchdog"), "25");
    click(box("watchdogEnabled"));
    EXPECT_FALSE(edit("watchdog")->isEnabled());
    ok();
    EXPECT_EQ(stored("WatchdogEnabled"), 0u);
    EXPECT_EQ(stored("WatchdogValue"), 0u);
}

TEST_F(AdvancedSettingsDialogTest, PrioritiesByNameAndDefaultForAnUnnamedValue)
{
    ASSERT_TRUE(m_store.setDword(kKey, "CollectionPriority", 3));
    ASSERT_TRUE(m_store.setDword(kKey, "IdlePriority", 5));
    open();
    EXPECT_EQ(get<QComboBox>("CollectionPriority")->currentText(), "Default");
    EXPECT_EQ(get<QComboBox>("IdlePriority")->currentText(), "Default");
    ok();
    EXPECT_EQ(stored("CollectionPriority"), 15u);
    EXPECT_EQ(stored("IdlePriority"), 0u);

    open();
    choose("IdlePriority", "Lowest");
    ok();
    EXPECT_EQ(stored("IdlePriority"), static_cast<quint32>(-2));
    EXPECT_EQ(driver().setting(S::IdlePriority), -2);
    reloadDriver();
    open();
    EXPECT_EQ(get<QComboBox>("IdlePriority")->currentText(), "Lowest");
}

TEST_F(AdvancedSettingsDialogTest, AFieldOutOfRangeKeepsTheDialogOpenAndSavesNothing)
{
    open();
    const std::pair<const char *, const char *> cases[] = {
        {"RxTimeout", "32001"}, {"watchdog", "638"}, {"ReplyDelay", "128"}, {"CommandPace", "-1"}};
    for (const auto &[field, value] : cases) {
        const QString before = text(field);
        type(edit(field), QString::fromLatin1(value));
        ok();
        EXPECT_TRUE(m_dialog->isVisible()) << field;
        EXPECT_EQ(edit(field)->selectedText(), value) << field;
        type(edit(field), before);
    }
    EXPECT_EQ(
        m_messages.texts(),
        (QStringList{"Please enter an integer between 0 and 32000.", "Please enter an integer between 0 and 637.",
                     "Please enter an integer between 0 and 127.", "Please enter an integer between 0 and 2000."}));
    EXPECT_FALSE(m_store.keyExists(kKey));
    EXPECT_EQ(driver().setting(S::RxTimeout), 5000);
}

TEST_F(AdvancedSettingsDialogTest, ModuleDefaultsSetTheirValues)
{
    open();
    press(get<QPushButton>("ciuIci"));
    EXPECT_TRUE(box("AutoPointDetection")->isChecked());
    EXPECT_FALSE(box("ExpReadsEnabled")->isChecked() || box("ExpReadsEnabled")->isEnabled());
    EXPECT_TRUE(box("watchdogEnabled")->isChecked());
    EXPECT_EQ(text("watchdog"), "25");
    const std::pair<const char *, const char *> ciuIci[] = {
        {"ExpDelay", "200"}, {"NonExpPoints", "3"}, {"RxTimeout", "7000"}, {"DtrPulse", "700"}};
    for (const auto &[field, value] : ciuIci)
        EXPECT_EQ(text(field), value) << field;

    press(get<QPushButton>("spmCpm"));
    EXPECT_FALSE(box("AutoPointDetection")->isChecked());
    EXPECT_FALSE(box("ExpReadsEnabled")->isChecked());
    EXPECT_TRUE(box("NonExpEnabled")->isChecked() && edit("NonExpPoints")->isEnabled());
    EXPECT_FALSE(box("watchdogEnabled")->isChecked() || edit("watchdog")->isEnabled());
    const std::pair<const char *, const char *> spmCpm[] = {
        {"ExpDelay", "0"}, {"NonExpPoints", "300"}, {"TxTimeout", "2000"}, {"logFileName", "TK70Pro.LOG"}};
    for (const auto &[field, value] : spmCpm)
        EXPECT_EQ(text(field), value) << field;
    EXPECT_EQ(get<QComboBox>("CollectionPriority")->currentText(), "Time Critical");
    EXPECT_EQ(get<QComboBox>("IdlePriority")->currentText(), "Normal");
    EXPECT_TRUE(get<QRadioButton>("CiuMode1")->isChecked() && get<QRadioButton>("Parity0")->isChecked());
    ok();
    EXPECT_EQ(stored("NonExpEnabled"), 1u);
    EXPECT_EQ(stored("NonExpPoints"), 300u);
    EXPECT_EQ(stored("CommandPace"), 20u);
}

TEST_F(AdvancedSettingsDialogTest, EnablingRulesOfLogEmulationAndResetOption)
{
    driver().setSetting(S::DataBits, 5);
    open();
    EXPECT_TRUE(get<QRadioButton>("DataBits7")->isChecked());
    box("logDetailed")->setChecked(true);
    click(box("logEnabled"));
    EXPECT_FALSE(box("logDetailed")->isChecked() || box("logDetailed")->isEnabled());
    EXPECT_FALSE(edit("logFileName")->isEnabled() || get<QLabel>("logFileNameLabel")->isEnabled());

    click(box("ForceCiu01Mode"));
    EXPECT_FALSE(box("DisableCiu01Mode")->isEnabled());
    click(box("ForceCiu01Mode"));
    click(box("DisableCiu01Mode"));
    EXPECT_FALSE(box("ForceCiu01Mode")->isEnabled());

    click(get<QRadioButton>("resetOption2"));
    EXPECT_TRUE(edit("override")->isEnabled());
    type(edit("override"), "77");
    click(get<QRadioButton>("resetOption1"));
    EXPECT_EQ(text("override"), "130");
    EXPECT_FALSE(edit("override")->isEnabled());
    click(get<QRadioButton>("resetOption2"));
    type(edit("override"), "77");
    ok();
    EXPECT_EQ(stored("ResetOptionValue"), 77u);
    EXPECT_EQ(stored("DataBits"), 7u);
    EXPECT_EQ(stored("LogFileEnabled"), 0u);
    EXPECT_EQ(stored("DisableCiu01Mode"), 1u);
    EXPECT_FALSE(driver().logEnabled());
    open();
    EXPECT_TRUE(get<QRadioButton>("resetOption2")->isChecked());
    EXPECT_EQ(text("override"), "77");
}

TEST_F(AdvancedSettingsDialogTest, CancelChangesNothing)
{
    open();
    type(edit("RxTimeout"), "1234");
    press(get<QPushButton>("spmCpm"));
    typeDevice(QStringLiteral("/dev/ttyUSB3"));
    press(get<QPushButton>("cancel"));
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_EQ(driver().setting(S::RxTimeout), 5000);
    EXPECT_EQ(driver().setting(S::AutoPointDetection), 1);
}

TEST_F(AdvancedSettingsDialogTest, AStoreThatCannotBeWrittenGetsNothingAndTheDriverEverything)
{
    QFile blocker(dir() + QStringLiteral("/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    SettingsStore blocked(blocker.fileName() + QStringLiteral("/registry"));
    open(&blocked);
    type(edit("RxTimeout"), "1234");
    ok();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(driver().setting(S::RxTimeout), 1234);
    EXPECT_FALSE(blocked.keyExists(kKey));
    EXPECT_EQ(m_messages.texts(),
              QStringList{"The settings could not be saved.\n\n" + blocked.path() + ": " + blocker.fileName() +
                          " is in the way of the settings folder: it is not a folder"});
}

TEST_F(AdvancedSettingsDialogTest, TheComPortDeviceIsSavedAndUsedAndEmptyMeansTheDefault)
{
    startSimulator();
    const QString simulator = QString::fromStdString(m_sim.devicePath());
    open();
    typeDevice(simulator);
    ok();
    EXPECT_EQ(m_store.string(kKey, "Com1Device"), simulator);
    ASSERT_TRUE(startCollection());
    driver().stop();

    open();
    EXPECT_EQ(get<QComboBox>("Com1Device")->currentText(), simulator);
    typeDevice(QStringLiteral("/nonexistent/ciu"));
    ok();
    EXPECT_FALSE(startCollection());

    qputenv("TK70_COM1", simulator.toLocal8Bit());
    open();
    typeDevice(QString());
    ok();
    const bool started = startCollection();
    qunsetenv("TK70_COM1");
    EXPECT_TRUE(started);
    EXPECT_FALSE(m_store.value(kKey, "Com1Device").has_value());
    driver().stop();
}
