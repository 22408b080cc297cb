// One trace row of the trend setup form: the row number, the tagname edit, its Tags
// button, the zero and span edits and the description, with their control ids as
// object names.  The row shows and returns its texts, reads itself with the field
// rules, and enables its controls by the form's rule.
#pragma once

#include "tags/trend_graph.h"
#include "trend/setup/trend_setup_rules.h"

#include <QList>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tk70 {

class TraceRow {
public:
    // Grid columns of the form's trace area; the padding columns keep the group box
    // frames clear of the controls.
    enum Column {
        NumberColumn = 0,
        TagnameColumn = 2,
        TagsColumn = 3,
        ZeroColumn = 6,
        SpanColumn = 7,
        DescriptionColumn = 10,
        LastColumn = 11,
    };

    // Creates the controls of row (0 to 11) on form and places them on gridRow.
    TraceRow(int row, QWidget *form, QGridLayout *grid, int gridRow);

    void show(const TrendSetupRules::RowText &text);
    TrendSetupRules::RowText text() const;
    void setEnabling(TrendSetupRules::RowEnabling enabling);
    // Reads the row with the field rules: tagname and description lengths, zero and
    // span numbers.  False after the message, with the focus on the field.
    bool read(TrendTrace &trace) const;

    QLineEdit *tagname() const { return m_tagname; }
    QLineEdit *zero() const { return m_zero; }
    QLineEdit *description() const { return m_description; }
    QPushButton *tagsButton() const { return m_tags; }
    // The controls in tab order, and the one with a control id (nullptr if not here).
    QList<QWidget *> controls() const;
    QWidget *control(int id) const;

private:
    QLineEdit *addEdit(QWidget *form, QGridLayout *grid, int gridRow, int column, int id, int chars);

    QLabel *m_number = nullptr;
    QLineEdit *m_tagname = nullptr;
    QPushButton *m_tags = nullptr;
    QLineEdit *m_zero = nullptr;
    QLineEdit *m_span = nullptr;
    QLineEdit *m_description = nullptr;
};

// Shows text whole in edit: typing stays within maxChars, but a longer text from a file
// is not cut (the length rule reports it when the form is read).
void showLimitedText(QLineEdit *edit, const QString &text, int maxChars);

}  // namespace tk70
