// The current values text page: building it, refreshing it, paging and selection.
#include "collect/current_values/text_page.h"

#include "collect/current_values/cell_colour.h"
#include "collect/current_values/page_texts.h"
#include "collect/current_values/paging.h"
#include "tags/tag_doc.h"

namespace tk70 {
namespace {

constexpr int kRuleColour = 0;
constexpr int kButtonColour = 7;
constexpr int kSelectedButtonColour = 8;
ChartTextStyle textStyle(double pointSize, Qt::Alignment alignment, bool bold = false, double maxWidth = 0.0)
{
    ChartTextStyle style;
    style.pointSize = pointSize;
    style.alignment = alignment;
    style.bold = bold;
    style.maxWidth = maxWidth;
    return style;
}

}  // namespace

TextPage::TextPage(ChartPage &page, const CTagDoc &document, const PointReadings &readings, const QDateTime &now)
    : m_page(page), m_document(document), m_readings(readings), m_tagCount(document.tagCount()),
      m_trend(page, now.time())
{
    buildHeading(now);
    buildGrid();
    for (int index = 0; index < kCellsPerPage; ++index)
        buildCell(index);
    buildPageButtons();
    showPage(0);
}

void TextPage::buildHeading(const QDateTime &now)
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    m_page.addText(titlePosition(), QString::fromLatin1(kCurrentValuesTitle),
                   textStyle(12.0, Qt::AlignHCenter | Qt::AlignVCenter, true));
    m_pageText = m_page.addText(pageTextPosition(), pageText(0, pageCount(m_tagCount)), textStyle(10.0, left));
    m_date = m_page.addText(datePosition(), dateText(now.date()), textStyle(10.0, left));
}

void TextPage::buildGrid()
{
    for (int k = 0; k < kVerticalRules; ++k)
        m_page.addLine(verticalRule(k).p1, verticalRule(k).p2, kRuleColour);
    for (int k = 0; k < kHorizontalRules; ++k)
        m_page.addLine(horizontalRule(k).p1, horizontalRule(k).p2, kRuleColour);
}

void TextPage::buildCell(int index)
{
    const CellGeometry geometry = cellGeometry(index);
    Cell &cell = m_cells[size_t(index)];
    cell.button = m_page.addButton(geometry.button, QString(), kButtonColour, [this, index] { clickCell(index); });
    cell.name = m_page.addText(geometry.name, QString(),
                               textStyle(9.0, Qt::AlignLeft | Qt::AlignVCenter, false, geometry.nameWidth));
    cell.field = m_page.addRect(geometry.value, stateColour(cell.reading), kRuleColour);
    cell.shownColour = stateColour(cell.reading);
    const QPointF valueAnchor(geometry.value.right() - kCellTextMargin, geometry.value.center().y());
    cell.value = m_page.addText(valueAnchor, valueText(0.0),
                                textStyle(8.0, Qt::AlignRight | Qt::AlignVCenter, false, geometry.valueWidth));
}

void TextPage::buildPageButtons()
{
    const ChartTextStyle caption = textStyle(9.0, Qt::AlignCenter);
    m_prevButton = m_page.addButton(
        prevPageButtonRect(), QString::fromLatin1(kPrevPageCaption), kButtonColour, [this] { prevPage(); }, caption);
    m_nextButton = m_page.addButton(
        nextPageButtonRect(), QString::fromLatin1(kNextPageCaption), kButtonColour, [this] { nextPage(); }, caption);
}

// Shows page p: its number, its tags' names and readings, the page buttons that apply,
// and cell 0 selected.
void TextPage::showPage(int page)
{
    m_pageIndex = page;
    m_page.setText(m_pageText, pageText(page, pageCount(m_tagCount)));
    for (int index = 0; index < kCellsPerPage; ++index)
        labelCell(index);
    m_page.setVisible(m_prevButton, prevPageShown(page, m_tagCount));
    m_page.setVisible(m_nextButton, nextPageShown(page, m_tagCount));
    updateCells();
    selectCell(0);
}

void TextPage::labelCell(int index)
{
    const Cell &cell = m_cells[size_t(index)];
    const bool shown = index < cellsInUse(m_pageIndex, m_tagCount);
    m_page.setText(cell.name, shown ? m_document.tag(firstPosition(m_pageIndex) + index).tagname : QString());
    for (const ChartHandle handle : {cell.button, cell.name, cell.field, cell.value})
        m_page.setVisible(handle, shown);
}

// Reads the tags of the visible page; the cells beyond the tag count hold 0.
void TextPage::updateCells()
{
    const int first = firstPosition(m_pageIndex);
    const int inUse = cellsInUse(m_pageIndex, m_tagCount);
    for (int index = 0; index < kCellsPerPage; ++index) {
        Cell &cell = m_cells[size_t(index)];
        if (index < inUse)
            showReading(cell, m_readings.reading(first + index));
        else
            cell.reading = PointReading{};
    }
}

void TextPage::showReading(Cell &cell, const PointReading &reading)
{
    cell.reading = reading;
    paintCell(cell);
    const QString text = valueText(reading.value);
    if (text != m_page.text(cell.value))
        m_page.setText(cell.value, text);
}

// Gives the cell the colour of its state (white while printing) unless it has it.
void TextPage::paintCell(Cell &cell)
{
    const int colour = stateColour(cell.reading, m_printing);
    if (colour == cell.shownColour)
        return;
    cell.shownColour = colour;
    m_page.setColour(cell.field, colour);
}

void TextPage::refresh(const QDateTime &now)
{
    updateCells();
    if (m_trend.add(m_cells[size_t(m_selected)].reading.value, now.time()))
        m_page.setText(m_date, dateText(now.date()));
}

void TextPage::setPrinting(bool printing)
{
    m_printing = printing;
    for (Cell &cell : m_cells)
        paintCell(cell);
}

void TextPage::clickCell(int cell)
{
    if (cell == m_selected)
        m_trend.clickSelected();
    else
        selectCell(cell);
}

void TextPage::selectCell(int cell)
{
    m_page.setColour(m_cells[size_t(m_selected)].button, kButtonColour);
    m_selected = cell;
    m_page.setColour(m_cells[size_t(cell)].button, kSelectedButtonColour);
    const int position = firstPosition(m_pageIndex) + cell;
    const QString title = position < m_tagCount ? trendTitle(m_document.tag(position)) : QString();
    m_trend.restart(title, m_cells[size_t(cell)].reading.value);
}

void TextPage::nextPage()
{
    if (m_pageIndex + 1 < pageCount(m_tagCount))
        showPage(m_pageIndex + 1);
}

void TextPage::prevPage()
{
    if (m_pageIndex > 0)
        showPage(m_pageIndex - 1);
}

int TextPage::cellColour(int cell) const { return m_page.colour(m_cells[size_t(cell)].field); }

QString TextPage::cellValueText(int cell) const { return m_page.text(m_cells[size_t(cell)].value); }

bool TextPage::isCellShown(int cell) const { return m_page.isVisible(m_cells[size_t(cell)].field); }

ChartHandle TextPage::cellButton(int cell) const { return m_cells[size_t(cell)].button; }

ChartHandle TextPage::cellField(int cell) const { return m_cells[size_t(cell)].field; }

ChartHandle TextPage::cellName(int cell) const { return m_cells[size_t(cell)].name; }

ChartHandle TextPage::cellValue(int cell) const { return m_cells[size_t(cell)].value; }

QString TextPage::pageLine() const { return m_page.text(m_pageText); }

QString TextPage::dateLine() const { return m_page.text(m_date); }

}  // namespace tk70
