// "TK70 Pro DDE Server Options": see dde_options_dialog.h.
#include "app/view/dialogs/dde_options_dialog.h"

#include "app/settings/dde_restart_rule.h"
#include "platform/messages.h"
#include "platform/view/field_exchange.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tk70 {

namespace {

constexpr int kMinRefresh = 1;
constexpr int kMaxRefresh = 90;
constexpr int kMaxNameChars = 14;

}  // namespace

DdeOptionsDialog::DdeOptionsDialog(const AppSettings &settings, QWidget *parent) : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("TK70 Pro DDE Server Options"));
    m_enabled = new QCheckBox(QStringLiteral("Enable DDE Server"));
    m_enabled->setObjectName(QStringLiteral("enabled"));
    m_refresh = addField("Refresh (Sec.)", "refresh");
    m_refresh->setFixedWidth(m_refresh->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    m_application = addField("Application (Service) Name", "applicationName");
    m_systemTopic = addField("System Topic Name", "systemTopic");
    m_valueTopic = addField("Tag Value Topic Name", "valueTopic");
    m_qualityTopic = addField("Tag Quality Topic Name", "qualityTopic");
    for (QLineEdit *name : {m_application, m_systemTopic, m_valueTopic, m_qualityTopic}) {
        limitText(name, kMaxNameChars);
        name->setMinimumWidth(name->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 11);
    }
    layOut();
    showSettings();
    connect(m_enabled, &QCheckBox::clicked, this, &DdeOptionsDialog::enableFields);
}

QLineEdit *DdeOptionsDialog::addField(const char *label, const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    auto *caption = new QLabel(QString::fromLatin1(label));
    caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    caption->setBuddy(edit);
    m_labels << caption;
    m_edits << edit;
    return edit;
}

void DdeOptionsDialog::layOut()
{
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (qsizetype i = 0; i < m_edits.size(); ++i)
        form->addRow(m_labels[i], m_edits[i]);
    auto *ok = new QPushButton(QStringLiteral("OK"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DdeOptionsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &DdeOptionsDialog::reject);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addWidget(m_enabled);
    left->addLayout(form);
    auto *page = new QHBoxLayout(this);
    page->addLayout(left);
    page->addSpacing(12);
    page->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void DdeOptionsDialog::showSettings()
{
    m_enabled->setChecked(m_settings.ddeServerEnabled);
    m_refresh->setText(QString::number(m_settings.ddeRefresh));
    m_application->setText(m_settings.ddeApplicationName);
    m_systemTopic->setText(m_settings.ddeSystemTopic);
    m_valueTopic->setText(m_settings.ddeValueTopic);
    m_qualityTopic->setText(m_settings.ddeQualityTopic);
    enableFields();
}

void DdeOptionsDialog::enableFields()
{
    const bool on = m_enabled->isChecked();
    for (QLabel *label : m_labels)
        label->setEnabled(on);
    for (QLineEdit *edit : m_edits)
        edit->setEnabled(on);
}

bool DdeOptionsDialog::readNames(AppSettings &edited)
{
    return readText(m_application, kMaxNameChars, edited.ddeApplicationName) &&
           readText(m_systemTopic, kMaxNameChars, edited.ddeSystemTopic) &&
           readText(m_valueTopic, kMaxNameChars, edited.ddeValueTopic) &&
           readText(m_qualityTopic, kMaxNameChars, edited.ddeQualityTopic);
}

void DdeOptionsDialog::accept()
{
    AppSettings edited = m_settings;
    if (!readInteger(m_refresh, kMinRefresh, kMaxRefresh, edited.ddeRefresh) || !readNames(edited))
        return;
    edited.ddeServerEnabled = m_enabled->isChecked();
    if (ddeRestartNeeded(m_settings, edited))
        Messages::note(ddeRestartNote(), QLatin1String(kTitleProgram), MessageIcon::Information);
    m_settings = edited;
    QDialog::accept();
}

bool runDdeServerOptions(QWidget *parent, AppSettings &settings)
{
    DdeOptionsDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.settings();
    return true;
}

}  // namespace tk70
