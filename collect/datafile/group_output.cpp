// The group output's message path: see group_output.h.
#include "collect/datafile/group_output.h"

namespace tk70 {

Message fileExistsQuestion(const QString &path, const QString &title)
{
    return Messages::yesNoQuestion(QStringLiteral("File %1 Already Exists\n\nDo you want to overwrite ?").arg(path),
                                   title);
}

QString outputHeldMessage(const QString &path)
{
    return QStringLiteral("File %1\nis Being Written by Another Collector.\n\nIt is Left as it Stands.").arg(path);
}

void GroupOutput::report(const QString &text, const QString &title, MessageIcon icon) const
{
    if (m_sampling)
        Messages::post(text, title, icon);
    else
        Messages::note(text, title, icon);
}

}  // namespace tk70
