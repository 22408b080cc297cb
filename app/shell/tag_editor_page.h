// The tag editor as the application uses it: the view of the current document in its
// child window, and the page operations the program needs before saving, switching
// windows or starting a collection.
#pragma once

#include <QObject>
#include <QWidget>

namespace tk70 {

class CTagDoc;
class CTagView;
class PrintSetup;

class TagEditorPage : public QObject {
    Q_OBJECT

public:
    TagEditorPage(CTagDoc &document, QWidget *parent);
    QWidget *widget() const;
    // Reads and checks the page; false (after the field's message) when a field is invalid.
    bool validate();
    // Copies the page into the document.
    void commit();
    void insertTag();
    // The tag list on the program's printer: through the print dialog, or previewed.
    void print(PrintSetup &setup);
    void printPreview(PrintSetup &setup);

signals:
    void collectionSettingsRequested();
    void trendSetupRequested();

private:
    QWidget *m_frame;  // the view in a scroll area, so the window can be smaller than the form
    CTagView *m_view;
};

}  // namespace tk70
