// "About TK70 Pro": the program name and version, the total physical memory and the free
// disk space where the program runs.  "Comm. &Status" is passed on as a signal, so the
// shell opens the driver status dialog.
#pragma once

#include <QDialog>

class QGridLayout;
class QLabel;
class QVBoxLayout;

namespace tk70 {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    // The figures are read when the box is made.
    explicit AboutBox(QWidget *parent = nullptr);

    // Replaces the shown figures (tests and screenshots use fixed ones).
    void setFigures(const QString &memory, const QString &diskSpace);

signals:
    // "Comm. &Status" was pressed.
    void commStatusRequested();

private:
    void layOutTexts(QGridLayout *grid);
    QVBoxLayout *makeButtons();

    QLabel *m_memory = nullptr;
    QLabel *m_diskSpace = nullptr;
};

}  // namespace tk70
