// "Communication Driver Advanced Settings": every driver setting kept in the settings
// store, the devices of the two COM ports, and two buttons that load a module type's
// defaults.  OK checks the ranges (the framework's messages; the dialog stays open on the
// field), writes the settings into the driver and saves them under the driver key (a
// save the store refuses is shown as a warning; the driver keeps the settings).  Cancel
// leaves the driver and the store as they were.
#pragma once

#include "driverclient/advanced_settings.h"

#include <QDialog>
#include <array>
#include <initializer_list>
#include <map>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;

namespace tk70 {

struct AdvancedSwitches;
class CCiuDriver;
class SettingsStore;

class AdvancedSettingsDialog : public QDialog {
    Q_OBJECT
public:
    AdvancedSettingsDialog(CCiuDriver &driver, SettingsStore &store, QWidget *parent = nullptr);

    void accept() override;

private:
    // An edit of a whole number with its range.
    struct NumberField {
        DriverSetting setting;
        QLineEdit *edit;
        int min;
        int max;
    };
    // One radio button of a choice: its label and the value it stands for.
    struct Choice {
        const char *label;
        int value;
    };

    QGroupBox *buildLogGroup();
    QGroupBox *buildPriorityGroup();
    QGroupBox *buildPointTypesGroup();
    QLayout *buildLineColumn();
    QLayout *buildCiuColumn();
    QGroupBox *buildResetGroup();
    QGroupBox *buildDeviceGroup();
    QLayout *buildButtons();
    void layOut();
    void connectRules();

    QGroupBox *addGroup(const QString &title, const QString &name);
    QLineEdit *addNumber(QFormLayout *form, DriverSetting setting, const char *label, int min, int max);
    QCheckBox *addCheck(DriverSetting setting, const char *label);
    QGroupBox *addChoice(DriverSetting setting, const char *title, std::initializer_list<Choice> choices);
    QCheckBox *check(DriverSetting setting) const { return m_checks.at(setting); }
    QLineEdit *edit(DriverSetting setting) const;

    void showSettings(const AdvancedSettings &settings);
    void showSwitches(const AdvancedSettings &settings);
    void showDevices(const AdvancedSettings &settings);
    bool readNumbers(AdvancedSettings &settings, int &overrideValue, int &watchdogSeconds);
    void readSwitches(AdvancedSettings &settings, int overrideValue, int watchdogSeconds) const;

    void spmCpmClicked();
    void ciuIciClicked();
    void showModuleDefaults(ModuleType module);
    void autoDetectionClicked(bool checked);
    void resetOptionClicked(int option);
    AdvancedSwitches switches() const;
    void updateFields();

    CCiuDriver &m_driver;
    SettingsStore &m_store;
    AdvancedSettings m_shown;  // the settings last shown, for what the controls leave open
    std::vector<NumberField> m_numbers;
    std::map<DriverSetting, QLabel *> m_labels;
    std::map<DriverSetting, QCheckBox *> m_checks;
    std::map<DriverSetting, QButtonGroup *> m_choices;
    std::vector<QGroupBox *> m_groups;
    QCheckBox *m_logEnabled = nullptr;
    QCheckBox *m_logDetailed = nullptr;
    QLabel *m_logFileLabel = nullptr;
    QLineEdit *m_logFile = nullptr;
    QComboBox *m_collectionPriority = nullptr;
    QComboBox *m_idlePriority = nullptr;
    QButtonGroup *m_resetOption = nullptr;
    QLabel *m_overrideLabel = nullptr;
    QLineEdit *m_override = nullptr;
    QCheckBox *m_watchdogEnabled = nullptr;
    QLabel *m_watchdogLabel = nullptr;
    QLineEdit *m_watchdog = nullptr;
    std::array<QComboBox *, 2> m_devices{};
};

}  // namespace tk70
