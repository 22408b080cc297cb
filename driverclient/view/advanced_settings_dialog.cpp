// "Communication Driver Advanced Settings": see advanced_settings_dialog.h.
#include "driverclient/view/advanced_settings_dialog.h"

#include "driverclient/advanced_settings_rules.h"
#include "driverclient/ciu_driver.h"
#include "driverclient/serial_devices.h"
#include "platform/registry/settings_warning.h"
#include "platform/view/dialog_fonts.h"
#include "platform/view/field_exchange.h"
#include "platform/view/form_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tk70 {

namespace {

using S = DriverSetting;

constexpr int kMaxLogNameChars = 40;
constexpr int kMaxResetOverride = 255;

// The timing edits of the serial line, in the order shown.
struct TimingField {
    DriverSetting setting;
    const char *label;
    int max;
};

const TimingField kTimingFields[] = {
    {S::RxTimeout, "Rx Timeout (mS)", 32000},
    {S::TxTimeout, "Tx Timeout (mS)", 32000},
    {S::DtrPulse, "DTR Pulse Duration (mS)", 10000},
    {S::RestartInterval, "Inter ReStart Delay (mS)", 32000},
    {S::RestartDelay, "Post ReStart Delay (mS)", 32000},
    {S::ExpDelay, "Exp. Read Delay (mS)", 5000},
    {S::CommandPace, "Command Pacing (mS)", 2000},
};

QString valueName(DriverSetting setting) { return QString::fromLatin1(driverSettingInfo(setting).valueName); }

// An edit as wide as a number of digits.
QLineEdit *numberEdit(const QString &name)
{
    auto *edit = named(new QLineEdit, name);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    return edit;
}

// A form with room between each label and its field.
QFormLayout *newForm(QWidget *group = nullptr)
{
    auto *form = new QFormLayout(group);
    form->setHorizontalSpacing(10);
    return form;
}

QLabel *buddyLabel(const char *text, QWidget *buddy)
{
    auto *label = named(new QLabel(QString::fromLatin1(text)), buddy->objectName() + QStringLiteral("Label"));
    label->setBuddy(buddy);
    return label;
}

void showPriority(QComboBox *list, int priority)
{
    const QString name = priorityName(priority);
    if (list->findText(name) < 0)
        list->addItem(name);
    list->setCurrentIndex(list->findText(name));
}

// Checks the radio button of a value; with none for it, none is checked.
void showChoice(QButtonGroup *group, int value)
{
    if (QAbstractButton *button = group->button(value)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

}  // namespace

AdvancedSettingsDialog::AdvancedSettingsDialog(CCiuDriver &driver, SettingsStore &store, QWidget *parent)
    : QDialog(parent), m_driver(driver), m_store(store)
{
    setWindowTitle(QStringLiteral("Communication Driver Advanced Settings"));
    layOut();
    connectRules();
    const AdvancedSettings current = loadAdvancedSettings(driver, store);
    showSettings(current);
    showDevices(current);
}

QGroupBox *AdvancedSettingsDialog::buildLogGroup()
{
    auto *group = addGroup(QStringLiteral("Log File"), QStringLiteral("logGroup"));
    m_logEnabled = named(new QCheckBox(QStringLiteral("Enabled")), QStringLiteral("logEnabled"));
    m_logDetailed = named(new QCheckBox(QStringLiteral("Detailed")), QStringLiteral("logDetailed"));
    m_logFile = named(new QLineEdit, QStringLiteral("logFileName"));
    limitText(m_logFile, kMaxLogNameChars);
    m_logFile->setMinimumWidth(m_logFile->fontMetrics().averageCharWidth() * 20);
    m_logFileLabel = buddyLabel("Filename", m_logFile);
    auto *grid = new QGridLayout(group);
    grid->addWidget(m_logEnabled, 0, 0);
    grid->addWidget(m_logDetailed, 0, 1);
    grid->addWidget(m_logFileLabel, 1, 0, 1, 2);
    grid->addWidget(m_logFile, 2, 0, 1, 2);
    return group;
}

QGroupBox *AdvancedSettingsDialog::buildPriorityGroup()
{
    auto *group = addGroup(QStringLiteral("Thread Priority"), QStringLiteral("priorityGroup"));
    m_collectionPriority = named(new QComboBox, valueName(S::CollectionPriority));
    m_idlePriority = named(new QComboBox, valueName(S::IdlePriority));
    auto *form = newForm(group);
    for (QComboBox *list : {m_collectionPriority, m_idlePriority})
        list->addItems(priorityNames());
    form->addRow(buddyLabel("Collection Priority", m_collectionPriority), m_collectionPriority);
    form->addRow(buddyLabel("Idle Priority", m_idlePriority), m_idlePriority);
    return group;
}

QGroupBox *AdvancedSettingsDialog::buildPointTypesGroup()
{
    auto *group = addGroup(QStringLiteral("Supported Point Types"), QStringLiteral("pointTypesGroup"));
    auto *box = new QVBoxLayout(group);
    box->addWidget(addCheck(S::AutoPointDetection, "Automatic Detection"));
    box->addWidget(addCheck(S::ExpReadsEnabled, "Exception Reads Enabled"));
    box->addWidget(addCheck(S::NonExpEnabled, "Non-Exp. Reads Enabled"));
    auto *nonExpForm = newForm();
    addNumber(nonExpForm, S::NonExpPoints, "Non-Exp Points\nPer Scan", 0, 600);
    box->addLayout(nonExpForm);
    box->addWidget(addCheck(S::WriteEnabled, "Output Points Enabled"));
    auto *writeForm = newForm();
    addNumber(writeForm, S::WritePoints, "Output Points\nPer Scan", 0, 600);
    box->addLayout(writeForm);
    return group;
}

QLayout *AdvancedSettingsDialog::buildLineColumn()
{
    auto *bits = new QVBoxLayout;
    bits->addWidget(addChoice(S::DataBits, "Data Bits", {{"8 Bits", 8}, {"7 Bits", 7}}));
    bits->addWidget(addChoice(S::StopBits, "Stop Bits", {{"1 Bit", 0}, {"1.5 Bits", 1}, {"2 Bits", 2}}));
    auto *line = new QHBoxLayout;
    line->addLayout(bits);
    line->addWidget(addChoice(S::Parity, "Parity", {{"None", 0}, {"Odd", 1}, {"Even", 2}, {"Mark", 3}, {"Space", 4}}));
    auto *timing = newForm();
    for (const TimingField &field : kTimingFields)
        addNumber(timing, field.setting, field.label, 0, field.max);
    auto *column = new QVBoxLayout;
    column->addLayout(line);
    column->addLayout(timing);
    column->addStretch(1);
    return column;
}

QLayout *AdvancedSettingsDialog::buildCiuColumn()
{
    auto *column = new QVBoxLayout;
    column->addWidget(addChoice(S::CiuMode, "CIU Loop Mode", {{"Single Loop Only", 0}, {"Multi/Single Loop", 1}}));
    column->addWidget(buildResetGroup());
    auto *emulation = addGroup(QStringLiteral("CIU Emulation"), QStringLiteral("emulationGroup"));
    auto *emulationBox = new QVBoxLayout(emulation);
    emulationBox->addWidget(addCheck(S::ForceCiu01Mode, "Force CIU01 Emulation"));
    emulationBox->addWidget(addCheck(S::DisableCiu01Mode, "Disable CIU01 Emulation"));
    column->addWidget(emulation);
    auto *restart = newForm();
    addNumber(restart, S::AddOption, "Additional Option", 0, 255);
    addNumber(restart, S::ReplyDelay, "Reply Delay (S)", 0, 127);
    m_watchdogEnabled = named(new QCheckBox(QStringLiteral("Watchdog Enabled")), QStringLiteral("watchdogEnabled"));
    restart->addRow(m_watchdogEnabled);
    m_watchdog = numberEdit(QStringLiteral("watchdog"));
    m_watchdogLabel = buddyLabel("Watchdog (S)", m_watchdog);
    restart->addRow(m_watchdogLabel, m_watchdog);
    column->addLayout(restart);
    column->addStretch(1);
    return column;
}

QGroupBox *AdvancedSettingsDialog::buildResetGroup()
{
    auto *group = addGroup(QStringLiteral("CIU Reset Option"), QStringLiteral("resetGroup"));
    m_resetOption = new QButtonGroup(this);
    auto *grid = new QGridLayout(group);
    const std::pair<const char *, ResetOption> options[] = {{"SPM/CPM/CIU", ResetOption::SpmCpmCiu},
                                                            {"CIU04 Multi Loop", ResetOption::Ciu04MultiLoop},
                                                            {"Manual Override", ResetOption::ManualOverride}};
    for (const auto &[label, option] : options) {
        auto *radio = named(new QRadioButton(QString::fromLatin1(label)),
                            QStringLiteral("resetOption%1").arg(static_cast<int>(option)));
        m_resetOption->addButton(radio, static_cast<int>(option));
        grid->addWidget(radio, static_cast<int>(option), 0, 1, 2);
    }
    m_override = numberEdit(QStringLiteral("override"));
    m_overrideLabel = buddyLabel("Override", m_override);
    grid->addWidget(m_overrideLabel, 3, 0);
    grid->addWidget(m_override, 3, 1, Qt::AlignLeft);
    return group;
}

QGroupBox *AdvancedSettingsDialog::buildDeviceGroup()
{
    auto *group = addGroup(QStringLiteral("Serial Devices"), QStringLiteral("deviceGroup"));
    auto *form = newForm(group);
    const QStringList present = serialDevices();
    for (int port : {1, 2}) {
        auto *list = named(new QComboBox, portDeviceValueName(port));
        list->setEditable(true);
        list->addItems(present);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setMinimumWidth(list->fontMetrics().averageCharWidth() * 36);
        list->lineEdit()->setPlaceholderText(defaultPortDevice(port));
        form->addRow(buddyLabel(port == 1 ? "COM 1 device" : "COM 2 device", list), list);
        m_devices[static_cast<std::size_t>(port - 1)] = list;
    }
    return group;
}

QLayout *AdvancedSettingsDialog::buildButtons()
{
    auto *ok = named(new QPushButton(QStringLiteral("&OK")), QStringLiteral("ok"));
    auto *cancel = named(new QPushButton(QStringLiteral("Cancel")), QStringLiteral("cancel"));
    ok->setDefault(true);
    auto *defaults = addGroup(QStringLiteral("Module Defaults"), QStringLiteral("moduleDefaultsGroup"));
    auto *spmCpm = named(new QPushButton(QStringLiteral("&SPM/CPM")), QStringLiteral("spmCpm"));
    auto *ciuIci = named(new QPushButton(QStringLiteral("&CIU/ICI")), QStringLiteral("ciuIci"));
    auto *defaultsBox = new QVBoxLayout(defaults);
    for (QPushButton *button : {spmCpm, ciuIci}) {
        button->setAutoDefault(false);
        defaultsBox->addWidget(button);
    }
    connect(ok, &QPushButton::clicked, this, &AdvancedSettingsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &AdvancedSettingsDialog::reject);
    connect(spmCpm, &QPushButton::clicked, this, &AdvancedSettingsDialog::spmCpmClicked);
    connect(ciuIci, &QPushButton::clicked, this, &AdvancedSettingsDialog::ciuIciClicked);
    auto *column = new QVBoxLayout;
    column->addWidget(ok);
    column->addWidget(cancel);
    column->addStretch(1);
    column->addWidget(defaults);
    return column;
}

void AdvancedSettingsDialog::layOut()
{
    auto *left = new QVBoxLayout;
    for (QGroupBox *group : {buildLogGroup(), buildPriorityGroup(), buildPointTypesGroup()}) {
        left->addWidget(group);
    }
    left->addStretch(1);
    auto *page = new QGridLayout(this);
    page->setHorizontalSpacing(14);
    page->addLayout(left, 0, 0);
    page->addLayout(buildLineColumn(), 0, 1);
    page->addLayout(buildCiuColumn(), 0, 2);
    page->addLayout(buildButtons(), 0, 3, 2, 1);
    page->addWidget(buildDeviceGroup(), 1, 0, 1, 3);
    for (QGroupBox *group : m_groups)
        setBoldCaption(group);
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void AdvancedSettingsDialog::connectRules()
{
    connect(check(S::AutoPointDetection), &QCheckBox::clicked, this, &AdvancedSettingsDialog::autoDetectionClicked);
    for (QCheckBox *box : {check(S::NonExpEnabled), m_logEnabled, check(S::ForceCiu01Mode), check(S::DisableCiu01Mode),
                           m_watchdogEnabled})
        connect(box, &QCheckBox::toggled, this, &AdvancedSettingsDialog::updateFields);
    connect(m_resetOption, &QButtonGroup::idClicked, this, &AdvancedSettingsDialog::resetOptionClicked);
}

// A group box whose caption is made bold with the others once the page is laid out.
QGroupBox *AdvancedSettingsDialog::addGroup(const QString &title, const QString &name)
{
    auto *group = named(new QGroupBox(title), name);
    m_groups.push_back(group);
    return group;
}

QLineEdit *AdvancedSettingsDialog::addNumber(QFormLayout *form, DriverSetting setting, const char *label, int min,
                                             int max)
{
    QLineEdit *edit = numberEdit(valueName(setting));
    QLabel *caption = buddyLabel(label, edit);
    form->addRow(caption, edit);
    m_numbers.push_back(NumberField{setting, edit, min, max});
    m_labels[setting] = caption;
    return edit;
}

QCheckBox *AdvancedSettingsDialog::addCheck(DriverSetting setting, const char *label)
{
    auto *box = named(new QCheckBox(QString::fromLatin1(label)), valueName(setting));
    m_checks[setting] = box;
    return box;
}

QGroupBox *AdvancedSettingsDialog::addChoice(DriverSetting setting, const char *title,
                                             std::initializer_list<Choice> choices)
{
    auto *group = addGroup(QString::fromLatin1(title), valueName(setting) + QStringLiteral("Group"));
    auto *buttons = new QButtonGroup(this);
    auto *box = new QVBoxLayout(group);
    for (const Choice &choice : choices) {
        auto *radio = named(new QRadioButton(QString::fromLatin1(choice.label)),
                            valueName(setting) + QString::number(choice.value));
        buttons->addButton(radio, choice.value);
        box->addWidget(radio);
    }
    box->addStretch(1);
    m_choices[setting] = buttons;
    return group;
}

QLineEdit *AdvancedSettingsDialog::edit(DriverSetting setting) const
{
    for (const NumberField &field : m_numbers)
        if (field.setting == setting)
            return field.edit;
    return nullptr;
}

void AdvancedSettingsDialog::showSettings(const AdvancedSettings &settings)
{
    m_shown = settings;
    for (const NumberField &field : m_numbers)
        field.edit->setText(QString::number(settings.value(field.setting)));
    m_logEnabled->setChecked(settings.logEnabled);
    m_logDetailed->setChecked(settings.logDetailed);
    m_logFile->setText(settings.logFileName);
    showPriority(m_collectionPriority, settings.value(S::CollectionPriority));
    showPriority(m_idlePriority, settings.value(S::IdlePriority));
    const int reset = settings.value(S::ResetOptionValue);
    m_resetOption->button(static_cast<int>(resetOptionOf(reset)))->setChecked(true);
    m_override->setText(QString::number(reset));
    m_watchdogEnabled->setChecked(settings.watchdogEnabled);
    m_watchdog->setText(QString::number(settings.watchdogSeconds()));
    showSwitches(settings);
    updateFields();
}

void AdvancedSettingsDialog::showSwitches(const AdvancedSettings &settings)
{
    for (const auto &[setting, box] : m_checks)
        box->setChecked(settings.value(setting) != 0);
    for (const auto &[setting, group] : m_choices) {
        const int value = settings.value(setting);
        showChoice(group, setting == S::DataBits ? dataBitsChoice(value) : value);
    }
}

void AdvancedSettingsDialog::showDevices(const AdvancedSettings &settings)
{
    for (std::size_t i = 0; i < m_devices.size(); ++i)
        m_devices[i]->setCurrentText(settings.portDevices[i]);
}

bool AdvancedSettingsDialog::readNumbers(AdvancedSettings &settings, int &overrideValue, int &watchdogSeconds)
{
    for (const NumberField &field : m_numbers) {
        int value = 0;
        if (!readInteger(field.edit, field.min, field.max, value))
            return false;
        settings.setValue(field.setting, value);
    }
    return readText(m_logFile, kMaxLogNameChars, settings.logFileName) &&
           readInteger(m_override, 0, kMaxResetOverride, overrideValue) &&
           readInteger(m_watchdog, 0, kMaxWatchdogSeconds, watchdogSeconds);
}

void AdvancedSettingsDialog::readSwitches(AdvancedSettings &settings, int overrideValue, int watchdogSeconds) const
{
    for (const auto &[setting, box] : m_checks)
        settings.setValue(setting, box->isChecked() ? 1 : 0);
    for (const auto &[setting, group] : m_choices)
        if (group->checkedId() != -1)
            settings.setValue(setting, group->checkedId());
    const auto option = static_cast<ResetOption>(m_resetOption->checkedId());
    settings.setValue(S::ResetOptionValue, resetOptionValue(option, overrideValue));
    const QString collection = m_collectionPriority->currentText();
    settings.setValue(S::CollectionPriority, priorityValue(collection, kDefaultCollectionPriority));
    settings.setValue(S::IdlePriority, priorityValue(m_idlePriority->currentText(), kDefaultIdlePriority));
    settings.setWatchdog(m_watchdogEnabled->isChecked(), watchdogSeconds);
    settings.logEnabled = m_logEnabled->isChecked();
    settings.logDetailed = m_logDetailed->isChecked();
    for (std::size_t i = 0; i < m_devices.size(); ++i)
        settings.portDevices[i] = m_devices[i]->currentText().trimmed();
}

void AdvancedSettingsDialog::accept()
{
    AdvancedSettings edited = m_shown;
    int overrideValue = 0;
    int seconds = 0;
    if (!readNumbers(edited, overrideValue, seconds))
        return;
    readSwitches(edited, overrideValue, seconds);
    applyAdvancedSettings(edited, m_driver);
    if (!saveAdvancedSettings(edited, m_store))
        warnSettingsNotSaved(m_store);  // the driver has the settings all the same
    QDialog::accept();
}

void AdvancedSettingsDialog::spmCpmClicked() { showModuleDefaults(ModuleType::SpmCpm); }
void AdvancedSettingsDialog::ciuIciClicked() { showModuleDefaults(ModuleType::CiuIci); }

// The devices are no module's concern: they keep what is typed.
void AdvancedSettingsDialog::showModuleDefaults(ModuleType module)
{
    AdvancedSettings defaults = m_shown;
    loadModuleDefaults(module, defaults);
    showSettings(defaults);
}

void AdvancedSettingsDialog::autoDetectionClicked(bool checked)
{
    if (!checked) {
        check(S::ExpReadsEnabled)->setChecked(true);
        check(S::NonExpEnabled)->setChecked(true);
        edit(S::ExpDelay)->setText(QString::number(kManualDetectionExpDelay));
    }
    updateFields();
}

void AdvancedSettingsDialog::resetOptionClicked(int option)
{
    const auto chosen = static_cast<ResetOption>(option);
    if (chosen != ResetOption::ManualOverride)
        m_override->setText(QString::number(resetOptionValue(chosen, 0)));
    updateFields();
}

AdvancedSwitches AdvancedSettingsDialog::switches() const
{
    AdvancedSwitches now;
    now.autoDetection = check(S::AutoPointDetection)->isChecked();
    now.expReads = check(S::ExpReadsEnabled)->isChecked();
    now.nonExpReads = check(S::NonExpEnabled)->isChecked();
    now.writes = check(S::WriteEnabled)->isChecked();
    now.logEnabled = m_logEnabled->isChecked();
    now.logDetailed = m_logDetailed->isChecked();
    now.forceCiu01 = check(S::ForceCiu01Mode)->isChecked();
    now.disableCiu01 = check(S::DisableCiu01Mode)->isChecked();
    now.manualOverride = m_resetOption->checkedId() == static_cast<int>(ResetOption::ManualOverride);
    now.watchdogEnabled = m_watchdogEnabled->isChecked();
    return now;
}

// Shows what the enabling rule makes of the switches as they stand.  The checks it sets
// raise no signals of their own: this is the only place that decides.
void AdvancedSettingsDialog::updateFields()
{
    const AdvancedFields fields = advancedFields(switches());
    auto show = [](QCheckBox *box, bool checked, bool open) {
        const QSignalBlocker quiet(box);
        box->setChecked(checked);
        box->setEnabled(open);
    };
    show(check(S::ExpReadsEnabled), fields.switches.expReads, fields.readsOpen);
    show(check(S::NonExpEnabled), fields.switches.nonExpReads, fields.readsOpen);
    show(check(S::WriteEnabled), fields.switches.writes, fields.writesOpen);
    show(m_logDetailed, fields.switches.logDetailed, fields.logFieldsOpen);
    show(check(S::ForceCiu01Mode), fields.switches.forceCiu01, fields.forceCiu01Open);
    show(check(S::DisableCiu01Mode), fields.switches.disableCiu01, fields.disableCiu01Open);
    const std::pair<DriverSetting, bool> counts[] = {{S::NonExpPoints, fields.nonExpCountOpen},
                                                     {S::WritePoints, fields.writeCountOpen}};
    for (const auto &[count, open] : counts) {
        edit(count)->setEnabled(open);
        m_labels.at(count)->setEnabled(open);
    }
    for (QWidget *widget : {static_cast<QWidget *>(m_logFile), static_cast<QWidget *>(m_logFileLabel)})
        widget->setEnabled(fields.logFieldsOpen);
    m_override->setEnabled(fields.overrideOpen);
    m_overrideLabel->setEnabled(fields.overrideOpen);
    m_watchdog->setEnabled(fields.watchdogOpen);
    m_watchdogLabel->setEnabled(fields.watchdogOpen);
}

}  // namespace tk70
