// The trend setup as the application uses it: the form of the current document's trend
// graphs in its child window, with the page operations of a setup window.
#pragma once

#include "app/view/shell/setup_page.h"

namespace tk70 {

class CTagDoc;
class CTrnSettingsView;

class TrendSetupPage : public SetupPage {
    Q_OBJECT

public:
    // historical: the form of a historical document, with what the data file fixes disabled.
    TrendSetupPage(CTagDoc &document, bool historical);
    QWidget *widget() const override;
    bool validate() override;
    void commit() override;
    void paint(QPrinter *printer) override;
    // The form follows a tag renamed in the tag editor.
    void renameTag(const QString &oldName, const QString &newName);

private:
    QWidget *m_frame;  // the view in a scroll area
    CTrnSettingsView *m_view;
};

}  // namespace tk70
