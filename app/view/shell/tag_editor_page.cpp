// The tag editor as the application uses it: see tag_editor_page.h.
#include "app/view/shell/tag_editor_page.h"

#include "app/view/shell/scroll_frame.h"
#include "tags/view/tag_view.h"

namespace tk70 {

TagEditorPage::TagEditorPage(CTagDoc &document)
{
    m_view = new CTagView(&document);
    m_frame = scrollFrame(m_view);
    connect(m_view, &CTagView::collectionSettingsRequested, this, &TagEditorPage::collectionSettingsRequested);
    connect(m_view, &CTagView::trendSetupRequested, this, &TagEditorPage::trendSetupRequested);
    connect(m_view, &CTagView::tagRenamed, this, &TagEditorPage::tagRenamed);
}

QWidget *TagEditorPage::widget() const { return m_frame; }
bool TagEditorPage::validate() { return m_view->validatePage(); }
void TagEditorPage::commit() { m_view->commitPage(); }
void TagEditorPage::paint(QPrinter *printer) { m_view->print(printer); }
void TagEditorPage::insertTag() { m_view->insertTag(); }

}  // namespace tk70
