// CTagView, the tag editor: see tag_view.h.
#include "tags/view/tag_view.h"

#include "core/product.h"
#include "platform/messages.h"
#include "platform/view/form_controls.h"
#include "platform/view/view_beep.h"
#include "tags/tag_doc.h"
#include "tags/view/find_tag_dialog.h"
#include "tags/view/tag_list_printer.h"
#include "tags/view/tag_row.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <utility>

namespace tk70 {

using namespace TagEditorRules;

namespace {

const char *const kTitle = kProductName;
constexpr int kTitleGridRow = 0;
constexpr int kLabelGridRow = 1;
constexpr int kFirstRowGridRow = 2;
constexpr int kBottomGridRow = kFirstRowGridRow + kRows;
constexpr int kButtonGridRow = kBottomGridRow + 1;

struct BoxSpec {
    int id;
    const char *title;
    int firstColumn;
    int lastColumn;
};
constexpr BoxSpec kBoxes[] = {{1190, "Tagname", 1, 3},
                              {1191, "Loop/PCU/Mod/Blk", 4, 9},
                              {1198, "Point Type", 10, 12},
                              {1199, "Collections", 13, 18},
                              {1200, "Tag Description", 19, 21}};

MessageAnswer ask(const QString &text, const QString &title, MessageButtons buttons, MessageAnswer defaultAnswer)
{
    return Messages::show(Message{text, title, MessageIcon::Question, buttons, defaultAnswer});
}

// A tag that a trend graph draws may not be deleted, neither by the key nor by clearing its name.
void refuseDeletingTrendTag()
{
    Messages::note(QStringLiteral("Tag Currently Used on a Trend Graph.\n\nTags May Not be Deleted."),
                   QString::fromLatin1(kTitle), MessageIcon::Stop);
}

}  // namespace

CTagView::CTagView(CTagDoc *document, QWidget *parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("132"));
    buildForm();
    watchFocusableChildren(this);
    mapCommands();
    refreshRows();
    tagname(0)->setFocus();
}

CTagView::~CTagView() = default;

void CTagView::buildForm()
{
    // Tight margins and spacing keep the form within an 800-pixel main window.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(3);
    addGroupBoxes(grid);
    for (int row = 0; row < kRows; ++row)
        m_rows[row] = std::make_unique<TagRow>(row, this, grid, kFirstRowGridRow + row);
    addButtons(grid);
}

void CTagView::addGroupBoxes(QGridLayout *grid)
{
    QFont bold = font();
    bold.setBold(true);
    for (const BoxSpec &spec : kBoxes) {
        auto *box = new QGroupBox(QString::fromLatin1(spec.title), this);
        box->setObjectName(QString::number(spec.id));
        box->setFont(bold);
        grid->addWidget(box, kTitleGridRow, spec.firstColumn, kBottomGridRow + 1,
                        spec.lastColumn - spec.firstColumn + 1);
        grid->setColumnMinimumWidth(spec.firstColumn, 8);
        grid->setColumnMinimumWidth(spec.lastColumn, 8);
    }
    for (int group = 0; group < kCollectionGroupCount; ++group) {
        auto *label = new QLabel(QString::number(group + 1), this);
        label->setObjectName(QString::number(2238 + group));
        label->setFont(bold);
        grid->addWidget(label, kLabelGridRow, TagRow::FirstGroupColumn + group, Qt::AlignCenter);
    }
    grid->setRowMinimumHeight(kTitleGridRow, QFontMetrics(bold).height() + 6);
    grid->setRowMinimumHeight(kBottomGridRow, 6);
    grid->setColumnStretch(TagRow::DescriptionColumn, 1);
}

