// CTrnSettingsView, the trend setup: the form on which the ten trend graphs of a
// document are defined, one graph at a time: titles, sample interval, backwards
// scrolling length and twelve traces (tagname, zero, span, description).  Tagnames are
// checked against the tag list as they are left, traces are deleted with the rows
// closing up, graphs are stepped through and cleared, and the form validates and
// stores itself for the commands that need the graphs.  The rules are in
// trend_setup_rules.h and its companions; the form exchanges its fields and applies them.
//
// A historical document's form keeps what the data file fixes (sample time, trace
// count, backwards scrolling) disabled.  The form takes the document by pointer and
// never outlives it.
#pragma once

#include "platform/view/setup_accelerators.h"
#include "trend/setup/trend_setup_rules.h"

#include <QWidget>
#include <array>
#include <memory>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace tk70 {

class CTagDoc;
class TraceRow;
class UpDownControl;

class CTrnSettingsView : public QWidget {
    Q_OBJECT
public:
    explicit CTrnSettingsView(CTagDoc *document, bool historical = false, QWidget *parent = nullptr);
    ~CTrnSettingsView() override;

    CTagDoc *document() const { return m_document; }
    bool isHistorical() const { return m_historical; }

    // Settles a tagname being typed in the focused row, then validates and stores the
    // form: true when the form is valid (and stored).
    bool commitAndValidate();
    // Validates the form and stores it into the current graph; false, after the
    // message and with the focus on the bad field, when a field is bad.
    bool storeForm();
    // Shows the current graph again.
    void loadForm();
    // A tag of the list was renamed together with the traces that draw it: the rows of
    // the form showing the old name take the new one, and edits not yet stored stay.
    void renameTag(const QString &oldName, const QString &newName);
    // Stores the form, then prints one page per graph with a first trace.
    void print(QPrinter *printer);

public slots:
    void previousGraph();
    void nextGraph();
    void clearGraph();
    // Deletes the trace of the focused row after asking.
    void deleteTrace();
    // The Tags button of row: picks the row's tag from the tag list.
    void pickTag(int row);
    void lineUp();
    void lineDown();
    void nextField();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    QLayout *buildGraphArea();
    void addGraphSettings(QGridLayout *grid);
    void addSampleTime(QGridLayout *grid, int gridRow, int column);
    void addHistoryButtons(QGridLayout *grid);
    QLayout *buildTraceArea();
    QLayout *buildButtons();
    QGridLayout *boxGrid(int horizontalSpacing, int verticalSpacing, int bottomRow);
    QGroupBox *addBox(QGridLayout *grid, const char *name, const char *title, QRect cells);
    QLabel *addLabel(QGridLayout *grid, const char *name, const char *text, int gridRow, int column);
    void disableForHistory();
    // What the form does for the commands of the setup windows' accelerators it handles.
    void mapCommands();

    // The form and the graph.
    void showGraph(const TrendGraph &graph);
    bool readForm(TrendGraph &graph);
    TrendSetupRules::RowTexts rowTexts() const;
    void showRows(const TrendSetupRules::RowTexts &rows);
    void enableRows();
    void enableNavigation();
    void stepGraph(int step);

    // Tagname entry: the rule for leaving the tagname edit of row, and its cases.
    void leaveTagname(int row);
    void settleTagnames();
    void settleFirstTagnameQuietly();
    void removeTrace(int row);
    void renameTrace(int row, const QString &stored, const QString &text);
    void addTrace(int row, const QString &text);
    void acceptTagname(int row, const QString &tagname, const QString &tagDescription);

    int rowOf(const QObject *widget) const;
    int controlIdOf(const QObject *widget) const;
    void focusControl(int id);
    int graphIndex() const;
    QLineEdit *tagname(int row) const;

    CTagDoc *m_document;
    bool m_historical;
    SetupAccelerators m_accelerators;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_secondTitle = nullptr;
    QLabel *m_graphNumber = nullptr;
    QLineEdit *m_traceCount = nullptr;
    QLineEdit *m_sampleTime = nullptr;
    UpDownControl *m_spin = nullptr;
    std::array<QRadioButton *, TrendSetupRules::kHistoryLengths.size()> m_history{};
    std::array<std::unique_ptr<TraceRow>, TrendSetupRules::kRows> m_rows;
    QPushButton *m_prev = nullptr;
    QPushButton *m_next = nullptr;
    // The tagname each row holds for the form: the one last shown or accepted.  An edit
    // whose text differs is being typed and is settled by the tagname entry rule.
    TrendSetupRules::Tagnames m_tagnames;
    // The row whose field last had the focus; -1 before any.
    int m_focusedRow = -1;
    // Set while the form moves the focus or reshows fields itself, so that the focus
    // events this causes do not run the tagname rule again.
    bool m_busy = false;
};

}  // namespace tk70
