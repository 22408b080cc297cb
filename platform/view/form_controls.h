// Helpers of the forms and dialogs: naming a control (the name its tests and its field
// exchange find it by); and for the setup forms, which watch the keys and focus of their
// controls and lay those controls out in rows of one record each, installing the watch,
// telling a control left from a passing loss of the focus, and finding the row and id of
// a control.
#pragma once

#include <QString>
#include <QWidget>

namespace tk70 {

// Gives widget its object name; returns widget.
template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

template <typename W>
W *named(W *widget, const char *name)
{
    return named(widget, QString::fromLatin1(name));
}

// Installs form as the event filter of each of its children that can take the focus.
void watchFocusableChildren(QWidget *form);

// Whether a FocusOut event means that the user left the control: neither a popup opening
// over it nor its window losing the focus.
bool leavesControl(const QEvent *focusOut);

// The index of the row (in rows, pointers to objects whose controls() lists their
// widgets) that holds widget; -1 when none does.
template <typename Rows>
int rowHolding(const Rows &rows, const QObject *widget)
{
    int index = 0;
    for (const auto &row : rows) {
        for (const QWidget *control : row->controls()) {
            if (control == widget)
                return index;
        }
        ++index;
    }
    return -1;
}

// The control id (the object name) of widget when one of rows holds it; -1 otherwise.
template <typename Rows>
int controlIdIn(const Rows &rows, const QObject *widget)
{
    return rowHolding(rows, widget) >= 0 ? widget->objectName().toInt() : -1;
}

}  // namespace tk70
