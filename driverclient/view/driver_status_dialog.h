// "TK70 Pro Driver Status": the driver's revision, the state of its connection, what the
// CIU reported about itself, the line settings and the three counters, filled again
// every two seconds.  "&Reset Counters" (and the Escape key) sets the counters to zero
// and keeps the dialog open; "&OK" closes it.
#pragma once

#include <QDialog>
#include <vector>

class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QTimer;

namespace tk70 {

class CCiuDriver;

class DriverStatusDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 2000;

    explicit DriverStatusDialog(CCiuDriver &driver, QWidget *parent = nullptr);

public slots:
    // Fills every field from the driver again; the refresh timer calls it.
    void refresh();
    // Sets the driver's three counters to zero and fills the fields again.
    void resetCounters();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    using FieldText = QString (*)(const CCiuDriver &driver);
    struct Field {
        QLineEdit *edit;
        FieldText text;
    };

    QLayout *buildStatusFields();
    QGroupBox *buildCounterGroup();
    QLayout *buildButtons();
    void layOut();

    CCiuDriver &m_driver;
    QLabel *m_revision = nullptr;
    std::vector<Field> m_fields;
    QTimer *m_timer = nullptr;
};

}  // namespace tk70
