// CTrnSettingsView, the trend setup: see trn_settings_view.h.
#include "trend/setup/view/trn_settings_view.h"

#include "platform/messages.h"
#include "platform/view/dialog_fonts.h"
#include "platform/view/field_exchange.h"
#include "platform/view/form_controls.h"
#include "platform/view/view_beep.h"
#include "tags/tag_doc.h"
#include "trend/setup/trend_setup_keys.h"
#include "trend/setup/trend_tag_lookup.h"
#include "trend/setup/view/tag_list_dialog.h"
#include "trend/setup/view/trace_row.h"
#include "trend/setup/view/trend_setup_printer.h"
#include "trend/setup/view/up_down_control.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <cmath>

namespace tk70 {

using namespace TrendSetupRules;

namespace {

// Rows of the graph area's grid and of the trace area's grid.
constexpr int kBoxTitleRow = 0;
constexpr int kTitleRow = 1;
constexpr int kSecondTitleRow = 2;
constexpr int kNumberRow = 3;
constexpr int kSampleRow = 4;
constexpr int kGraphBottomRow = 5;
constexpr int kColumnLabelRow = 1;
constexpr int kFirstTraceRow = 2;
constexpr int kTraceBottomRow = kFirstTraceRow + kRows;

void tagMissing(const char *text)
{
    Messages::note(QString::fromLatin1(text), QStringLiteral("Tag Error"), MessageIcon::Warning);
}

int spinPosition(double sampleInterval)
{
    if (!std::isfinite(sampleInterval))
        return kSpinMin;
    return static_cast<int>(std::clamp(std::round(sampleInterval), double(kSpinMin), double(kSpinMax)));
}

}  // namespace

CTrnSettingsView::CTrnSettingsView(CTagDoc *document, bool historical, QWidget *parent)
    : QWidget(parent), m_document(document), m_historical(historical)
{
    setObjectName(QStringLiteral("130"));
    buildForm();
    if (m_historical)
        disableForHistory();
    watchFocusableChildren(this);
    mapCommands();
    loadForm();
    tagname(0)->setFocus();
}

CTrnSettingsView::~CTrnSettingsView() = default;

// ---- building the form ----

void CTrnSettingsView::buildForm()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(buildGraphArea());
    layout->addLayout(buildTraceArea());
    layout->addLayout(buildButtons());
    layout->addStretch(1);
}

QGroupBox *CTrnSettingsView::addBox(QGridLayout *grid, const char *name, const char *title, QRect cells)
{
    // The boxes are frames behind the controls, not their parents: a disabled box
    // greys its caption and leaves the controls in it alone.
    auto *box = new QGroupBox(QString::fromLatin1(title), this);
    box->setObjectName(QString::fromLatin1(name));
    setBold(box);
    grid->addWidget(box, cells.top(), cells.left(), cells.height(), cells.width());
    grid->setColumnMinimumWidth(cells.left(), 10);
    grid->setColumnMinimumWidth(cells.right(), 10);
    return box;
}

QLabel *CTrnSettingsView::addLabel(QGridLayout *grid, const char *name, const char *text, int gridRow, int column)
{
    auto *label = new QLabel(QString::fromLatin1(text), this);
    label->setObjectName(QString::fromLatin1(name));
    grid->addWidget(label, gridRow, column);
    return label;
}

QGridLayout *CTrnSettingsView::boxGrid(int horizontalSpacing, int verticalSpacing, int bottomRow)
{
    // The boxes span the grid from its title row, which makes room for their captions,
    // to bottomRow, a margin under the controls in them.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(horizontalSpacing);
    grid->setVerticalSpacing(verticalSpacing);
    grid->setRowMinimumHeight(kBoxTitleRow, fontMetrics().height() + 4);
    grid->setRowMinimumHeight(bottomRow, 4);
    return grid;
}

QLayout *CTrnSettingsView::buildGraphArea()
{
    QGridLayout *grid = boxGrid(6, 4, kGraphBottomRow);
    addBox(grid, "graphSettings", "Graph Settings", QRect(0, kBoxTitleRow, 7, kGraphBottomRow + 1));
    addBox(grid, "backwardsScrolling", "Backwards Scrolling", QRect(8, kBoxTitleRow, 4, kGraphBottomRow + 1));
    addGraphSettings(grid);
    addHistoryButtons(grid);
    grid->setColumnMinimumWidth(7, 6);
    grid->setColumnStretch(5, 1);
    return grid;
}

