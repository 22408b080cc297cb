// The file dialogs the program asks for file names with: see file_dialogs.h.
#include "app/view/shell/file_dialogs.h"

#include "tags/tsf_format.h"

#include <QFileDialog>

namespace tk70 {

QString FileDialogs::open(const QString &filter) const
{
    return QFileDialog::getOpenFileName(m_parent(), QStringLiteral("Open"), QString(), filter);
}

QString FileDialogs::tagSelectionToOpen() { return open(QString::fromLatin1(Tsf::kFileFilter)); }

QString FileDialogs::tagSelectionToSave(const QString &current)
{
    return QFileDialog::getSaveFileName(m_parent(), QStringLiteral("Save As"), current,
                                        QString::fromLatin1(Tsf::kFileFilter));
}

QString FileDialogs::importToOpen(bool dos)
{
    return open(dos ? QStringLiteral("TK70 (DOS) Tag Selection Files (*.tsf)")
                    : QStringLiteral("DelimitedTag List Files (*.*)"));
}

QString FileDialogs::historicalFileToOpen(bool dos)
{
    return open(dos ? QStringLiteral("TK70 Pro Historical TK70 (DOS) Data Files (*.dat)")
                    : QStringLiteral("TK70 Pro Historical ASCII Data Files (*.txt)"));
}

}  // namespace tk70
