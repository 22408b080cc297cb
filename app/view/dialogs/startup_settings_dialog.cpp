// "TK70 Pro - Startup Settings": see startup_settings_dialog.h.
#include "app/view/dialogs/startup_settings_dialog.h"

#include "platform/messages.h"
#include "platform/view/dialog_fonts.h"
#include "platform/view/field_exchange.h"
#include "platform/view/form_controls.h"
#include "tags/tsf_format.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tk70 {

namespace {

constexpr int kMinDelay = 5;
constexpr int kMaxDelay = 6000;
constexpr int kMaxFileNameChars = 190;

QString inhibitQuestion()
{
    return QStringLiteral("Once Tuning is Inhibited, it may not\nbe enabled from within TK70 Pro.\n\n"
                          "Are you sure you want to Inhibit Tuning?");
}

QString overwriteCaution()
{
    return QStringLiteral("Caution!\n\nThis option allows your data files\nto be overwritten without warning\n"
                          "during automatic collection startups!");
}

}  // namespace

StartupSettingsDialog::StartupSettingsDialog(const AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_chooseFile(&StartupSettingsDialog::chooseTsfFile)
{
    setWindowTitle(QStringLiteral("TK70 Pro - Startup Settings"));
    buildAutoStartGroup();
    buildTsfGroup();
    buildTuningGroup();
    layOut();
    showSettings();
}

void StartupSettingsDialog::buildAutoStartGroup()
{
    m_autoStartGroup = named(new QGroupBox(QStringLiteral("Automatic Data Collection"), this), "autoStartGroup");
    m_autoStart = named(new QCheckBox(QStringLiteral("Start Data Collection Automatically")), "autoStart");
    m_delayLabel = named(new QLabel(QStringLiteral("Startup Delay (Sec.)")), "delayLabel");
    m_delay = named(new QLineEdit, "delay");
    m_delay->setFixedWidth(m_delay->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    m_delayLabel->setBuddy(m_delay);
    m_overwrite = named(new QCheckBox(QStringLiteral("Allow Overwriting Data Files on Auto Start")), "overwrite");
    auto *grid = new QGridLayout(m_autoStartGroup);
    grid->addWidget(m_autoStart, 0, 0, 1, 3);
    grid->addWidget(m_delayLabel, 1, 0);
    grid->addWidget(m_delay, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(m_overwrite, 2, 0, 1, 3);
    connect(m_autoStart, &QCheckBox::clicked, this, &StartupSettingsDialog::autoStartClicked);
    connect(m_overwrite, &QCheckBox::clicked, this, &StartupSettingsDialog::overwriteClicked);
}

void StartupSettingsDialog::buildTsfGroup()
{
    m_tsfGroup = named(new QGroupBox(QStringLiteral("Startup TSF File"), this), "tsfGroup");
    m_fromCommandLine =
        named(new QRadioButton(QStringLiteral("Get Startup TSF File from Command Line")), "fromCommandLine");
    m_specificFile = named(new QRadioButton(QStringLiteral("Specify Startup TSF File")), "specificFile");
    auto *choice = new QButtonGroup(this);
    choice->addButton(m_fromCommandLine, 0);
    choice->addButton(m_specificFile, 1);
    m_fileName = named(new QLineEdit, "fileName");
    m_fileName->setMinimumWidth(m_fileName->fontMetrics().averageCharWidth() * 48);
    m_browse = named(new QPushButton(QStringLiteral("...")), "browse");
    m_browse->setFixedWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 20);
    m_browse->setAutoDefault(false);
    auto *grid = new QGridLayout(m_tsfGroup);
    grid->addWidget(m_fromCommandLine, 0, 0, 1, 2);
    grid->addWidget(m_specificFile, 1, 0, 1, 2);
    grid->addWidget(m_fileName, 2, 0);
    grid->addWidget(m_browse, 2, 1);
    connect(m_fromCommandLine, &QRadioButton::clicked, this, &StartupSettingsDialog::tsfSourceClicked);
    connect(m_specificFile, &QRadioButton::clicked, this, &StartupSettingsDialog::tsfSourceClicked);
    connect(m_browse, &QPushButton::clicked, this, &StartupSettingsDialog::browseClicked);
}

void StartupSettingsDialog::buildTuningGroup()
{
    m_tuningGroup = named(new QGroupBox(QStringLiteral("Function Block Tuning"), this), "tuningGroup");
    m_inhibitTuning = named(new QCheckBox(QStringLiteral("Inhibit Function BlockTuning")), "inhibitTuning");
    auto *box = new QVBoxLayout(m_tuningGroup);
    box->addWidget(m_inhibitTuning);
    connect(m_inhibitTuning, &QCheckBox::clicked, this, &StartupSettingsDialog::inhibitTuningClicked);
}

void StartupSettingsDialog::layOut()
{
    auto *ok = named(new QPushButton(QStringLiteral("OK")), "ok");
    auto *cancel = named(new QPushButton(QStringLiteral("Cancel")), "cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &StartupSettingsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &StartupSettingsDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *page = new QVBoxLayout(this);
    for (QGroupBox *group : {m_autoStartGroup, m_tsfGroup, m_tuningGroup}) {
        setBoldCaption(group);
        page->addWidget(group);
    }
    page->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void StartupSettingsDialog::showSettings()
{
    m_autoStart->setChecked(m_settings.autoStartEnabled);
    m_delay->setText(QString::number(m_settings.autoStartDelayTime));
    m_overwrite->setChecked(m_settings.autoOverwriteAckOnAutoStart);
    m_fromCommandLine->setChecked(!m_settings.specificAutoStartFile);
    m_specificFile->setChecked(m_settings.specificAutoStartFile);
    m_fileName->setText(m_settings.autoStartTsfFilename);
    m_inhibitTuning->setChecked(m_settings.inhibitBlockTuning);
    m_inhibitTuning->setEnabled(!m_settings.inhibitBlockTuning);
    enableAutoStartFields();
    enableFileFields();
}

void StartupSettingsDialog::enableAutoStartFields()
{
    const bool on = m_autoStart->isChecked();
    m_overwrite->setEnabled(on);
    m_delayLabel->setEnabled(on);
    m_delay->setEnabled(on);
}

void StartupSettingsDialog::enableFileFields()
{
    const bool specific = m_specificFile->isChecked();
    m_fileName->setEnabled(specific);
    m_browse->setEnabled(specific);
}

void StartupSettingsDialog::autoStartClicked() { enableAutoStartFields(); }

void StartupSettingsDialog::tsfSourceClicked()
{
    if (!m_specificFile->isChecked())
        m_fileName->clear();
    enableFileFields();
}

void StartupSettingsDialog::inhibitTuningClicked()
{
    if (m_inhibitTuning->isChecked()) {
        if (!Messages::askYesNo(inhibitQuestion(), QString::fromLatin1(kTitleProgram)))
            m_inhibitTuning->setChecked(false);
    }
    m_inhibitTuning->setEnabled(!m_inhibitTuning->isChecked());
}

void StartupSettingsDialog::overwriteClicked()
{
    if (m_overwrite->isChecked())
        Messages::note(overwriteCaution(), QString::fromLatin1(kTitleProgram), MessageIcon::Warning);
}

void StartupSettingsDialog::browseClicked()
{
    const QString path = m_chooseFile ? m_chooseFile(this) : QString();
    if (!path.isEmpty())
        m_fileName->setText(path);
}

QString StartupSettingsDialog::chooseTsfFile(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Open"), QString(), QString::fromLatin1(Tsf::kFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void StartupSettingsDialog::accept()
{
    int delay = m_settings.autoStartDelayTime;
    QString fileName;
    if (!readInteger(m_delay, kMinDelay, kMaxDelay, delay) || !readText(m_fileName, kMaxFileNameChars, fileName))
        return;
    m_settings.inhibitBlockTuning = m_inhibitTuning->isChecked();
    m_settings.autoStartEnabled = m_autoStart->isChecked();
    m_settings.autoStartDelayTime = delay;
    m_settings.autoOverwriteAckOnAutoStart = m_overwrite->isChecked();
    m_settings.specificAutoStartFile = m_specificFile->isChecked();
    m_settings.autoStartTsfFilename = fileName;
    QDialog::accept();
}

bool runStartupSettings(QWidget *parent, AppSettings &settings)
{
    StartupSettingsDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.settings();
    return true;
}

}  // namespace tk70
