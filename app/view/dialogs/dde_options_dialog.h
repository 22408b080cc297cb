// "TK70 Pro DDE Server Options": whether the DDE server runs, its refresh period and its
// four names.  The dialog works on its own copy of the settings; on OK it notes when the
// change needs a restart of the program, and settings() gives the edited copy.
#pragma once

#include "app/settings/app_settings.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tk70 {

class DdeOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit DdeOptionsDialog(const AppSettings &settings, QWidget *parent = nullptr);

    const AppSettings &settings() const { return m_settings; }

    void accept() override;

private:
    QLineEdit *addField(const char *label, const char *name);
    void layOut();
    void showSettings();
    void enableFields();
    bool readNames(AppSettings &edited);

    AppSettings m_settings;
    QCheckBox *m_enabled = nullptr;
    QLineEdit *m_refresh = nullptr;
    QLineEdit *m_application = nullptr;
    QLineEdit *m_systemTopic = nullptr;
    QLineEdit *m_valueTopic = nullptr;
    QLineEdit *m_qualityTopic = nullptr;
    QList<QLabel *> m_labels;
    QList<QLineEdit *> m_edits;
};

// Runs the dialog on a copy of settings; on OK copies the values back and returns true.
// The caller saves the settings.
bool runDdeServerOptions(QWidget *parent, AppSettings &settings);

}  // namespace tk70
