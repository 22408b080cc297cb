// The tag editor as the application uses it: see tag_editor_page.h.
#include "tag_editor_page.h"

#include "view/tag_view.h"

namespace tk70 {

TagEditorPage::TagEditorPage(CTagDoc &document, QWidget *parent) : m_view(new CTagView(&document, parent))
{
    m_view->setWindowTitle(QStringLiteral("Tag Selection"));
    connect(m_view, &CTagView::collectionSettingsRequested, this, &TagEditorPage::collectionSettingsRequested);
    connect(m_view, &CTagView::trendSetupRequested, this, &TagEditorPage::trendSetupRequested);
}

QWidget *TagEditorPage::widget() const { return m_view; }
bool TagEditorPage::validate() { return m_view->validatePage(); }
void TagEditorPage::commit() { m_view->commitPage(); }
void TagEditorPage::insertTag() { m_view->insertTag(); }
void TagEditorPage::print() { m_view->printWithDialog(); }
void TagEditorPage::printPreview() { m_view->printPreview(); }

}  // namespace tk70
