// The "Find Tag" dialog: see find_tag_dialog.h.
#include "tags/view/find_tag_dialog.h"

#include "platform/view/field_exchange.h"
#include "tags/tag_record.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tk70 {

namespace {

struct AddressField {
    int id;
    const char *label;
    int max;
};
constexpr std::array<AddressField, 4> kFields{
    {{2242, "Loop:", kMaxLoop}, {2243, "PCU:", kMaxPcu}, {2244, "Module:", kMaxModule}, {2245, "Block:", kMaxBlock}}};

}  // namespace

CFindTagDialog::CFindTagDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("141"));
    setWindowTitle(QStringLiteral("Find Tag"));
    buildFields();
    chooseMode(true);
}

void CFindTagDialog::buildFields()
{
    auto *layout = new QVBoxLayout(this);
    auto *modes = new QHBoxLayout;
    m_byTagname = new QRadioButton(QStringLiteral("Tagname"), this);
    m_byTagname->setObjectName(QStringLiteral("2246"));
    m_byAddress = new QRadioButton(QStringLiteral("Block Address"), this);
    m_byAddress->setObjectName(QStringLiteral("2247"));
    modes->addWidget(m_byTagname);
    modes->addWidget(m_byAddress);
    layout->addLayout(modes);

    auto *form = new QFormLayout;
    m_tagname = new QLineEdit(this);
    m_tagname->setObjectName(QStringLiteral("1089"));
    limitText(m_tagname, kTagnameMaxChars);
    form->addRow(QStringLiteral("Tagname:"), m_tagname);
    for (std::size_t field = 0; field < kFields.size(); ++field) {
        m_address[field] = new QLineEdit(QStringLiteral("0"), this);
        m_address[field]->setObjectName(QString::number(kFields[field].id));
        form->addRow(QString::fromLatin1(kFields[field].label), m_address[field]);
    }
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFindTagDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFindTagDialog::reject);
    connect(m_byTagname, &QRadioButton::clicked, this, [this] { chooseMode(true); });
    connect(m_byAddress, &QRadioButton::clicked, this, [this] { chooseMode(false); });
}

void CFindTagDialog::chooseMode(bool byTagname)
{
    m_byTagname->setChecked(byTagname);
    m_byAddress->setChecked(!byTagname);
    m_tagname->setEnabled(byTagname);
    for (QLineEdit *edit : m_address)
        edit->setEnabled(!byTagname);
    QLineEdit *first = byTagname ? m_tagname : m_address[0];
    first->setFocus();
    first->selectAll();
}

void CFindTagDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    chooseMode(m_byTagname->isChecked());
}

void CFindTagDialog::accept()
{
    TagEditorRules::FindQuery query;
    std::array<int, 4> values{};
    for (std::size_t field = 0; field < kFields.size(); ++field) {
        if (!readInteger(m_address[field], 0, kFields[field].max, values[field]))
            return;
    }
    query.byTagname = m_byTagname->isChecked();
    query.tagname = m_tagname->text();
    query.loop = values[0];
    query.pcu = values[1];
    query.module = values[2];
    query.block = values[3];
    m_query = query;
    QDialog::accept();
}

}  // namespace tk70
