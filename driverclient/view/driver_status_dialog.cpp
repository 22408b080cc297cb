// "TK70 Pro Driver Status": see driver_status_dialog.h.
#include "driverclient/view/driver_status_dialog.h"

#include "driverclient/ciu_driver.h"
#include "driverclient/driver_status_texts.h"
#include "platform/view/dialog_fonts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tk70 {

namespace {

// A field of the dialog: where it stands in its grid, how many characters wide its edit
// is, and what it shows.
struct StatusField {
    const char *label;
    const char *name;
    int row;
    int column;
    int chars;
    QString (*text)(const CCiuDriver &driver);
};

constexpr int kWide = 24;  // "Collection In-Progress"
constexpr int kNarrow = 8;
constexpr int kCounter = 11;  // a 32-bit count

QString number(int value) { return QString::number(value); }

const StatusField kStatusFields[] = {
    {"Collection Status :", "collectionStatus", 0, 0, kWide,
     [](const CCiuDriver &d) { return collectionStatusText(d.connectionState()); }},
    {"CIU Ready Status :", "readyStatus", 1, 0, kWide,
     [](const CCiuDriver &d) { return readyStatusText(d.monitoring()); }},
    {"CIU Operating Status :", "operatingStatus", 2, 0, kNarrow,
     [](const CCiuDriver &d) { return number(static_cast<int>(d.ciuStatusValue())); }},
    {"CIU Module Type :", "moduleType", 3, 0, kNarrow, [](const CCiuDriver &d) { return number(d.moduleType()); }},
    {"CIU Module Mode :", "moduleMode", 3, 3, kNarrow, [](const CCiuDriver &d) { return number(d.moduleMode()); }},
    {"CIU Loop Address :", "ciuLoop", 4, 0, kNarrow, [](const CCiuDriver &d) { return number(d.ciuLoop()); }},
    {"CIU PCU Address :", "ciuPcu", 4, 3, kNarrow, [](const CCiuDriver &d) { return number(d.ciuPcu()); }},
    {"Com Port :", "comPort", 5, 0, kNarrow, [](const CCiuDriver &d) { return number(d.comPort()); }},
    {"Baud Rate :", "baudRate", 5, 3, kNarrow, [](const CCiuDriver &d) { return number(d.baudRate()); }},
};

const StatusField kCounterFields[] = {
    {"Number of CIU Restarts :", "restarts", 0, 0, kCounter, [](const CCiuDriver &d) { return number(d.restarts()); }},
    {"Number of CIU Commands :", "commands", 1, 0, kCounter, [](const CCiuDriver &d) { return number(d.commands()); }},
    {"Number of CIU Errors :", "errors", 2, 0, kCounter, [](const CCiuDriver &d) { return number(d.errors()); }},
};

// A read-only edit with its label; a wide one spans the rest of the row.
QLineEdit *addField(QGridLayout *grid, const StatusField &item)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(item.name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * item.chars);
    auto *caption = new QLabel(QString::fromLatin1(item.label));
    caption->setObjectName(QString::fromLatin1(item.name) + QStringLiteral("Label"));
    caption->setBuddy(edit);
    grid->addWidget(caption, item.row, item.column);
    grid->addWidget(edit, item.row, item.column + 1, 1, item.chars == kWide ? 4 : 1, Qt::AlignLeft);
    return edit;
}

}  // namespace

DriverStatusDialog::DriverStatusDialog(CCiuDriver &driver, QWidget *parent) : QDialog(parent), m_driver(driver)
{
    setWindowTitle(QStringLiteral("TK70 Pro Driver Status"));
    layOut();
    refresh();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("refreshTimer"));
    connect(m_timer, &QTimer::timeout, this, &DriverStatusDialog::refresh);
    m_timer->start(kRefreshMs);
}

QLayout *DriverStatusDialog::buildStatusFields()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    for (const StatusField &item : kStatusFields)
        m_fields.push_back(Field{addField(grid, item), item.text});
    grid->setColumnMinimumWidth(2, 12);
    return grid;
}

QGroupBox *DriverStatusDialog::buildCounterGroup()
{
    auto *group = new QGroupBox(QStringLiteral("CIU Status Counters"));
    group->setObjectName(QStringLiteral("countersGroup"));
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    for (const StatusField &item : kCounterFields)
        m_fields.push_back(Field{addField(grid, item), item.text});
    grid->setColumnStretch(2, 1);
    setBoldCaption(group);
    return group;
}

QLayout *DriverStatusDialog::buildButtons()
{
    auto *ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *reset = new QPushButton(QStringLiteral("&Reset Counters"));
    reset->setObjectName(QStringLiteral("resetCounters"));
    reset->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &DriverStatusDialog::accept);
    connect(reset, &QPushButton::clicked, this, &DriverStatusDialog::resetCounters);
    auto *column = new QVBoxLayout;
    column->addWidget(ok);
    column->addWidget(reset);
    column->addStretch(1);
    return column;
}

void DriverStatusDialog::layOut()
{
    m_revision = new QLabel;
    m_revision->setObjectName(QStringLiteral("revision"));
    auto *fields = new QVBoxLayout;
    fields->addWidget(m_revision);
    fields->addSpacing(6);
    fields->addLayout(buildStatusFields());
    fields->addSpacing(6);
    fields->addWidget(buildCounterGroup());
    auto *page = new QHBoxLayout(this);
    page->addLayout(fields);
    page->addSpacing(14);
    page->addLayout(buildButtons());
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void DriverStatusDialog::refresh()
{
    m_revision->setText(driverRevisionText(m_driver.revision()));
    for (const Field &field : m_fields)
        field.edit->setText(field.text(m_driver));
}

void DriverStatusDialog::resetCounters()
{
    m_driver.resetCounters();
    refresh();
}

// Escape stands for "&Reset Counters", as its cancel role says; the window's close button
// still closes the dialog.
void DriverStatusDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        resetCounters();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tk70
