// The tag editor as the application uses it: see tag_editor_page.h.
#include "tag_editor_page.h"

#include "print_setup.h"
#include "view/tag_view.h"

#include <QScrollArea>

namespace tk70 {

TagEditorPage::TagEditorPage(CTagDoc &document, QWidget *parent)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_view = new CTagView(&document, scroll);
    scroll->setWidget(m_view);
    m_frame = scroll;
    connect(m_view, &CTagView::collectionSettingsRequested, this, &TagEditorPage::collectionSettingsRequested);
    connect(m_view, &CTagView::trendSetupRequested, this, &TagEditorPage::trendSetupRequested);
}

QWidget *TagEditorPage::widget() const { return m_frame; }
bool TagEditorPage::validate() { return m_view->validatePage(); }
void TagEditorPage::commit() { m_view->commitPage(); }
void TagEditorPage::insertTag() { m_view->insertTag(); }
void TagEditorPage::print(PrintSetup &setup)
{
    setup.print(m_view, [this](QPrinter *printer) { m_view->print(printer); });
}

void TagEditorPage::printPreview(PrintSetup &setup)
{
    setup.preview(m_view, [this](QPrinter *printer) { m_view->print(printer); });
}

}  // namespace tk70
