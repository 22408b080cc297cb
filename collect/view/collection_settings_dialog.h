// "TK70 Pro Data Collection Settings": the settings of the four collection groups on one
// page under four tabs, and the serial port and baud rate of the driver.  The dialog works
// on the document in place: a page is stored into its group when the user leaves it,
// enables the group, changes its file type or closes the dialog.  Port and baud clicks go
// to the driver at once (refused with a beep while it runs); the document takes the two
// indexes only from "&Close", and any other closing gives the driver the document's
// link back.
//
// Sample time and rollover are whole numbers of free entry; a page holding one that is
// no integer is not stored: the framework's message shows, the dialog stays on the field
// and the action that wanted the page (tab change, enabling, type change, any closing)
// is undone.
#pragma once

#include "collect/collection_page.h"
#include "core/product.h"

#include <QDialog>
#include <QList>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QWidget;

namespace tk70 {

class CCiuDriver;
class CTagDoc;

class CollectionSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // openAdvancedSettings runs the driver's advanced settings dialog.
    CollectionSettingsDialog(CTagDoc &doc, CCiuDriver &driver, std::function<void()> openAdvancedSettings,
                             QWidget *parent = nullptr);

    // The name the station's samples go under, shown on a historian group's page.
    void setStationName(const QString &name);

    // "&Close": stores the page and the two link indexes, then closes.
    void accept() override;
    // Every closing stores the page once more; one that cannot be stored keeps the dialog.
    // A closing other than "&Close" gives the driver the document's link back.
    void done(int result) override;

protected:
    // Checks a date or time entry when it loses the focus.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPage();
    QLabel *addCaption(QGridLayout *grid, int row, int column, const char *text, QWidget *field);
    void buildFileRows(QGridLayout *grid);
    void buildDateTimes(QGridLayout *grid);
    void buildListRow(QGridLayout *grid);
    void buildStationRow(QGridLayout *grid);
    QGroupBox *radioGroup(const char *caption, const char *name, const QStringList &texts, QButtonGroup *buttons);
    void buildLinkGroups();
    void buildButtons();
    void layOut();
    void connectControls();
    void fillLists();
    void showDocumentLink();

    void loadCurrentPage();
    bool storeCurrentPage();
    bool checkDateTimes();
    bool checkDateTime(int field);
    void enablePage(bool on);
    void selectFileType(const QString &fileType);
    void showLinkChoice();
    bool refuseLinkChange();

    void tabChanged(int index);
    void enableClicked(bool checked);
    void fileTypeChosen();
    void portClicked(int button);
    void baudClicked(int button);
    void advancedClicked();

    CTagDoc &m_doc;
    CCiuDriver &m_driver;
    std::function<void()> m_openAdvancedSettings;
    int m_group = 0;  // the group index (0 to 3) the page shows
    // The link choice of the buttons, already passed to the driver; the document takes it
    // from "&Close".
    qint32 m_serialPortIndex = 0;
    qint32 m_baudRateIndex = 0;

    QTabBar *m_tabs = nullptr;
    QFrame *m_page = nullptr;
    QCheckBox *m_enabled = nullptr;
    QCheckBox *m_append = nullptr;
    QLineEdit *m_fileName = nullptr;
    QLineEdit *m_sampleTime = nullptr;
    QComboBox *m_fileType = nullptr;
    std::array<QLineEdit *, kDateTimeFieldCount> m_dateTimes{};
    QComboBox *m_saveInhibit = nullptr;
    QComboBox *m_rollover = nullptr;
    QLineEdit *m_stationName = nullptr;  // read only: a program setting
    QLabel *m_stationCaption = nullptr;
    QList<QWidget *> m_groupControls;                          // what the enabling check box switches
    std::array<KeptNames, kCollectionGroupCount> m_keptNames;  // by group, while the dialog is open
    QGroupBox *m_portGroup = nullptr;
    QGroupBox *m_baudGroup = nullptr;
    QButtonGroup *m_ports = nullptr;
    QButtonGroup *m_bauds = nullptr;
    QPushButton *m_advanced = nullptr;
    QPushButton *m_close = nullptr;
};

}  // namespace tk70
