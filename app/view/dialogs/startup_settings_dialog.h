// "TK70 Pro - Startup Settings": the automatic collection start, the start-up tag
// selection file and the block tuning inhibit.  The dialog works on its own copy of the
// settings; settings() gives the edited copy after OK.
#pragma once

#include "app/settings/app_settings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tk70 {

class StartupSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for an existing TSF file; returns the chosen path, or an empty text on cancel.
    using FileChooser = std::function<QString(QWidget *parent)>;

    explicit StartupSettingsDialog(const AppSettings &settings, QWidget *parent = nullptr);

    const AppSettings &settings() const { return m_settings; }
    // Replaces the file dialog of "..." (tests answer it themselves).
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    // The file dialog of "...": "Open", the TSF filter, existing files only.
    static QString chooseTsfFile(QWidget *parent);

    void accept() override;

private:
    void buildAutoStartGroup();
    void buildTsfGroup();
    void buildTuningGroup();
    void layOut();
    void showSettings();
    void autoStartClicked();
    void tsfSourceClicked();
    void inhibitTuningClicked();
    void overwriteClicked();
    void browseClicked();
    void enableAutoStartFields();
    void enableFileFields();

    AppSettings m_settings;
    FileChooser m_chooseFile;
    QGroupBox *m_autoStartGroup = nullptr;
    QGroupBox *m_tsfGroup = nullptr;
    QGroupBox *m_tuningGroup = nullptr;
    QCheckBox *m_autoStart = nullptr;
    QLabel *m_delayLabel = nullptr;
    QLineEdit *m_delay = nullptr;
    QCheckBox *m_overwrite = nullptr;
    QRadioButton *m_fromCommandLine = nullptr;
    QRadioButton *m_specificFile = nullptr;
    QLineEdit *m_fileName = nullptr;
    QPushButton *m_browse = nullptr;
    QCheckBox *m_inhibitTuning = nullptr;
};

// Runs the dialog on a copy of settings; on OK copies the values back and returns true.
// The caller saves the settings.
bool runStartupSettings(QWidget *parent, AppSettings &settings);

}  // namespace tk70
