// The "Metafile Options" dialog: see metafile_options_dialog.h.
#include "trend/export/view/metafile_options_dialog.h"

#include "platform/view/dialog_fonts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tk70 {

namespace {

// The "Metafile Type" choices in their order, as the chart component numbers the kinds.
constexpr MetafileKind kKinds[] = {MetafileKind::Enhanced, MetafileKind::Placeable, MetafileKind::Standard};

}  // namespace

CMetafileOptionsDialog::CMetafileOptionsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("153"));
    setWindowTitle(QStringLiteral("Metafile Options"));
    QGroupBox *type = radioGroup(QStringLiteral("Metafile Type"),
                                 {QStringLiteral("Enhanced Metafile (WIN32)"), QStringLiteral("Placeable Metafile"),
                                  QStringLiteral("Standard Windows Metafile")},
                                 m_type);
    QGroupBox *background =
        radioGroup(QStringLiteral("Graph Background"),
                   {QStringLiteral("Normal (as shown)"), QStringLiteral("Reverse (Printer Output)")}, m_background);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(type);
    layout->addWidget(background);
    layout->addWidget(buttons);
    resetChoices();
}

// A bold-captioned group of radio buttons, numbered 0.. in order in buttons.
QGroupBox *CMetafileOptionsDialog::radioGroup(const QString &title, const QStringList &choices, QButtonGroup *&buttons)
{
    auto *group = new QGroupBox(title, this);
    buttons = new QButtonGroup(group);
    auto *column = new QVBoxLayout(group);
    for (int i = 0; i < choices.size(); ++i) {
        auto *radio = new QRadioButton(choices[i], group);
        buttons->addButton(radio, i);
        column->addWidget(radio);
    }
    setBoldCaption(group);
    return group;
}

void CMetafileOptionsDialog::resetChoices()
{
    m_type->button(0)->setChecked(true);
    m_background->button(0)->setChecked(true);
}

void CMetafileOptionsDialog::showEvent(QShowEvent *event)
{
    // A show by the program is an opening; the window system's (after minimising) is not.
    if (!event->spontaneous())
        resetChoices();
    QDialog::showEvent(event);
}

MetafileKind CMetafileOptionsDialog::kind() const
{
    const int choice = m_type->checkedId();
    return choice >= 0 ? kKinds[choice] : kKinds[0];
}

bool CMetafileOptionsDialog::reverse() const { return m_background->checkedId() == 1; }

}  // namespace tk70