void CTrnSettingsView::addGraphSettings(QGridLayout *grid)
{
    auto titleEdit = [&](int id, int gridRow) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::number(id));
        edit->setMinimumWidth(fontMetrics().averageCharWidth() * kTitleMaxChars + 12);
        limitText(edit, kTitleMaxChars);
        grid->addWidget(edit, gridRow, 2, 1, 4);
        return edit;
    };
    setBold(addLabel(grid, "graphTitleLabel", "Graph Title :", kTitleRow, 1));
    m_title = titleEdit(kGraphTitleId, kTitleRow);
    setBold(addLabel(grid, "secondTitleLabel", "Second Title :", kSecondTitleRow, 1));
    m_secondTitle = titleEdit(kSecondTitleId, kSecondTitleRow);

    setBold(addLabel(grid, "graphNumberLabel", "Graph Number :", kNumberRow, 1));
    m_graphNumber = addLabel(grid, "2237", "", kNumberRow, 2);
    setBold(m_graphNumber);
    addLabel(grid, "traceCountLabel", "Number of Traces :", kNumberRow, 3);
    m_traceCount = new QLineEdit(this);
    m_traceCount->setObjectName(QString::number(kTraceCountId));
    m_traceCount->setReadOnly(true);
    m_traceCount->setFocusPolicy(Qt::NoFocus);
    m_traceCount->setAlignment(Qt::AlignRight);
    m_traceCount->setFixedWidth(fontMetrics().averageCharWidth() * 3 + 12);
    auto *count = new QHBoxLayout;
    count->addWidget(m_traceCount);
    count->addSpacing(4);
    auto *of = new QLabel(QStringLiteral("of %1").arg(kRows), this);
    of->setObjectName(QStringLiteral("traceCountOfLabel"));
    count->addWidget(of);
    count->addStretch(1);
    grid->addLayout(count, kNumberRow, 4, 1, 2);
    addSampleTime(grid, kSampleRow, 1);
}

void CTrnSettingsView::addSampleTime(QGridLayout *grid, int gridRow, int column)
{
    addLabel(grid, "sampleTimeLabel", "Sample Time :", gridRow, column);
    m_sampleTime = new QLineEdit(this);
    m_sampleTime->setObjectName(QString::number(kSampleTimeId));
    m_sampleTime->setAlignment(Qt::AlignRight);
    m_sampleTime->setFixedWidth(fontMetrics().averageCharWidth() * 6 + 12);
    m_spin = new UpDownControl(m_sampleTime, this);
    m_spin->setObjectName(QString::number(kSampleSpinId));
    m_spin->setRange(kSpinMin, kSpinMax);
    auto *sample = new QHBoxLayout;
    sample->setSpacing(0);
    sample->addWidget(m_sampleTime);
    sample->addWidget(m_spin);
    sample->addSpacing(6);
    auto *seconds = new QLabel(QStringLiteral("Seconds"), this);
    seconds->setObjectName(QStringLiteral("secondsLabel"));
    sample->addWidget(seconds);
    sample->addStretch(1);
    grid->addLayout(sample, gridRow, column + 1);
}

void CTrnSettingsView::addHistoryButtons(QGridLayout *grid)
{
    // Three buttons in the first column, two in the second: the box is as high as the
    // graph settings beside it.
    for (int button = 0; button < int(m_history.size()); ++button) {
        auto *radio = new QRadioButton(historyCaption(button), this);
        radio->setObjectName(QString::number(kFirstHistoryId + button));
        grid->addWidget(radio, kTitleRow + button % 3, 9 + button / 3);
        m_history[button] = radio;
    }
}

QLayout *CTrnSettingsView::buildTraceArea()
{
    QGridLayout *grid = boxGrid(4, 3, kTraceBottomRow);
    addBox(grid, "traceTagnames", "Trace Tagname", QRect(1, kBoxTitleRow, 4, kTraceBottomRow + 1));
    addBox(grid, "traceScales", "Trace Scale", QRect(5, kBoxTitleRow, 4, kTraceBottomRow + 1));
    addBox(grid, "traceDescriptions", "Trace Description", QRect(9, kBoxTitleRow, 3, kTraceBottomRow + 1));
    for (int row = 0; row < kRows; ++row)
        m_rows[row] = std::make_unique<TraceRow>(row, this, grid, kFirstTraceRow + row);
    addLabel(grid, "zeroLabel", "Zero", kColumnLabelRow, TraceRow::ZeroColumn)->setAlignment(Qt::AlignCenter);
    addLabel(grid, "spanLabel", "Span", kColumnLabelRow, TraceRow::SpanColumn)->setAlignment(Qt::AlignCenter);
    grid->setColumnStretch(TraceRow::DescriptionColumn, 1);
    for (int row = 0; row < kRows; ++row)
        connect(m_rows[row]->tagsButton(), &QPushButton::clicked, this, [this, row] { pickTag(row); });
    return grid;
}

