// The trend setup as the application uses it: see trend_setup_page.h.
#include "app/view/shell/trend_setup_page.h"

#include "app/view/shell/scroll_frame.h"
#include "trend/setup/view/trn_settings_view.h"

namespace tk70 {

TrendSetupPage::TrendSetupPage(CTagDoc &document, bool historical)
{
    m_view = new CTrnSettingsView(&document, historical);
    m_frame = scrollFrame(m_view);
}

QWidget *TrendSetupPage::widget() const { return m_frame; }
bool TrendSetupPage::validate() { return m_view->commitAndValidate(); }
void TrendSetupPage::commit() { m_view->storeForm(); }
void TrendSetupPage::paint(QPrinter *printer) { m_view->print(printer); }
void TrendSetupPage::renameTag(const QString &oldName, const QString &newName) { m_view->renameTag(oldName, newName); }

}  // namespace tk70
