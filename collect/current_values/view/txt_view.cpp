// The current values window.
#include "collect/current_values/view/txt_view.h"

#include "collect/current_values/page_texts.h"
#include "tags/tag_doc.h"

#include <QDateTime>

namespace tk70 {

CTxtView::CTxtView(CTagDoc &document, const PointReadings &readings, bool historical, QWidget *parent)
    : QCPageView(parent)
{
    setWindowTitle(QString::fromLatin1(kCurrentValuesTitle));
    if (historical)
        return;
    m_textPage = std::make_unique<TextPage>(page(), document, readings, QDateTime::currentDateTime());
    connect(&m_timer, &QTimer::timeout, this, &CTxtView::refresh);
    m_timer.start(kRefreshIntervalMs);
}

CTxtView::~CTxtView() { m_timer.stop(); }

void CTxtView::refresh()
{
    if (m_textPage)
        m_textPage->refresh(QDateTime::currentDateTime());
}

int CTxtView::cellColour(int cell) const { return m_textPage ? m_textPage->cellColour(cell) : kNoColour; }

QString CTxtView::cellValueText(int cell) const { return m_textPage ? m_textPage->cellValueText(cell) : QString(); }

void CTxtView::beforePrinting()
{
    if (m_textPage)
        m_textPage->setPrinting(true);
}

void CTxtView::beginExport(bool reverse)
{
    if (reverse)
        beforePrinting();
}

void CTxtView::endExport() { afterPrinting(); }

void CTxtView::afterPrinting()
{
    if (m_textPage)
        m_textPage->setPrinting(false);
}

}  // namespace tk70
