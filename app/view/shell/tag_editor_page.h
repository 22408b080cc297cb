// The tag editor as the application uses it: the view of the current document in its
// child window, and the page operations the program needs before saving, switching
// windows or starting a collection.
#pragma once

#include "app/view/shell/setup_page.h"

namespace tk70 {

class CTagDoc;
class CTagView;

class TagEditorPage : public SetupPage {
    Q_OBJECT

public:
    explicit TagEditorPage(CTagDoc &document);
    QWidget *widget() const override;
    bool validate() override;
    void commit() override;
    void paint(QPrinter *printer) override;
    void insertTag();

signals:
    void collectionSettingsRequested();
    void trendSetupRequested();
    // A tag in trend use was renamed together with its traces.
    void tagRenamed(const QString &oldName, const QString &newName);

private:
    QWidget *m_frame;  // the view in a scroll area
    CTagView *m_view;
};

}  // namespace tk70
