// The "Historical Graph Selection" dialog: see history_selection_dialog.h.
#include "trend/historyview/view/history_selection_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tk70 {

CHistorySelectionDialog::CHistorySelectionDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Historical Graph Selection"));
    auto *group = new QGroupBox(this);
    auto *choices = new QVBoxLayout(group);
    const char *const texts[] = {"Auto Fit (Zoom Allowed)", "No Compression Replay", "2:1 Compressed Replay",
                                 "3:1 Compressed Replay",   "4:1 Compressed Replay", "5:1 Compressed Replay",
                                 "10:1 Compressed Replay",  "20:1 Compressed Replay"};
    for (const char *text : texts) {
        auto *button = new QRadioButton(QString::fromLatin1(text), group);
        choices->addWidget(button);
        m_choices.push_back(button);
    }
    m_choices.front()->setChecked(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

HistoryMode CHistorySelectionDialog::mode() const
{
    for (size_t index = 0; index < m_choices.size(); ++index) {
        if (m_choices[index]->isChecked())
            return historyModeOf(static_cast<int>(index));
    }
    return HistoryMode{};
}

}  // namespace tk70
