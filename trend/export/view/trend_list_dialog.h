// The "Trend List" dialog: the open trend graph windows, one row each in graph order
// ("Number" as "%2d", "Graph Title" from the document), from which the user picks the
// graph to bring forward.  "&OK" is enabled only while a row is selected; a double click
// on a row picks it and closes.  Without a document there is nothing to list: opening it
// shows "No Tag Selection Loaded." and it closes at once.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace tk70 {

class CTagDoc;

class CTrendListDialog : public QDialog {
    Q_OBJECT
public:
    // graphIndexes: the graphs (0 to 9) with an open window; listed in graph order, each
    // once.  document may be null.
    CTrendListDialog(const CTagDoc *document, std::vector<int> graphIndexes, QWidget *parent = nullptr);

    // Shows the dialog and returns the graph index picked; nothing on Cancel or without
    // a document.
    static std::optional<int> choose(const CTagDoc *document, const std::vector<int> &graphIndexes, QWidget *parent);

    // Without a document: the message, then Rejected without showing the dialog.
    int exec() override;

    // The graph index of the selected row, or -1 before any.
    int choice() const { return m_choice; }

private:
    void buildControls();
    void fillList(std::vector<int> graphIndexes);
    void selectionChanged();

    const CTagDoc *m_document;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_ok = nullptr;
    int m_choice = -1;
};

}  // namespace tk70
