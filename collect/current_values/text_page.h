// The text page of the current values display, built on a chart page: the title, the
// page and date texts, the grid of 64 cells (selector button, tag name, value field
// coloured by the point's state), the page buttons, and the running trend of the
// selected tag.  Each refresh reads the tags of the visible page, recolours the cells
// whose state colour changed, shows the values and feeds the selected one to the trend.
#pragma once

#include "chart/chart_page.h"
#include "collect/current_values/page_geometry.h"
#include "collect/current_values/trend_band.h"
#include "collect/datafile/group_output.h"

#include <QDateTime>
#include <QString>
#include <array>

namespace tk70 {

class CTagDoc;

class TextPage {
public:
    // Builds the page for the tags the document holds now, read from readings; the date
    // text shows now.  Cell 0 is selected.
    TextPage(ChartPage &page, const CTagDoc &document, const PointReadings &readings, const QDateTime &now);
    TextPage(const TextPage &) = delete;
    TextPage &operator=(const TextPage &) = delete;

    // One refresh at now (the once-a-second update).
    void refresh(const QDateTime &now);
    // While printing every cell is white; afterwards the state colours come back.
    void setPrinting(bool printing);
    // What the cell's button does: selects the cell, or rescales the trend when it is
    // selected already.
    void clickCell(int cell);
    void nextPage();
    void prevPage();

    int tagCount() const { return m_tagCount; }
    int currentPage() const { return m_pageIndex; }
    int selectedCell() const { return m_selected; }
    // Palette index, value text and visibility of a cell of the current page.
    int cellColour(int cell) const;
    QString cellValueText(int cell) const;
    bool isCellShown(int cell) const;
    ChartHandle cellButton(int cell) const;
    ChartHandle cellField(int cell) const;
    ChartHandle cellName(int cell) const;
    ChartHandle cellValue(int cell) const;
    ChartHandle nextPageButton() const { return m_nextButton; }
    ChartHandle prevPageButton() const { return m_prevButton; }
    QString pageLine() const;
    QString dateLine() const;
    const TrendBand &trend() const { return m_trend; }

private:
    struct Cell {
        ChartHandle button = kNoChartHandle;
        ChartHandle name = kNoChartHandle;
        ChartHandle field = kNoChartHandle;  // the coloured value field
        ChartHandle value = kNoChartHandle;  // the value text in it
        int shownColour = -1;
        PointReading reading;
    };

    void buildHeading(const QDateTime &now);
    void buildGrid();
    void buildCell(int index);
    void buildPageButtons();
    void showPage(int page);
    void labelCell(int index);
    void updateCells();
    void showReading(Cell &cell, const PointReading &reading);
    void paintCell(Cell &cell);
    void selectCell(int cell);

    ChartPage &m_page;
    const CTagDoc &m_document;
    const PointReadings &m_readings;
    int m_tagCount = 0;
    int m_pageIndex = 0;
    int m_selected = 0;
    bool m_printing = false;
    ChartHandle m_pageText = kNoChartHandle;
    ChartHandle m_date = kNoChartHandle;
    ChartHandle m_nextButton = kNoChartHandle;
    ChartHandle m_prevButton = kNoChartHandle;
    std::array<Cell, kCellsPerPage> m_cells;
    TrendBand m_trend;
};

}  // namespace tk70
