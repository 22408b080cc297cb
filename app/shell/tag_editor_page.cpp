// The tag editor as the application uses it: see tag_editor_page.h.  (A plain page until
// the editor form is in place.)
#include "tag_editor_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tk70 {

TagEditorPage::TagEditorPage(CTagDoc &, QWidget *parent) : m_view(new QWidget(parent))
{
    m_view->setWindowTitle(QStringLiteral("Tag Selection"));
    auto *layout = new QVBoxLayout(m_view);
    layout->addWidget(new QLabel(QStringLiteral("Tag Selection"), m_view));
}

bool TagEditorPage::validate() { return true; }
void TagEditorPage::commit() {}
void TagEditorPage::insertTag() {}
void TagEditorPage::print() {}
void TagEditorPage::printPreview() {}

}  // namespace tk70