QLayout *CTrnSettingsView::buildButtons()
{
    auto button = [this](int id, const char *text) {
        auto *push = new QPushButton(QString::fromLatin1(text), this);
        push->setObjectName(QString::number(id));
        push->setAutoDefault(false);
        return push;
    };
    m_prev = button(kPrevGraphId, "<< &Prev Graph");
    m_next = button(kNextGraphId, "&Next Graph >>");
    QPushButton *clear = button(kClearGraphId, "&Clear Graph");
    connect(m_prev, &QPushButton::clicked, this, &CTrnSettingsView::previousGraph);
    connect(m_next, &QPushButton::clicked, this, &CTrnSettingsView::nextGraph);
    connect(clear, &QPushButton::clicked, this, &CTrnSettingsView::clearGraph);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_prev);
    buttons->addWidget(m_next);
    buttons->addStretch(1);
    buttons->addWidget(clear);
    return buttons;
}

void CTrnSettingsView::disableForHistory()
{
    // The data file fixes the sample time, the traces and their history.
    QList<QWidget *> fixed{m_sampleTime, m_spin, m_traceCount};
    for (const char *name : {"traceCountLabel", "traceCountOfLabel", "graphSettings", "backwardsScrolling"})
        fixed << findChild<QWidget *>(QString::fromLatin1(name));
    for (QRadioButton *radio : m_history)
        fixed << radio;
    for (QWidget *widget : fixed)
        widget->setEnabled(false);
}

void CTrnSettingsView::mapCommands()
{
    using namespace SetupCommand;
    m_accelerators.on(this, {{kShiftDelete, &CTrnSettingsView::deleteTrace},
                             {kPageDown, &CTrnSettingsView::nextGraph},
                             {kPageUp, &CTrnSettingsView::previousGraph},
                             {kDown, &CTrnSettingsView::lineDown},
                             {kUp, &CTrnSettingsView::lineUp},
                             {kEnter, &CTrnSettingsView::nextField}});
}

// ---- keys and focus ----

