// "TK70 Pro Access DB Setup": see database_options_dialog.h.
#include "app/view/dialogs/database_options_dialog.h"

#include "app/settings/database_output_settings.h"
#include "platform/messages.h"
#include "platform/view/dialog_fonts.h"
#include "platform/view/field_exchange.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <limits>

namespace tk70 {

namespace {

constexpr int kMaxTableNameChars = 25;

QLineEdit *namedEdit(const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

template <typename Button>
Button *namedButton(const char *text, const char *name)
{
    auto *button = new Button(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QGroupBox *boldGroup(const char *caption)
{
    auto *group = new QGroupBox(QString::fromLatin1(caption));
    setBoldCaption(group);
    return group;
}

bool refuseEmptyName(QLineEdit *edit, const char *text)
{
    if (!edit->text().isEmpty())
        return false;
    Messages::note(QString::fromLatin1(text), QLatin1String(kTitleError), MessageIcon::Stop);
    edit->setFocus();
    return true;
}

// A substitute value as the field shows it: the shortest text that reads back as the same
// double, so that OK on an unchanged field keeps the value exactly (six digits would turn
// -9999999.99 into -1e+07).
QString substituteText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

}  // namespace

DatabaseOptionsDialog::DatabaseOptionsDialog(const AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("TK70 Pro Access DB Setup"));
    layOut();
    showSettings();
    connect(m_markPointErrors, &QCheckBox::clicked, this, &DatabaseOptionsDialog::enableValues);
    connect(m_markBadQuality, &QCheckBox::clicked, this, &DatabaseOptionsDialog::enableValues);
}

QGroupBox *DatabaseOptionsDialog::makeTableNames()
{
    m_tagInfoTable = namedEdit("tagInfoTable");
    m_dataTable = namedEdit("dataTable");
    for (QLineEdit *edit : {m_tagInfoTable, m_dataTable})
        limitText(edit, kMaxTableNameChars);
    QGroupBox *group = boldGroup("Table Names");
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("Tag Information Table"), m_tagInfoTable);
    form->addRow(QStringLiteral("Data Values Table"), m_dataTable);
    return group;
}

QGroupBox *DatabaseOptionsDialog::makePrecision()
{
    m_single = namedButton<QRadioButton>("Single Precision", "singlePrecision");
    m_double = namedButton<QRadioButton>("Double Precision", "doublePrecision");
    QGroupBox *group = boldGroup("Numeric Precision");
    auto *column = new QVBoxLayout(group);
    column->addWidget(m_single);
    column->addWidget(m_double);
    return group;
}

QGroupBox *DatabaseOptionsDialog::makeSubstitutions()
{
    m_markPointErrors = namedButton<QCheckBox>("Point Errors", "markPointErrors");
    m_markBadQuality = namedButton<QCheckBox>("Bad Quality Values", "markBadQuality");
    m_pointErrorValue = namedEdit("pointErrorValue");
    m_badQualityValue = namedEdit("badQualityValue");
    QGroupBox *group = boldGroup("Error Value Substitutions");
    auto *grid = new QGridLayout(group);
    grid->addWidget(m_markPointErrors, 0, 0);
    grid->addWidget(m_pointErrorValue, 0, 1);
    grid->addWidget(m_markBadQuality, 1, 0);
    grid->addWidget(m_badQualityValue, 1, 1);
    return group;
}

void DatabaseOptionsDialog::layOut()
{
    auto *ok = namedButton<QPushButton>("&OK", "ok");
    auto *cancel = namedButton<QPushButton>("Cancel", "cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DatabaseOptionsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &DatabaseOptionsDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *page = new QVBoxLayout(this);
    page->addWidget(makeTableNames());
    page->addWidget(makePrecision());
    page->addWidget(makeSubstitutions());
    page->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void DatabaseOptionsDialog::showSettings()
{
    m_tagInfoTable->setText(m_settings.accessTagInfoTableName);
    m_dataTable->setText(m_settings.accessCollectedDataTableName);
    (m_settings.accessDataPrecision == 0 ? m_single : m_double)->setChecked(true);
    m_markPointErrors->setChecked(m_settings.accessMarkPointErrors != 0);
    m_markBadQuality->setChecked(m_settings.accessMarkBadQuality != 0);
    m_pointErrorValue->setText(substituteText(m_settings.accessPointErrorValue));
    m_badQualityValue->setText(substituteText(m_settings.accessBadQualityValue));
    enableValues();
}

// Each substitute can be edited only while its check box is checked.
void DatabaseOptionsDialog::enableValues()
{
    m_pointErrorValue->setEnabled(m_markPointErrors->isChecked());
    m_badQualityValue->setEnabled(m_markBadQuality->isChecked());
}

bool DatabaseOptionsDialog::readNames(AppSettings &edited)
{
    if (refuseEmptyName(m_dataTable, "Must Enter a Name for the Data Values Table.") ||
        refuseEmptyName(m_tagInfoTable, "Must Enter a Name for the Tag Information Table."))
        return false;
    return readText(m_tagInfoTable, kMaxTableNameChars, edited.accessTagInfoTableName) &&
           readText(m_dataTable, kMaxTableNameChars, edited.accessCollectedDataTableName);
}

void DatabaseOptionsDialog::accept()
{
    AppSettings edited = m_settings;
    constexpr double kLowest = std::numeric_limits<double>::lowest();
    constexpr double kHighest = std::numeric_limits<double>::max();
    if (!readNames(edited) || !readNumber(m_pointErrorValue, kLowest, kHighest, edited.accessPointErrorValue) ||
        !readNumber(m_badQualityValue, kLowest, kHighest, edited.accessBadQualityValue))
        return;
    edited.accessDataPrecision = m_double->isChecked() ? 1 : 0;
    edited.accessMarkPointErrors = m_markPointErrors->isChecked() ? 1 : 0;
    edited.accessMarkBadQuality = m_markBadQuality->isChecked() ? 1 : 0;
    m_settings = edited;
    QDialog::accept();
}

bool runDatabaseOptions(QWidget *parent, AppSettings &settings)
{
    DatabaseOptionsDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.settings();
    applyDatabaseSettings(settings);
    return true;
}

}  // namespace tk70
