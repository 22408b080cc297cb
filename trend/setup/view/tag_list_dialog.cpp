// The "Tag List" dialog: see tag_list_dialog.h.
#include "trend/setup/view/tag_list_dialog.h"

#include "platform/messages.h"
#include "platform/view/report_list.h"
#include "tags/tag_doc.h"
#include "trend/setup/trend_tag_lookup.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace tk70 {

namespace {

// The dialog's size in dialog units: a quarter of the average character width across,
// an eighth of the character height down.
constexpr int kWidthUnits = 275;
constexpr int kHeightUnits = 178;
constexpr int kColumnWidths[] = {100, 175, 90};

}  // namespace

CTagListDialog::CTagListDialog(const CTagDoc *document, QWidget *parent) : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("131"));
    setWindowTitle(QStringLiteral("Tag List"));
    buildControls();
    const QFontMetrics metrics(font());
    resize(kWidthUnits * metrics.averageCharWidth() / 4, kHeightUnits * metrics.height() / 8);
    if (m_document) {
        fillList();
        m_ok->setEnabled(false);
    }
}

void CTagListDialog::buildControls()
{
    const ReportList built =
        buildReportList(this, {QStringLiteral("Tag"), QStringLiteral("Description"), QStringLiteral("Address")});
    m_list = built.list;
    m_ok = built.ok;
    m_list->setObjectName(QStringLiteral("1076"));
    m_list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < 3; ++column)
        m_list->setColumnWidth(column, kColumnWidths[column]);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CTagListDialog::chooseRow);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_list->currentItem())
            accept();
    });
}

void CTagListDialog::fillList()
{
    for (const TrendTagLookup::PickerRow &row : TrendTagLookup::pickerRows(m_document->tags()))
        new QTreeWidgetItem(m_list, {row.tagname, row.description, row.address});
    // Nothing has the focus yet: the first row is chosen only when the user moves to it.
    m_list->setCurrentItem(nullptr);
}

void CTagListDialog::chooseRow()
{
    if (const QTreeWidgetItem *item = m_list->currentItem()) {
        m_choice = item->text(0);
        m_ok->setEnabled(true);
    }
}

PickedTag CTagListDialog::picked() const
{
    const TagTable empty;
    const TagTable &tags = m_document ? m_document->tags() : empty;
    return PickedTag{m_choice, TrendTagLookup::pickedDescription(tags, m_choice)};
}

std::optional<PickedTag> CTagListDialog::pick(const CTagDoc *document, QWidget *parent)
{
    if (!document)
        Messages::note(QStringLiteral("No Tag Selection Loaded."), QString::fromLatin1(kTitleProgram),
                       MessageIcon::Exclamation);
    CTagListDialog dialog(document, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.choice().isEmpty())
        return std::nullopt;
    return dialog.picked();
}

}  // namespace tk70