bool CTrnSettingsView::eventFilter(QObject *watched, QEvent *event)
{
    // The form's keys go to the form, not to shortcuts of the window around it.
    if (m_accelerators.filter(event))
        return true;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (int row = rowOf(watched); row >= 0)
            m_focusedRow = row;
        break;
    case QEvent::FocusOut: {
        const int row = rowOf(watched);
        if (row >= 0 && watched == tagname(row) && leavesControl(event))
            leaveTagname(row);
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

int CTrnSettingsView::rowOf(const QObject *widget) const { return rowHolding(m_rows, widget); }

int CTrnSettingsView::controlIdOf(const QObject *widget) const { return controlIdIn(m_rows, widget); }

void CTrnSettingsView::focusControl(int id)
{
    const int row = TrendSetupKeys::rowOfControl(id);
    if (row >= 0)
        m_rows[row]->control(id)->setFocus();
}

void CTrnSettingsView::lineUp()
{
    const int target = TrendSetupKeys::upTarget(controlIdOf(focusWidget()));
    if (target >= 0)
        focusControl(target);
}

void CTrnSettingsView::lineDown()
{
    const int target = TrendSetupKeys::downTarget(controlIdOf(focusWidget()), leadingTraceCount(m_tagnames));
    if (target >= 0)
        focusControl(target);
}

void CTrnSettingsView::nextField()
{
    const int target = TrendSetupKeys::enterTarget(controlIdOf(focusWidget()));
    if (target >= 0)
        focusControl(target);
    else
        focusNextPrevChild(true);
}

int CTrnSettingsView::graphIndex() const { return m_document->currentGraphIndex(); }

QLineEdit *CTrnSettingsView::tagname(int row) const { return m_rows[row]->tagname(); }

// ---- the form and the graph ----

void CTrnSettingsView::loadForm()
{
    showGraph(m_document->graph(graphIndex()));
    enableNavigation();
}

void CTrnSettingsView::renameTag(const QString &oldName, const QString &newName)
{
    QScopedValueRollback busy(m_busy, true);
    for (int row = 0; row < TrendSetupRules::kRows; ++row) {
        if (m_tagnames[size_t(row)] == oldName)
            m_tagnames[size_t(row)] = newName;
        if (tagname(row)->text() == oldName)
            tagname(row)->setText(newName);
    }
}

void CTrnSettingsView::showGraph(const TrendGraph &graph)
{
    QScopedValueRollback busy(m_busy, true);
    m_graphNumber->setText(QString::number(graphIndex() + 1));
    m_history[historyButton(graph.historyLength)]->setChecked(true);
    m_sampleTime->setText(numberText(graph.sampleInterval));
    m_spin->setPosition(spinPosition(graph.sampleInterval));
    showLimitedText(m_title, graph.title, kTitleMaxChars);
    showLimitedText(m_secondTitle, graph.secondTitle, kTitleMaxChars);
    showRows(rowTextsOf(graph));
}

TrendSetupRules::RowTexts CTrnSettingsView::rowTexts() const
{
    RowTexts rows;
    for (int row = 0; row < kRows; ++row)
        rows[row] = m_rows[row]->text();
    return rows;
}

void CTrnSettingsView::showRows(const RowTexts &rows)
{
    QScopedValueRollback busy(m_busy, true);
    for (int row = 0; row < kRows; ++row) {
        m_rows[row]->show(rows[row]);
        m_tagnames[row] = rows[row].tagname;
    }
    enableRows();
}

void CTrnSettingsView::enableRows()
{
    QScopedValueRollback busy(m_busy, true);
    const auto enabling = rowEnabling(m_tagnames);
    for (int row = 0; row < kRows; ++row)
        m_rows[row]->setEnabling(enabling[row]);
    m_traceCount->setText(QString::number(namedRowCount(m_tagnames)));
}

void CTrnSettingsView::enableNavigation()
{
    m_prev->setEnabled(graphIndex() > 0);
    m_next->setEnabled(graphIndex() < kLastGraphIndex);
}

bool CTrnSettingsView::readForm(TrendGraph &graph)
{
    // In tab order, so that the first bad field is the one reported.
    TrendGraph read;
    if (!readText(m_title, kTitleMaxChars, read.title) || !readText(m_secondTitle, kTitleMaxChars, read.secondTitle) ||
        !readNumber(m_sampleTime, kMinSampleInterval, kMaxSampleInterval, read.sampleInterval))
        return false;
    for (int button = 0; button < int(m_history.size()); ++button) {
        if (m_history[button]->isChecked())
            read.historyLength = kHistoryLengths[button];
    }
    Tagnames names;
    for (int row = 0; row < kRows; ++row) {
        if (!m_rows[row]->read(read.traces[row]))
            return false;
        names[row] = read.traces[row].tagname;
    }
    read.traceCount = leadingTraceCount(names);
    graph = read;
    return true;
}

bool CTrnSettingsView::storeForm()
{
    settleTagnames();
    TrendGraph graph;
    if (!readForm(graph))
        return false;
    m_document->graph(graphIndex()) = graph;
    return true;
}

bool CTrnSettingsView::commitAndValidate()
{
    const int row = m_focusedRow;
    if (row >= 0 && tagname(row)->text() != m_tagnames[row]) {
        if (row == 0 && m_tagnames[0].isEmpty()) {
            settleFirstTagnameQuietly();
        } else {
            // Leaving the edit is what settles a typed tagname.
            {
                QScopedValueRollback busy(m_busy, true);
                tagname(row > 0 ? row - 1 : 1)->setFocus();
            }
            leaveTagname(row);
        }
    }
    return storeForm();
}

void CTrnSettingsView::settleFirstTagnameQuietly()
{
    // The second row's tagname is closed while the graph has no traces, so the focus
    // cannot leave for it: the name is looked up here, and one the tag list lacks goes.
    QScopedValueRollback busy(m_busy, true);
    const QString text = tagname(0)->text();
    if (const auto tag = TrendTagLookup::findTag(m_document->tags(), text)) {
        acceptTagname(0, text, tag->description);
        enableRows();
    } else {
        tagname(0)->clear();
    }
}

void CTrnSettingsView::previousGraph() { stepGraph(-1); }

void CTrnSettingsView::nextGraph() { stepGraph(+1); }

void CTrnSettingsView::stepGraph(int step)
{
    if (!storeForm())
        return;
    const auto next = graphAfterStep(graphIndex(), step);
    if (!next) {
        ViewBeep::beep();
        return;
    }
    m_document->setCurrentGraphIndex(*next);
    loadForm();
    QScopedValueRollback busy(m_busy, true);
    tagname(0)->setFocus();
}

void CTrnSettingsView::clearGraph()
{
    if (!Messages::askYesNo(QStringLiteral("Clear Content of Graph?"), QString::fromLatin1(kTitleWarning)))
        return;
    showGraph(clearedGraph(graphIndex() + 1));
    storeForm();
    QScopedValueRollback busy(m_busy, true);
    tagname(0)->setFocus();
}

// ---- traces ----

void CTrnSettingsView::deleteTrace()
{
    const int row = m_focusedRow;
    if (row < 0 ||
        !Messages::askYesNo(QStringLiteral("Are you sure you want to delete this trace ?"), QStringLiteral("Question")))
        return;
    removeTrace(row);
    QScopedValueRollback busy(m_busy, true);
    if (!focusWidget() || !focusWidget()->isEnabled() || rowOf(focusWidget()) < 0)
        tagname(row)->setFocus();
}

void CTrnSettingsView::removeTrace(int row)
{
    QScopedValueRollback busy(m_busy, true);
    RowTexts rows = rowTexts();
    closeUpRows(rows, row);
    showRows(rows);
    storeForm();
}

void CTrnSettingsView::pickTag(int row)
{
    TrendGraph valid;
    if (!readForm(valid))
        return;
    const auto picked = CTagListDialog::pick(m_document, this);
    if (!picked)
        return;
    QScopedValueRollback busy(m_busy, true);
    acceptTagname(row, picked->tagname, picked->description);
    storeForm();
    enableRows();
    tagname(row)->setFocus();
}

void CTrnSettingsView::acceptTagname(int row, const QString &name, const QString &tagDescription)
{
    showLimitedText(tagname(row), name, kTagnameMaxChars);
    showLimitedText(m_rows[row]->description(), TrendTagLookup::traceDescription(tagDescription), kDescriptionMaxChars);
    m_tagnames[row] = name;
}

// ---- tagname entry ----

void CTrnSettingsView::leaveTagname(int row)
{
    if (m_busy)
        return;
    QScopedValueRollback busy(m_busy, true);
    const QString stored = m_tagnames[row];
    const QString text = tagname(row)->text();
    if (text == stored)
        return;
    if (text.isEmpty())
        removeTrace(row);
    else if (!stored.isEmpty())
        renameTrace(row, stored, text);
    else
        addTrace(row, text);
}

void CTrnSettingsView::settleTagnames()
{
    // Inside the rule itself (or while the form reshows fields) nothing is settled
    // again: each typed name is checked, and asked about, once.
    if (m_busy)
        return;
    for (int row = 0; row < kRows; ++row) {
        if (tagname(row)->text() != m_tagnames[row])
            leaveTagname(row);
    }
}

void CTrnSettingsView::renameTrace(int row, const QString &stored, const QString &text)
{
    if (const auto tag = TrendTagLookup::findTag(m_document->tags(), text)) {
        acceptTagname(row, text, tag->description);
        return;
    }
    tagMissing("Tag Does Not Exist in Tag List!\nTag Restore to Original Name.");
    showLimitedText(tagname(row), stored, kTagnameMaxChars);
    tagname(row)->setFocus();
}

void CTrnSettingsView::addTrace(int row, const QString &text)
{
    if (const auto tag = TrendTagLookup::findTag(m_document->tags(), text)) {
        acceptTagname(row, text, tag->description);
        enableRows();
        m_rows[row]->zero()->setFocus();
        return;
    }
    tagMissing("Tag Does Not Exist in Tag List!\nSelect Tag From List.");
    if (const auto picked = CTagListDialog::pick(m_document, this)) {
        acceptTagname(row, picked->tagname, picked->description);
        enableRows();
    } else {
        tagname(row)->clear();
    }
    tagname(row)->setFocus();
}

// ---- printing ----

void CTrnSettingsView::print(QPrinter *printer)
{
    if (storeForm())
        TrendSetupPrinter(*m_document, m_document->title(), m_historical).print(printer);
}

}  // namespace tk70