void CTagView::addButtons(QGridLayout *grid)
{
    auto *buttons = new QHBoxLayout;
    auto button = [&](int id, const char *text) {
        auto *push = new QPushButton(QString::fromLatin1(text), this);
        push->setObjectName(QString::number(id));
        buttons->addWidget(push);
        return push;
    };
    connect(button(32790, "Collection &Settings"), &QPushButton::clicked, this, &CTagView::collectionSettingsRequested);
    connect(button(32792, "&Trend Setup"), &QPushButton::clicked, this, &CTagView::trendSetupRequested);
    buttons->addStretch(1);
    connect(button(1201, "F&ind Tag"), &QPushButton::clicked, this, &CTagView::findTag);
    connect(button(1120, "Page &Up"), &QPushButton::clicked, this, &CTagView::pageUp);
    connect(button(1112, "Page &Down"), &QPushButton::clicked, this, &CTagView::pageDown);
    buttons->setContentsMargins(0, 6, 0, 0);
    grid->addLayout(buttons, kButtonGridRow, 0, 1, TagRow::LastColumn + 1);
    grid->setRowStretch(kButtonGridRow + 1, 1);
}

void CTagView::mapCommands()
{
    using namespace SetupCommand;
    m_accelerators.on(this, {{kShiftDelete, &CTagView::deleteTag},
                             {kPageDown, &CTagView::pageDown},
                             {kPageUp, &CTagView::pageUp},
                             {kDown, &CTagView::lineDown},
                             {kUp, &CTagView::lineUp},
                             {kEnd, &CTagView::lastPage},
                             {kHome, &CTagView::firstPage},
                             {kInsert, &CTagView::insertTag},
                             {kEscape, &CTagView::finishPendingInsert},
                             {kEnter, &CTagView::nextField}});
}

// ---- keys and focus ----

