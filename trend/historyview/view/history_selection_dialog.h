// The "Historical Graph Selection" dialog: how a historical file is graphed, Auto Fit
// (zoom allowed) or a replay without or with compression.
#pragma once

#include "trend/historyview/history_mode.h"

#include <QDialog>
#include <vector>

class QRadioButton;

namespace tk70 {

class CHistorySelectionDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 156;

    explicit CHistorySelectionDialog(QWidget *parent = nullptr);

    // The mode of the choice checked (Auto Fit when the dialog opens).
    HistoryMode mode() const;
    QRadioButton *choice(int index) const { return m_choices.at(static_cast<size_t>(index)); }
    int choiceCount() const { return static_cast<int>(m_choices.size()); }

private:
    std::vector<QRadioButton *> m_choices;
};

}  // namespace tk70
