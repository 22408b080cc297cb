// Helpers for the dialog tests: acting on a modal dialog once its exec() shows it, and
// clicking buttons where a user would.
#pragma once

#include "tests/support/wait_for_events.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace tk70test {

// Calls action with the next modal dialog of type T as soon as it is visible; after a
// deadline of ten seconds without one the test fails and the modal widget is closed.
template <typename T>
void whenModal(std::function<void(T *)> action)
{
    auto *poll = new QTimer;
    const QDeadlineTimer deadline(10000);
    QObject::connect(poll, &QTimer::timeout, [poll, action, deadline] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<T *>(modal);
        if (dialog && dialog->isVisible()) {
            poll->deleteLater();
            poll->stop();
            action(dialog);
        } else if (deadline.hasExpired()) {
            poll->deleteLater();
            poll->stop();
            ADD_FAILURE() << "no modal dialog of the expected type appeared";
            if (modal)
                modal->close();
        }
    });
    poll->start(5);
}

// Clicks a button near its left edge: on a check box or radio button that is the
// indicator, which a click always hits whatever the width of the row.
inline void click(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    const int x = qMin(8, button->width() / 2);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(x, button->height() / 2));
}

// Clicks a push button in its middle.
inline void press(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace tk70test
