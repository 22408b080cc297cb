// The "Tag List" dialog: the document's tags in a sorted report list (Tag, Description,
// Address) from which the user picks one for a trend trace.  "&OK" stays disabled until
// a row has the focus; a double-click on a row picks it.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QPushButton;
class QTreeWidget;

namespace tk70 {

class CTagDoc;

// The tag picked: its name and the description that goes with it.
struct PickedTag {
    QString tagname;
    QString description;
};

class CTagListDialog : public QDialog {
    Q_OBJECT
public:
    // document may be null: the list then stays empty.
    explicit CTagListDialog(const CTagDoc *document, QWidget *parent = nullptr);

    // Shows the dialog (after "No Tag Selection Loaded." when there is no document) and
    // returns the tag picked, or nothing on Cancel or when no row was chosen.
    static std::optional<PickedTag> pick(const CTagDoc *document, QWidget *parent);

    // The tagname of the row that last had the focus; empty before any.
    const QString &choice() const { return m_choice; }
    PickedTag picked() const;

private:
    void buildControls();
    void fillList();
    void chooseRow();

    const CTagDoc *m_document;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_choice;
};

}  // namespace tk70
