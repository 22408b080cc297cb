// The "Trend List" dialog: see trend_list_dialog.h.
#include "trend/export/view/trend_list_dialog.h"

#include "platform/messages.h"
#include "platform/view/report_list.h"
#include "tags/tag_doc.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

namespace tk70 {

namespace {

constexpr int kNumberWidth = 50;
constexpr int kTitleWidth = 200;
// The graph index a row stands for.
constexpr int kGraphIndexRole = Qt::UserRole;

}  // namespace

CTrendListDialog::CTrendListDialog(const CTagDoc *document, std::vector<int> graphIndexes, QWidget *parent)
    : QDialog(parent), m_document(document)
{
    setObjectName(QStringLiteral("145"));
    setWindowTitle(QStringLiteral("Trend List"));
    buildControls();
    if (m_document)
        fillList(std::move(graphIndexes));
    m_ok->setEnabled(false);
}

void CTrendListDialog::buildControls()
{
    const ReportList built = buildReportList(this, {QStringLiteral("Number"), QStringLiteral("Graph Title")});
    m_list = built.list;
    m_ok = built.ok;
    m_list->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    m_list->header()->setStretchLastSection(false);
    // At least the 50 pixels of the list, and never narrower than its heading.
    m_list->setColumnWidth(0, std::max(kNumberWidth, m_list->header()->sectionSizeHint(0)));
    m_list->setColumnWidth(1, kTitleWidth);
    resize(kNumberWidth + kTitleWidth + 60, 240);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CTrendListDialog::selectionChanged);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        m_choice = item->data(0, kGraphIndexRole).toInt();
        accept();
    });
}

void CTrendListDialog::fillList(std::vector<int> graphIndexes)
{
    std::sort(graphIndexes.begin(), graphIndexes.end());
    graphIndexes.erase(std::unique(graphIndexes.begin(), graphIndexes.end()), graphIndexes.end());
    const int graphCount = static_cast<int>(m_document->selection().graphs.size());
    for (const int index : graphIndexes) {
        if (index < 0 || index >= graphCount)
            continue;
        auto *item = new QTreeWidgetItem(m_list, {QString::asprintf("%2d", index + 1), m_document->graph(index).title});
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, kGraphIndexRole, index);
    }
}

void CTrendListDialog::selectionChanged()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        m_choice = selected.constFirst()->data(0, kGraphIndexRole).toInt();
    m_ok->setEnabled(!selected.isEmpty());
}

int CTrendListDialog::exec()
{
    if (!m_document) {
        Messages::note(QStringLiteral("No Tag Selection Loaded."), QString::fromLatin1(kTitleProgram),
                       MessageIcon::Exclamation);
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

std::optional<int> CTrendListDialog::choose(const CTagDoc *document, const std::vector<int> &graphIndexes,
                                            QWidget *parent)
{
    CTrendListDialog dialog(document, graphIndexes, parent);
    if (dialog.exec() != Accepted || dialog.choice() < 0)
        return std::nullopt;
    return dialog.choice();
}

}  // namespace tk70
