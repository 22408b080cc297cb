// "TK70 Pro Data Collection Settings": see collection_settings_dialog.h.
#include "collect/view/collection_settings_dialog.h"

#include "driverclient/ciu_driver.h"
#include "platform/messages.h"
#include "platform/view/dialog_fonts.h"
#include "platform/view/field_exchange.h"
#include "platform/view/form_controls.h"
#include "platform/view/view_beep.h"
#include "tags/tag_doc.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

namespace tk70 {

namespace {

struct DateTimeControl {
    const char *label;
    const char *name;
};

// In the order of DateTimeField.
constexpr DateTimeControl kDateTimeControls[kDateTimeFieldCount] = {{"Starting Date :", "startDate"},
                                                                    {"Starting Time :", "startTime"},
                                                                    {"Ending Date :", "endDate"},
                                                                    {"Ending Time :", "endTime"}};

const char *const kAdvancedSettingsCaution =
    "Caution!\n\nIncorrect modifications of the Advanced Settings\n"
    "may cause the TK70 Pro to not operate properly\nor not operate at all.\n\nContinue?";

// The width of chars average characters with room for the frame.
int widthOfChars(const QWidget *widget, int chars) { return widget->fontMetrics().averageCharWidth() * chars + 16; }

QComboBox *editableCombo(const char *name)
{
    auto *combo = named(new QComboBox, name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

}  // namespace

CollectionSettingsDialog::CollectionSettingsDialog(CTagDoc &doc, CCiuDriver &driver,
                                                   std::function<void()> openAdvancedSettings, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_driver(driver), m_openAdvancedSettings(std::move(openAdvancedSettings))
{
    setWindowTitle(QStringLiteral("TK70 Pro Data Collection Settings"));
    buildPage();
    buildLinkGroups();
    buildButtons();
    layOut();
    fillLists();
    showDocumentLink();
    loadCurrentPage();
    connectControls();
}

QLabel *CollectionSettingsDialog::addCaption(QGridLayout *grid, int row, int column, const char *text, QWidget *field)
{
    auto *label = new QLabel(QString::fromLatin1(text));
    label->setObjectName(field->objectName() + QStringLiteral("Label"));
    label->setBuddy(field);
    grid->addWidget(label, row, column);
    m_groupControls << label << field;
    return label;
}

void CollectionSettingsDialog::buildPage()
{
    m_tabs = named(new QTabBar, "tabs");
    for (int number = 1; number <= kCollectionGroupCount; ++number)
        m_tabs->addTab(QStringLiteral("Collection %1").arg(number));
    m_page = named(new QFrame, "page");
    m_page->setFrameShape(QFrame::StyledPanel);
    m_enabled = named(new QCheckBox(QStringLiteral("Enable Collection Group")), "enabled");
    m_append = named(new QCheckBox(QStringLiteral("Append Datafile")), "append");
    m_groupControls << m_append;
    auto *grid = new QGridLayout(m_page);
    grid->setColumnMinimumWidth(2, 12);
    grid->addWidget(m_enabled, 0, 0, 1, 2);
    grid->addWidget(m_append, 0, 3, 1, 2);
    buildFileRows(grid);
    buildDateTimes(grid);
    buildListRow(grid);
    buildStationRow(grid);
    grid->setRowStretch(7, 1);
}

void CollectionSettingsDialog::buildFileRows(QGridLayout *grid)
{
    m_fileName = named(new QLineEdit, "fileName");
    addCaption(grid, 1, 0, "Data File Name :", m_fileName);
    grid->addWidget(m_fileName, 1, 1, 1, 4);
    m_sampleTime = named(new QLineEdit, "sampleTime");
    m_sampleTime->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,9}")), m_sampleTime));
    m_sampleTime->setFixedWidth(widthOfChars(m_sampleTime, 6));
    addCaption(grid, 2, 0, "Sample Time :", m_sampleTime);
    auto *seconds = new QLabel(QStringLiteral("Sec."));
    m_groupControls << seconds;
    auto *sample = new QHBoxLayout;
    sample->addWidget(m_sampleTime);
    sample->addWidget(seconds);
    sample->addStretch(1);
    grid->addLayout(sample, 2, 1);
    m_fileType = named(new QComboBox, "fileType");
    addCaption(grid, 2, 3, "File Type :", m_fileType);
    grid->addWidget(m_fileType, 2, 4);
}

void CollectionSettingsDialog::buildDateTimes(QGridLayout *grid)
{
    for (int field = 0; field < kDateTimeFieldCount; ++field) {
        auto *edit = named(new QLineEdit, kDateTimeControls[field].name);
        edit->setMinimumWidth(widthOfChars(edit, 12));
        edit->installEventFilter(this);
        const int row = 3 + field / 2;
        const int column = field % 2 == 0 ? 0 : 3;
        addCaption(grid, row, column, kDateTimeControls[field].label, edit);
        grid->addWidget(edit, row, column + 1);
        m_dateTimes[field] = edit;
    }
}

void CollectionSettingsDialog::buildListRow(QGridLayout *grid)
{
    m_saveInhibit = editableCombo("saveInhibitTag");
    addCaption(grid, 5, 0, "Save Inhibit Tag :", m_saveInhibit);
    grid->addWidget(m_saveInhibit, 5, 1);
    m_rollover = editableCombo("rollover");
    addCaption(grid, 5, 3, "File Rollover :", m_rollover);
    grid->addWidget(m_rollover, 5, 4);
}

// The station's name is the program's setting "StationName" (the host's name when it is
// empty): shown where it matters, changed in the settings.  Its room is kept while it is
// hidden, so that the dialog keeps its size when the file type changes.
void CollectionSettingsDialog::buildStationRow(QGridLayout *grid)
{
    m_stationName = named(new QLineEdit, "stationName");
    m_stationName->setReadOnly(true);
    m_stationCaption = addCaption(grid, 6, 0, "Station Name :", m_stationName);
    grid->addWidget(m_stationName, 6, 1, 1, 4);
    for (QWidget *widget : {static_cast<QWidget *>(m_stationName), static_cast<QWidget *>(m_stationCaption)}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
}

void CollectionSettingsDialog::setStationName(const QString &name) { m_stationName->setText(name); }

QGroupBox *CollectionSettingsDialog::radioGroup(const char *caption, const char *name, const QStringList &texts,
                                                QButtonGroup *buttons)
{
    auto *group = named(new QGroupBox(QString::fromLatin1(caption)), name);
    auto *column = new QVBoxLayout(group);
    for (int id = 0; id < texts.size(); ++id) {
        auto *radio = new QRadioButton(texts[id], group);
        buttons->addButton(radio, id);
        column->addWidget(radio);
    }
    column->addStretch(1);
    setBoldCaption(group);
    return group;
}

void CollectionSettingsDialog::buildLinkGroups()
{
    m_ports = named(new QButtonGroup(this), "comPorts");
    m_portGroup = radioGroup("Com Port", "comPortGroup", {QStringLiteral("COM 1"), QStringLiteral("COM 2")}, m_ports);
    m_bauds = named(new QButtonGroup(this), "baudRates");
    m_baudGroup = radioGroup("Baud Rate", "baudRateGroup",
                             {QStringLiteral("19,200"), QStringLiteral("9,600"), QStringLiteral("4,800"),
                              QStringLiteral("2,400"), QStringLiteral("1,200")},
                             m_bauds);
}

void CollectionSettingsDialog::buildButtons()
{
    m_advanced = named(new QPushButton(QStringLiteral("&Advanced Settings")), "advancedSettings");
    m_close = named(new QPushButton(QStringLiteral("&Close")), "close");
    m_advanced->setAutoDefault(false);
    m_close->setDefault(true);
}

void CollectionSettingsDialog::layOut()
{
    auto *tabbed = new QVBoxLayout;
    tabbed->setSpacing(0);
    tabbed->addWidget(m_tabs);
    tabbed->addWidget(m_page, 1);
    auto *link = new QHBoxLayout;
    link->addWidget(m_portGroup);
    link->addWidget(m_baudGroup);
    auto *buttons = new QVBoxLayout;
    buttons->addLayout(link);
    buttons->addStretch(1);
    buttons->addWidget(m_advanced);
    buttons->addWidget(m_close);
    auto *dialog = new QHBoxLayout(this);
    dialog->addLayout(tabbed);
    dialog->addSpacing(8);
    dialog->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void CollectionSettingsDialog::fillLists()
{
    m_fileType->addItems(fileTypeChoices());
    m_saveInhibit->addItems(saveInhibitChoices(m_doc.tags()));
    m_rollover->addItems(rolloverChoices());
}

void CollectionSettingsDialog::connectControls()
{
    connect(m_tabs, &QTabBar::currentChanged, this, &CollectionSettingsDialog::tabChanged);
    connect(m_enabled, &QCheckBox::clicked, this, &CollectionSettingsDialog::enableClicked);
    connect(m_fileType, &QComboBox::activated, this, &CollectionSettingsDialog::fileTypeChosen);
    connect(m_ports, &QButtonGroup::idClicked, this, &CollectionSettingsDialog::portClicked);
    connect(m_bauds, &QButtonGroup::idClicked, this, &CollectionSettingsDialog::baudClicked);
    connect(m_advanced, &QPushButton::clicked, this, &CollectionSettingsDialog::advancedClicked);
    connect(m_close, &QPushButton::clicked, this, &CollectionSettingsDialog::accept);
}

// The document's link choice shows on the buttons and goes to the driver at once: when
// the dialog opens, and when it closes without "&Close" after clicks that the driver
// took but the document does not.
void CollectionSettingsDialog::showDocumentLink()
{
    m_serialPortIndex = comPortButton(m_doc.serialPortIndex());
    m_baudRateIndex = baudRateButton(m_doc.baudRateIndex());
    showLinkChoice();
    m_driver.setComPort(comPortForIndex(m_serialPortIndex));
    m_driver.setBaudRate(baudRateForIndex(m_baudRateIndex));
}

// The controls are enabled before the texts change: a date entry that loses the focus
// because it is disabled then checks the text it held, which was checked already.
void CollectionSettingsDialog::loadCurrentPage()
{
    const CollectionPage page = pageOfGroup(m_doc.group(m_group));
    m_enabled->setChecked(page.enabled);
    enablePage(page.enabled);
    m_fileName->setText(page.fileName);
    m_sampleTime->setText(QString::number(page.sampleTime));
    m_saveInhibit->setEditText(page.saveInhibitTag);
    m_rollover->setEditText(QString::number(page.rolloverHours));
    m_append->setChecked(page.appendFile);
    for (int field = 0; field < kDateTimeFieldCount; ++field)
        m_dateTimes[field]->setText(page.dateTimes[field]);
    selectFileType(page.fileType);
}

// Whole numbers first, then the date and time check, then the rest; a field emptied by
// the check is stored empty.
bool CollectionSettingsDialog::storeCurrentPage()
{
    CollectionPage page;
    if (!readInteger(m_sampleTime, page.sampleTime) || !readInteger(m_rollover->lineEdit(), page.rolloverHours))
        return false;
    checkDateTimes();
    page.fileName = m_fileName->text();
    page.saveInhibitTag = m_saveInhibit->currentText();
    page.appendFile = m_append->isChecked();
    for (int field = 0; field < kDateTimeFieldCount; ++field)
        page.dateTimes[field] = m_dateTimes[field]->text();
    if (m_fileType->currentIndex() >= 0)
        page.fileType = m_fileType->currentText();
    page.enabled = m_enabled->isChecked();
    storePage(page, m_doc.group(m_group));
    return true;
}

bool CollectionSettingsDialog::checkDateTimes()
{
    for (int field = 0; field < kDateTimeFieldCount; ++field)
        if (!checkDateTime(field))
            return false;
    return true;
}

bool CollectionSettingsDialog::checkDateTime(int field)
{
    QLineEdit *edit = m_dateTimes[field];
    const auto which = static_cast<DateTimeField>(field);
    if (const auto normal = normalDateTimeEntry(which, edit->text())) {
        if (*normal != edit->text())
            edit->setText(*normal);
        return true;
    }
    Messages::show(Message{illegalDateTimeMessage(which), QString::fromLatin1(kTitleError), MessageIcon::Exclamation,
                           MessageButtons::Ok, MessageAnswer::Ok});
    edit->clear();
    return false;
}

// The group's controls follow its check box; those its file type gives no meaning (a
// historian's append and rollover) stay disabled.
void CollectionSettingsDialog::enablePage(bool on)
{
    for (QWidget *control : std::as_const(m_groupControls))
        control->setEnabled(on);
    const FileOptions options = fileOptionsOf(m_doc.group(m_group).fileType);
    m_append->setEnabled(on && options.append);
    m_rollover->setEnabled(on && options.rollover);
    m_stationName->setVisible(options.stationName);
    m_stationCaption->setVisible(options.stationName);
}

void CollectionSettingsDialog::selectFileType(const QString &fileType)
{
    m_fileType->setCurrentIndex(m_fileType->findText(fileTypeChoiceOf(fileType)));
}

void CollectionSettingsDialog::showLinkChoice()
{
    m_ports->button(m_serialPortIndex)->setChecked(true);
    m_bauds->button(m_baudRateIndex)->setChecked(true);
}

// A page with an invalid date or time is left without storing it; one whose whole
// numbers cannot be read keeps its tab.
void CollectionSettingsDialog::tabChanged(int index)
{
    if (checkDateTimes() && !storeCurrentPage()) {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_group);
        return;
    }
    m_group = index;
    loadCurrentPage();
}

void CollectionSettingsDialog::enableClicked(bool checked)
{
    if (!storeCurrentPage()) {
        m_enabled->setChecked(!checked);
        return;
    }
    CollectionGroup &group = m_doc.group(m_group);
    if (checked)
        group.fileName = fileNameWhenEnabled(group.fileName, m_group + 1, group.fileType);
    loadCurrentPage();
}

void CollectionSettingsDialog::fileTypeChosen()
{
    CollectionGroup &group = m_doc.group(m_group);
    if (!storeCurrentPage()) {
        selectFileType(group.fileType);
        return;
    }
    group.fileName = fileNameForType(group.fileName, m_group + 1, group.fileType, m_keptNames[size_t(m_group)]);
    loadCurrentPage();
}

void CollectionSettingsDialog::portClicked(int button)
{
    if (refuseLinkChange())
        return;
    m_serialPortIndex = button;
    m_driver.setComPort(comPortForIndex(button));
}

void CollectionSettingsDialog::baudClicked(int button)
{
    if (refuseLinkChange())
        return;
    m_baudRateIndex = button;
    m_driver.setBaudRate(baudRateForIndex(button));
}

// While the driver runs, a click on a link button is undone with a beep.
bool CollectionSettingsDialog::refuseLinkChange()
{
    if (!m_driver.isRunning())
        return false;
    showLinkChoice();
    ViewBeep::beep();
    return true;
}

void CollectionSettingsDialog::advancedClicked()
{
    const Message caution{QString::fromLatin1(kAdvancedSettingsCaution), QString::fromLatin1(kTitleCaution),
                          MessageIcon::Exclamation, MessageButtons::OkCancel, MessageAnswer::Cancel};
    const MessageAnswer answer = Messages::show(caution);
    if (answer == MessageAnswer::Ok && m_openAdvancedSettings)
        m_openAdvancedSettings();
}

void CollectionSettingsDialog::accept()
{
    if (!storeCurrentPage())
        return;
    m_doc.setBaudRateIndex(m_baudRateIndex);
    m_doc.setSerialPortIndex(m_serialPortIndex);
    QDialog::accept();
}

void CollectionSettingsDialog::done(int result)
{
    if (!storeCurrentPage())
        return;
    if (result != QDialog::Accepted)
        showDocumentLink();
    QDialog::done(result);
}

bool CollectionSettingsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const auto edit = std::find(m_dateTimes.begin(), m_dateTimes.end(), watched);
        if (edit != m_dateTimes.end() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            checkDateTime(static_cast<int>(edit - m_dateTimes.begin()));
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tk70
