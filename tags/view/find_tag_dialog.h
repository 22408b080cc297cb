// The "Find Tag" dialog: a tagname, or a block address (loop, PCU, module, block), chosen
// with two radio buttons.  It keeps its entries between rounds of a search.
#pragma once

#include "tags/tag_editor_rules.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;

namespace tk70 {

class CFindTagDialog : public QDialog {
    Q_OBJECT
public:
    explicit CFindTagDialog(QWidget *parent = nullptr);

    // What the user asked for in the last accepted round.
    TagEditorRules::FindQuery query() const { return m_query; }

    void accept() override;

private:
    void buildFields();
    void chooseMode(bool byTagname);
    // Brings the mode's first field to the front each time the dialog opens.
    void showEvent(QShowEvent *event) override;

    QLineEdit *m_tagname = nullptr;
    std::array<QLineEdit *, 4> m_address{};
    QRadioButton *m_byTagname = nullptr;
    QRadioButton *m_byAddress = nullptr;
    TagEditorRules::FindQuery m_query;
};

}  // namespace tk70
