// CTxtView, the "Data Collection Output" window: a chart page view showing the current
// values text page of a tag selection document, refreshed once a second from the driver
// client's readings while data collection runs.  Printing turns every cell white and
// brings the state colours back afterwards.
#pragma once

#include "chart/view/qc_page_view.h"
#include "collect/current_values/text_page.h"
#include "collect/datafile/group_output.h"

#include <QString>
#include <QTimer>
#include <memory>

namespace tk70 {

class CTagDoc;

class CTxtView : public QCPageView {
    Q_OBJECT

public:
    static constexpr int kRefreshIntervalMs = 1000;

    // Builds the text page for document over readings and starts the refresh timer; a
    // view of a historical document builds nothing.
    CTxtView(CTagDoc &document, const PointReadings &readings, bool historical = false, QWidget *parent = nullptr);
    ~CTxtView() override;

    // One refresh now (what the timer does), then the repaint of what changed.
    void refresh();
    // Palette index and value text of a cell of the current page (kNoColour and an empty
    // text without a page).
    int cellColour(int cell) const;
    QString cellValueText(int cell) const;
    // The text page; null for a historical document.
    TextPage *textPage() { return m_textPage.get(); }
    bool isRefreshing() const { return m_timer.isActive(); }

    // A reversed export shows the cells in their print colour, as paper does.
    void beginExport(bool reverse) override;
    void endExport() override;

protected:
    void beforePrinting() override;
    void afterPrinting() override;

private:
    std::unique_ptr<TextPage> m_textPage;
    QTimer m_timer;
};

}  // namespace tk70
