// One row of the tag editor: the row number, the tagname, the four address edits, the
// point-type drop-down, the description and the four group check boxes, with their
// control ids as object names.  The row shows a tag, reads it back with the field
// rules, and enables its controls by the editor's rule.  A tag from a file made
// elsewhere may hold a longer tagname or description than the fields take: the row
// shows it whole and, while the user leaves the row as shown, reads the tag back as
// it was; once the user changes the row, the length rules report the long text.
#pragma once

#include "tags/tag_editor_rules.h"
#include "tags/tag_record.h"

#include <QList>
#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace tk70 {

class TagRow {
public:
    // Grid columns of the form; the padding columns keep the group box frames clear.
    enum Column {
        NumberColumn = 0,
        TagnameColumn = 2,
        LoopColumn = 5,
        DescriptionColumn = 20,
        PointTypeColumn = 11,
        FirstGroupColumn = 14,
        LastColumn = 21,
    };

    // Creates the controls of row (0 to 9) on form and places them on gridRow.
    TagRow(int row, QWidget *form, QGridLayout *grid, int gridRow);

    void setSlotNumber(int slot);
    void show(const TagRecord &tag, TagEditorRules::RowState state);
    // Empty names, group 1 only, zero numbers and point type 0.
    void clear();
    void setState(TagEditorRules::RowState state);
    // Reads the row: the address range rules always, and for a row the user changed
    // the length rules of tagname and description too; a row left as shown gives the
    // tag it showed.  False after the message, with the focus on the field.
    bool read(TagRecord &tag) const;

    QLineEdit *tagname() const { return m_tagname; }
    // The controls in tab order, and the one with a control id (nullptr if not here).
    QList<QWidget *> controls() const;
    QWidget *control(int id) const;

private:
    QLineEdit *addEdit(QWidget *form, QGridLayout *grid, int gridRow, int column, int id, int chars);
    void addGroupBoxes(QWidget *form, QGridLayout *grid, int gridRow);
    // What the controls hold, one text per control, to tell whether the user changed the row.
    QStringList values() const;
    bool readAddress(TagRecord &tag) const;

    int m_row;
    QLabel *m_number = nullptr;
    QLineEdit *m_tagname = nullptr;
    std::array<QLineEdit *, 4> m_address{};  // loop, PCU, module, block
    QComboBox *m_pointType = nullptr;
    QLineEdit *m_description = nullptr;
    std::array<QCheckBox *, kCollectionGroupCount> m_groups{};
    // The tag last shown and what the controls held then.
    TagRecord m_shown;
    QStringList m_shownValues;
};

}  // namespace tk70
