// "Function Block Tuning": see tuning_dialog.h.
#include "tune/view/tuning_dialog.h"

#include "platform/registry/settings_store.h"
#include "platform/view/dialog_fonts.h"
#include "platform/view/field_exchange.h"
#include "platform/view/view_beep.h"
#include "tune/tuning_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tk70 {

namespace {

const char *const kAddressLabels[] = {"Loop", "PCU", "Module", "Block"};
const char *const kAddressNames[] = {"loop", "pcu", "module", "block"};

QPushButton *button(const char *text, const char *name)
{
    auto *b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// Puts text into an edit only when it differs, so typing is never disturbed.
void setText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

}  // namespace

TuningDialog::TuningDialog(CCiuDriver &driver, TuneSession::InhibitRule inhibited, const Clock &clock, QWidget *parent)
    : QDialog(parent), m_session(driver, std::move(inhibited), clock)
{
    setWindowTitle(QStringLiteral("Function Block Tuning"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeAddressGroup());
    m_status = new QLabel(QStringLiteral("Tune Status"));
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_status);
    layout->addWidget(makeSpecGroup());
    layout->addLayout(makeButtons());
    connect(&m_session, &TuneSession::changed, this, &TuningDialog::showSession);
    connect(&m_session, &TuneSession::beep, this, [] { ViewBeep::beep(); });
    m_session.open();
}

QWidget *TuningDialog::makeAddressGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Block Address"));
    setBoldCaption(group);
    auto *grid = new QGridLayout(group);
    for (std::size_t i = 0; i < m_address.size(); ++i) {
        auto *label = new QLabel(QString::fromLatin1(kAddressLabels[i]));
        setBold(label);
        m_address[i] = new QLineEdit;
        m_address[i]->setObjectName(QString::fromLatin1(kAddressNames[i]));
        m_address[i]->setFixedWidth(m_address[i]->fontMetrics().averageCharWidth() * 7);
        label->setBuddy(m_address[i]);
        grid->addWidget(label, 0, static_cast<int>(i), Qt::AlignHCenter);
        grid->addWidget(m_address[i], 1, static_cast<int>(i), Qt::AlignHCenter);
    }
    m_read = button("&Read", "read");
    m_read->setDefault(true);
    grid->addWidget(m_read, 1, 4);
    connect(m_read, &QPushButton::clicked, this, &TuningDialog::readBlock);
    return group;
}

// Three columns of three: the tuning value's number, then the value.
QWidget *TuningDialog::makeSpecGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Specifications"));
    setBoldCaption(group);
    auto *grid = new QGridLayout(group);
    for (int k = 0; k < kSpecsPerPage; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_numbers[i] = new QLabel;
        m_numbers[i]->setObjectName(QStringLiteral("number%1").arg(k + 1));
        m_numbers[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setBold(m_numbers[i]);
        m_values[i] = new QLineEdit;
        m_values[i]->setObjectName(QStringLiteral("value%1").arg(k + 1));
        m_values[i]->setFixedWidth(m_values[i]->fontMetrics().averageCharWidth() * 14);
        grid->addWidget(m_numbers[i], k % 3, 2 * (k / 3));
        grid->addWidget(m_values[i], k % 3, 2 * (k / 3) + 1);
        connect(m_values[i], &QLineEdit::textEdited, this,
                [this, k](const QString &text) { m_session.setEntry(k, text); });
    }
    return group;
}

QLayout *TuningDialog::makeButtons()
{
    auto *row = new QHBoxLayout;
    m_update = button("&Update", "update");
    m_close = button("&Close", "close");
    m_previous = button("&Prev Page", "previous");
    m_next = button("&Next Page", "next");
    for (QPushButton *b : {m_update, m_close, m_previous, m_next})
        row->addWidget(b);
    connect(m_update, &QPushButton::clicked, &m_session, &TuneSession::update);
    connect(m_close, &QPushButton::clicked, this, &TuningDialog::reject);
    connect(m_previous, &QPushButton::clicked, &m_session, &TuneSession::previousPage);
    connect(m_next, &QPushButton::clicked, &m_session, &TuneSession::nextPage);
    return row;
}

// The address fields in order; the first out of its range gets the framework's message
// and the focus, and nothing is read.
void TuningDialog::readBlock()
{
    std::array<int, 4> parts{};
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (!readInteger(m_address[i], kTuneAddressRanges[i].min, kTuneAddressRanges[i].max, parts[i]))
            return;
    m_session.read(TuneAddress{parts[0], parts[1], parts[2], parts[3]});
}

void TuningDialog::showSession()
{
    const bool idle = !m_session.waiting();
    m_status->setText(m_session.status());
    for (int k = 0; k < kSpecsPerPage; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_numbers[i]->setText(QString::number(m_session.specNumber(k)));
        setText(m_values[i], m_session.entry(k));
        m_values[i]->setEnabled(m_session.entryEnabled(k));
    }
    m_read->setEnabled(idle);
    m_close->setEnabled(idle);
    m_update->setEnabled(idle && m_session.updateEnabled());
    m_previous->setEnabled(idle && m_session.previousEnabled());
    m_next->setEnabled(idle && m_session.nextEnabled());
}

// Escape and the window's close button come here too (the framework's close event asks
// reject() and keeps a dialog that is still shown).
void TuningDialog::reject()
{
    if (m_session.waiting()) {
        ViewBeep::beep();
        return;
    }
    QDialog::reject();
}

void runTuningDialog(CCiuDriver &driver, const SettingsStore &store, const Clock &clock, QWidget *parent)
{
    const auto inhibited = [&store] {
        return store.dword(QString::fromLatin1(kProgramKey), QStringLiteral("InhibitBlockTuning")).value_or(0) != 0;
    };
    TuningDialog dialog(driver, inhibited, clock, parent);
    dialog.exec();
}

}  // namespace tk70
