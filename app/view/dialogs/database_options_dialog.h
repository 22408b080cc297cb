// "TK70 Pro Access DB Setup": the names of the two tables, the numeric precision of the
// value columns and the substitutes for point errors and bad-quality values of the
// database output.  The dialog works on its own copy of the settings; the database
// format version of the stored settings has no meaning for this engine: it is kept
// unchanged and has no control.
#pragma once

#include "app/settings/app_settings.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace tk70 {

class DatabaseOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit DatabaseOptionsDialog(const AppSettings &settings, QWidget *parent = nullptr);

    const AppSettings &settings() const { return m_settings; }

    void accept() override;

private:
    QGroupBox *makeTableNames();
    QGroupBox *makePrecision();
    QGroupBox *makeSubstitutions();
    void layOut();
    void showSettings();
    void enableValues();
    bool readNames(AppSettings &edited);

    AppSettings m_settings;
    QLineEdit *m_tagInfoTable = nullptr;
    QLineEdit *m_dataTable = nullptr;
    QRadioButton *m_single = nullptr;
    QRadioButton *m_double = nullptr;
    QCheckBox *m_markPointErrors = nullptr;
    QCheckBox *m_markBadQuality = nullptr;
    QLineEdit *m_pointErrorValue = nullptr;
    QLineEdit *m_badQualityValue = nullptr;
};

// Runs the dialog on a copy of settings; on OK copies the values back, hands them to the
// database output and returns true.  The caller saves the settings.
bool runDatabaseOptions(QWidget *parent, AppSettings &settings);

}  // namespace tk70
