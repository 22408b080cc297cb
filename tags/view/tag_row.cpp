// One row of the tag editor: see tag_row.h.
#include "tags/view/tag_row.h"

#include "platform/view/field_exchange.h"
#include "tags/point_type.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tk70 {

namespace {

struct AddressField {
    int id;
    int max;
};
constexpr std::array<AddressField, 4> kAddressFields{{{TagEditorRules::kLoopId, kMaxLoop},
                                                      {TagEditorRules::kPcuId, kMaxPcu},
                                                      {TagEditorRules::kModuleId, kMaxModule},
                                                      {TagEditorRules::kBlockId, kMaxBlock}}};

QString idName(int id) { return QString::number(id); }

// Shows text whole, from its beginning.  Typing stays within maxChars, but a longer
// stored text is not cut to it: the length rule reports it when the row is edited.
void showText(QLineEdit *edit, const QString &text, int maxChars)
{
    limitText(edit, std::max(maxChars, static_cast<int>(text.size())));
    edit->setText(text);
    edit->setCursorPosition(0);
}

}  // namespace

TagRow::TagRow(int row, QWidget *form, QGridLayout *grid, int gridRow) : m_row(row)
{
    m_number = new QLabel(form);
    m_number->setObjectName(QStringLiteral("row%1").arg(row + 1));
    m_number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = m_number->font();
    bold.setBold(true);
    m_number->setFont(bold);
    grid->addWidget(m_number, gridRow, NumberColumn);

    m_tagname = addEdit(form, grid, gridRow, TagnameColumn, TagEditorRules::kTagnameId + row, kTagnameMaxChars);
    for (int field = 0; field < 4; ++field)
        m_address[field] = addEdit(form, grid, gridRow, LoopColumn + field, kAddressFields[field].id + row, 4);

    m_pointType = new QComboBox(form);
    m_pointType->setObjectName(idName(TagEditorRules::kPointTypeId + row));
    for (int code = 0; code < PointTypes::kCount; ++code)
        m_pointType->addItem(PointTypes::editorName(code));
    grid->addWidget(m_pointType, gridRow, PointTypeColumn);

    // The description takes what room is left; the form still fits a window of 800 pixels.
    m_description = addEdit(form, grid, gridRow, DescriptionColumn, TagEditorRules::kDescriptionId + row, 10);
    addGroupBoxes(form, grid, gridRow);
    clear();
}

QLineEdit *TagRow::addEdit(QWidget *form, QGridLayout *grid, int gridRow, int column, int id, int chars)
{
    auto *edit = new QLineEdit(form);
    edit->setObjectName(idName(id));
    QFontMetrics metrics(edit->font());
    const bool address = column >= LoopColumn && column < LoopColumn + 4;
    // Address fields hold digits only and need no room beyond the frame's.
    edit->setMinimumWidth(metrics.horizontalAdvance(QLatin1Char('0')) * chars + (address ? 8 : 12));
    if (address) {
        edit->setMaximumWidth(edit->minimumWidth());
        edit->setAlignment(Qt::AlignRight);
    }
    grid->addWidget(edit, gridRow, column);
    return edit;
}

void TagRow::addGroupBoxes(QWidget *form, QGridLayout *grid, int gridRow)
{
    for (int group = 0; group < kCollectionGroupCount; ++group) {
        auto *box = new QCheckBox(form);
        box->setObjectName(idName(TagEditorRules::kGroupId + kCollectionGroupCount * m_row + group));
        grid->addWidget(box, gridRow, FirstGroupColumn + group, Qt::AlignCenter);
        m_groups[group] = box;
    }
}

void TagRow::setSlotNumber(int slot) { m_number->setText(QString::number(slot + 1)); }

void TagRow::show(const TagRecord &tag, TagEditorRules::RowState state)
{
    setState(state);
    showText(m_tagname, tag.tagname, kTagnameMaxChars);
    const std::array<qint32, 4> address{tag.loop, tag.pcu, tag.module, tag.block};
    for (int field = 0; field < 4; ++field)
        m_address[field]->setText(QString::number(address[field]));
    m_pointType->setCurrentIndex(PointTypes::isValid(tag.pointType) ? tag.pointType : 0);
    showText(m_description, tag.description, kTagDescriptionMaxChars);
    for (int group = 0; group < kCollectionGroupCount; ++group)
        m_groups[group]->setChecked(tag.belongsToGroup(group));
    m_shown = tag;
    m_shownValues = values();
}

void TagRow::clear() { show(TagRecord{}, TagEditorRules::RowState::Enabled); }

void TagRow::setState(TagEditorRules::RowState state)
{
    for (QWidget *control : controls())
        control->setEnabled(state == TagEditorRules::RowState::Enabled);
    m_tagname->setEnabled(state != TagEditorRules::RowState::Disabled);
}

bool TagRow::read(TagRecord &tag) const
{
    // The rules go in tab order, so the first bad field of the row is the one reported.
    const bool changed = values() != m_shownValues;
    TagRecord read = m_shown;
    if (changed && !readText(m_tagname, kTagnameMaxChars, read.tagname))
        return false;
    if (!readAddress(read))
        return false;
    if (changed) {
        read.pointType = std::max(m_pointType->currentIndex(), 0);
        if (!readText(m_description, kTagDescriptionMaxChars, read.description))
            return false;
        for (int group = 0; group < kCollectionGroupCount; ++group)
            read.groups[group] = m_groups[group]->isChecked() ? 1 : 0;
    }
    tag = read;
    return true;
}

bool TagRow::readAddress(TagRecord &tag) const
{
    std::array<int, 4> address{};
    for (int field = 0; field < 4; ++field) {
        if (!readInteger(m_address[field], 0, kAddressFields[field].max, address[field]))
            return false;
    }
    tag.loop = address[0];
    tag.pcu = address[1];
    tag.module = address[2];
    tag.block = address[3];
    return true;
}

QStringList TagRow::values() const
{
    QStringList list{m_tagname->text()};
    for (const QLineEdit *edit : m_address)
        list << edit->text();
    list << QString::number(m_pointType->currentIndex()) << m_description->text();
    for (const QCheckBox *box : m_groups)
        list << QString::number(box->isChecked() ? 1 : 0);
    return list;
}

QList<QWidget *> TagRow::controls() const
{
    QList<QWidget *> list{m_tagname,    m_address[0], m_address[1], m_address[2],
                          m_address[3], m_pointType,  m_description};
    for (QCheckBox *box : m_groups)
        list << box;
    return list;
}

QWidget *TagRow::control(int id) const
{
    for (QWidget *widget : controls()) {
        if (widget->objectName() == idName(id))
            return widget;
    }
    return nullptr;
}

}  // namespace tk70
