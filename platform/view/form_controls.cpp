// Helpers of the setup forms: see form_controls.h.
#include "platform/view/form_controls.h"

#include <QFocusEvent>

namespace tk70 {

void watchFocusableChildren(QWidget *form)
{
    for (QWidget *child : form->findChildren<QWidget *>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(form);
    }
}

bool leavesControl(const QEvent *focusOut)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(focusOut)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace tk70
