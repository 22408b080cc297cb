// Bold captions for the program's dialogs: see dialog_fonts.h.
#include "platform/view/dialog_fonts.h"

#include <QGroupBox>

namespace tk70 {

void setBold(QWidget *widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

void setBoldCaption(QGroupBox *group)
{
    QFont plain = group->font();
    plain.setBold(false);  // set explicitly, so that it is not inherited from the group
    setBold(group);
    for (QWidget *child : group->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setFont(plain);
}

}  // namespace tk70