bool CTagView::eventFilter(QObject *watched, QEvent *event)
{
    // The editor's keys go to the editor, not to shortcuts of the window around it.
    if (m_accelerators.filter(event))
        return true;
    switch (event->type()) {
    case QEvent::FocusOut: {
        int row = rowOf(watched);
        if (row >= 0 && watched == tagname(row) && leavesControl(event))
            leaveTagname(row);
        break;
    }
    case QEvent::FocusIn: {
        int row = rowOf(watched);
        if (!m_busy && m_insertPending && row >= 0 && row != m_insertRow)
            finishPendingInsert();
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

int CTagView::rowOf(const QObject *widget) const { return rowHolding(m_rows, widget); }

int CTagView::controlIdOf(const QObject *widget) const { return controlIdIn(m_rows, widget); }

int CTagView::focusedRow() const { return rowOf(focusWidget()); }

QLineEdit *CTagView::tagname(int row) const { return m_rows[row]->tagname(); }

void CTagView::focusControl(int id)
{
    int row = controlRow(id);
    if (row >= 0)
        m_rows[row]->control(id)->setFocus();
}

// ---- rows and the page ----

void CTagView::fillRow(int row, int slot)
{
    m_rows[row]->setSlotNumber(slot);
    if (slot >= m_document->tagCapacity()) {
        clearRow(row);
        return;
    }
    m_rows[row]->show(m_document->tag(slot), rowState(m_document->tags(), slot));
}

void CTagView::clearRow(int row) { m_rows[row]->clear(); }

void CTagView::refreshRows()
{
    QScopedValueRollback busy(m_busy, true);
    for (int row = 0; row < kRows; ++row)
        fillRow(row, m_offset + row);
}

void CTagView::showPageAt(int offset)
{
    offset = std::clamp(offset, 0, kMaxOffset);
    // Moving the page leaves the inserted row, as the focus entering another row does:
    // an insert that got no name ends before its row shows another slot.  The movements
    // place the page by the tag count, which the unnamed slot does not change.
    if (offset != m_offset)
        finishPendingInsert();
    m_offset = offset;
    refreshRows();
}

bool CTagView::readPage(std::array<TagRecord, kRows> &page)
{
    QScopedValueRollback busy(m_busy, true);
    for (int row = 0; row < kRows; ++row) {
        if (!m_rows[row]->read(page[row]))
            return false;
    }
    return true;
}

bool CTagView::commitPage()
{
    if (!settleEditedTagnames())
        return false;
    std::array<TagRecord, kRows> page;
    if (!readPage(page))
        return false;
    for (int row = 0; row < kRows; ++row)
        m_document->setTag(m_offset + row, page[row]);
    m_document->tags().setCount(recount(m_document->tags()));
    return true;
}

bool CTagView::validatePage()
{
    finishPendingInsert();
    int row = rowOf(focusWidget());
    if (row >= 0 && focusWidget() == tagname(row) && isTagnameEdited(row)) {
        QScopedValueRollback busy(m_busy, true);
        tagname(row < kRows - 1 ? row + 1 : row - 1)->setFocus();
    }
    if (!settleEditedTagnames())
        return false;
    std::array<TagRecord, kRows> page;
    return readPage(page);
}

// ---- paging ----

void CTagView::pageDown()
{
    if (commitPage())
        showPageAt(pageDownOffset(m_offset, m_document->tagCount()));
}

void CTagView::pageUp()
{
    if (commitPage())
        showPageAt(pageUpOffset(m_offset));
}

void CTagView::firstPage()
{
    if (!commitPage())
        return;
    showPageAt(0);
    tagname(0)->setFocus();
}

void CTagView::lastPage()
{
    if (!commitPage())
        return;
    showPageAt(lastPageOffset(m_document->tagCount()));
    tagname(lastPageFocusRow(m_document->tagCount()))->setFocus();
}

void CTagView::lineUp()
{
    int id = controlIdOf(focusWidget());
    if (id < 0 || !commitPage())
        return;
    FocusMove move = TagEditorRules::lineUp(id, m_offset);
    if (move.offset != m_offset)
        showPageAt(move.offset);
    focusControl(move.controlId);
}

void CTagView::lineDown()
{
    int id = controlIdOf(focusWidget());
    if (id < 0 || !commitPage())
        return;
    FocusMove move = TagEditorRules::lineDown(id, m_offset, m_document->tagCount());
    if (move.offset != m_offset)
        showPageAt(move.offset);
    focusControl(move.controlId);
}

void CTagView::nextField()
{
    if (controlIdOf(focusWidget()) == kDescriptionId + kRows - 1) {
        lineDown();
        tagname(kRows - 1)->setFocus();
        return;
    }
    focusNextPrevChild(true);
}

// ---- tagnames ----

bool CTagView::leaveTagname(int row)
{
    if (m_busy)
        return true;
    QScopedValueRollback busy(m_busy, true);
    resolveTagnameChange(row);
    return applyTagnameOutcome(row);
}

bool CTagView::isTagnameEdited(int row) const
{
    return tagname(row)->text() != m_document->tags().tagname(m_offset + row);
}

bool CTagView::settleEditedTagnames()
{
    // Inside the rule itself (or while the view reshows rows) the commit it makes must
    // not run the rule again: each change is settled, and asked about, once.
    if (m_busy)
        return true;
    // One pass: after the rule an edit either matches its slot again (answered, refused,
    // deleted and reshown) or holds a plain rename that the commit copies.
    for (int row = 0; row < kRows; ++row) {
        if (isTagnameEdited(row) && !leaveTagname(row))
            return false;
    }
    return true;
}

bool CTagView::resolveTagnameChange(int row)
{
    int slot = m_offset + row;
    QString stored = m_document->tags().tagname(slot);
    QString text = tagname(row)->text();
    switch (classifyTagnameChange(m_document->selection(), stored, text)) {
    case TagnameChange::RenameInTrendUse:
        if (Messages::show(Message{QStringLiteral("Tag Currently In Use on a Trend Graph.\n\nRename The Tags in All "
                                                  "Affected Trends?"),
                                   QString::fromLatin1(kTitle), MessageIcon::Stop, MessageButtons::OkCancel,
                                   MessageAnswer::Cancel}) == MessageAnswer::Ok) {
            renameTagAndTraces(m_document->selection(), slot, text);
            emit tagRenamed(stored, text);
            return true;
        }
        tagname(row)->setText(stored);
        return false;
    case TagnameChange::DeleteRefused:
        refuseDeletingTrendTag();
        tagname(row)->setText(stored);
        return false;
    case TagnameChange::Rename:
    case TagnameChange::None: break;
    }
    return true;
}

bool CTagView::applyTagnameOutcome(int row)
{
    int slot = m_offset + row;
    switch (tagnameOutcome(tagname(row)->text(), slot, m_document->tagCount())) {
    case TagnameOutcome::NewTag:
    case TagnameOutcome::EnableRow:
        m_rows[row]->setState(RowState::Enabled);
        if (row + 1 < kRows)
            tagname(row + 1)->setEnabled(true);
        if (slot >= m_document->tagCount()) {
            tagname(row)->setFocus();
            return commitPage();
        }
        break;
    case TagnameOutcome::DeleteSlot: return deleteSlotAndShow(slot);
    case TagnameOutcome::Nothing: break;
    }
    return true;
}

// ---- insert and delete ----

void CTagView::insertTag()
{
    int row = focusedRow();
    if (m_insertPending || row < 0 || !commitPage())
        return;
    if (insertLosesLastTag(m_document->tags()) &&
        ask(QStringLiteral("Last tag will be lost"), QStringLiteral("Information"), MessageButtons::OkCancel,
            MessageAnswer::Cancel) != MessageAnswer::Ok)
        return;
    m_insertPending = true;
    m_insertRow = row;
    insertSlot(m_document->tags(), m_offset + row);
    refreshRows();
    QScopedValueRollback busy(m_busy, true);
    tagname(row)->setFocus();
}

void CTagView::finishPendingInsert()
{
    if (!m_insertPending)
        return;
    m_insertPending = false;
    if (tagname(m_insertRow)->text().isEmpty())
        deleteSlotAndShow(m_offset + m_insertRow);
}

void CTagView::deleteTag()
{
    int row = focusedRow();
    if (row < 0)
        return;
    if (m_insertPending && tagname(row)->text().isEmpty()) {
        finishPendingInsert();
        tagname(row)->setFocus();
        return;
    }
    int slot = m_offset + row;
    QString name = m_document->tags().tagname(slot);
    if (!name.isEmpty() && m_document->isTagInTrendUse(name)) {
        refuseDeletingTrendTag();
        return;
    }
    if (!Messages::askYesNo(QStringLiteral("Are you sure you want to delete this tag ?"), QStringLiteral("Question")))
        return;
    m_insertPending = false;
    deleteSlotAndShow(slot);
}

bool CTagView::deleteSlotAndShow(int slot)
{
    if (!commitPage())
        return false;
    deleteSlot(m_document->tags(), slot);
    refreshRows();
    return true;
}

// ---- find ----

void CTagView::findTag()
{
    if (!m_findDialog)
        m_findDialog = new CFindTagDialog(this);
    while (m_findDialog->exec() == QDialog::Accepted) {
        // A search leaves the inserted row; its unnamed slot goes first, so that it is
        // neither found by its address nor shifts the tags behind it.
        finishPendingInsert();
        FindQuery query = m_findDialog->query();
        int slot = TagEditorRules::findTag(m_document->tags(), query);
        if (slot >= 0) {
            showFound(slot);
            return;
        }
        if (findFailureShowsMessage(query))
            Messages::note(QStringLiteral("No Matching Tag Found"), QStringLiteral("Tag Find Error"),
                           MessageIcon::Warning);
        else
            ViewBeep::beep();
    }
}

void CTagView::showFound(int slot)
{
    if (!commitPage())
        return;
    showPageAt(foundOffset(slot, m_document->tagCount()));
    if (slot - m_offset >= 0 && slot - m_offset < kRows)
        tagname(slot - m_offset)->setFocus();
}

// ---- printing ----

void CTagView::print(QPrinter *printer) { TagListPrinter(*m_document, m_document->title()).print(printer); }

}  // namespace tk70
