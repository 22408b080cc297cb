// An up-down control beside an edit field (its buddy): two small arrow buttons that
// step the whole number in the buddy by one within a range, the way a spin control
// with an integer buddy works.  The position can also be set by the form.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tk70 {

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    UpDownControl(QLineEdit *buddy, QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // The position, kept within the range; setting it does not touch the buddy.
    int position() const { return m_position; }
    void setPosition(int position);

    // Steps the buddy's number (rounded, kept within the range) by step and shows it.
    void stepBy(int step);

private:
    QLineEdit *m_buddy;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};

}  // namespace tk70
