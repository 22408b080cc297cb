// CTagView, the tag editor: ten rows of the document's 30 tag slots at a time, with
// paging, line scrolling, insert, delete, rename and find, the checks that keep tags
// used by trend graphs, page validation for the commands that need the tags, and the
// printed tag list.  The rules themselves are in tag_editor_rules.h; the form exchanges
// its fields and applies them.
#pragma once

#include "platform/view/setup_accelerators.h"
#include "tags/tag_editor_rules.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class QGridLayout;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace tk70 {

class CTagDoc;
class CFindTagDialog;
class TagRow;

class CTagView : public QWidget {
    Q_OBJECT
public:
    explicit CTagView(CTagDoc *document, QWidget *parent = nullptr);
    ~CTagView() override;

    CTagDoc *document() const { return m_document; }
    int pageOffset() const { return m_offset; }
    bool isInsertPending() const { return m_insertPending; }

    // Finishes a pending insert, settles a tagname being edited, and reads the page with
    // the field rules: false (after the message, focus on the field) when a field is bad.
    bool validatePage();
    // Reads the page with the field rules, copies the ten rows into their slots and
    // recounts; false, with the document untouched, when a field is bad.
    bool commitPage();
    // Shows the document again from the current offset (after a change elsewhere).
    void refreshRows();

    // Paints the tag list on printer.
    void print(QPrinter *printer);

public slots:
    void pageDown();
    void pageUp();
    void lineDown();
    void lineUp();
    void lastPage();
    void firstPage();
    void insertTag();
    void deleteTag();
    void nextField();
    void finishPendingInsert();
    void findTag();

signals:
    void collectionSettingsRequested();
    void trendSetupRequested();
    // A tag in trend use was renamed together with its traces.
    void tagRenamed(const QString &oldName, const QString &newName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    void addGroupBoxes(QGridLayout *grid);
    void addButtons(QGridLayout *grid);
    // What the editor does for each command of the setup windows' accelerators.
    void mapCommands();

    void fillRow(int row, int slot);
    void clearRow(int row);
    bool readPage(std::array<TagRecord, TagEditorRules::kRows> &page);
    void showPageAt(int offset);
    bool deleteSlotAndShow(int slot);
    // The rule for leaving the tagname edit of row; false when a commit it made failed.
    bool leaveTagname(int row);
    // Runs that rule for every tagname edit whose text differs from its slot's name (a
    // name typed but not yet left), so that no commit takes a name past the trend-use
    // checks; false when a commit it made failed.
    bool settleEditedTagnames();
    bool isTagnameEdited(int row) const;
    bool resolveTagnameChange(int row);
    bool applyTagnameOutcome(int row);
    void showFound(int slot);
    void focusControl(int id);

    // Which row a widget belongs to, its control id, and the row with the focus; -1 when none.
    int rowOf(const QObject *widget) const;
    int controlIdOf(const QObject *widget) const;
    int focusedRow() const;
    QLineEdit *tagname(int row) const;

    CTagDoc *m_document;
    SetupAccelerators m_accelerators;
    std::array<std::unique_ptr<TagRow>, TagEditorRules::kRows> m_rows;
    int m_offset = 0;
    bool m_insertPending = false;
    // The row of the pending insert; it keeps showing the inserted slot, since every
    // movement of the page finishes the insert first.
    int m_insertRow = -1;
    // Set while the view moves the focus or reshows rows itself, so that the focus
    // events this causes do not run the tagname and insert rules again.
    bool m_busy = false;
    QPointer<CFindTagDialog> m_findDialog;
};

}  // namespace tk70
