// The settings file on disk: see reg_file.h.
#include "reg_file.h"

#include "reg_document.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tk70::reg {

namespace {

QString tooLarge(const QString &path)
{
    return QStringLiteral("%1 is larger than %2 bytes, which no settings file is").arg(path).arg(kMaxFileSize);
}

// Creates one folder, after its missing parents.
QString createFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return {};
    if (info.exists())
        return QStringLiteral("%1 is in the way of the settings folder: it is not a folder").arg(folder);
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath()) {
        if (QString why = createFolder(parent); !why.isEmpty())
            return why;
    }
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
        return QStringLiteral("cannot create the folder %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    return {};
}

}  // namespace

FileRead readFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile())
        return {{}, QStringLiteral("%1 is not a regular file").arg(path)};
    if (info.size() > kMaxFileSize)
        return {{}, tooLarge(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("cannot open %1: %2").arg(path, file.errorString())};
    QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    if (bytes.size() > kMaxFileSize)
        return {{}, tooLarge(path)};
    return {bytes, {}};
}

QString createFolderOf(const QString &path)
{
    return createFolder(QFileInfo(path).absolutePath());
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    file.write(bytes);
    if (!file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

}  // namespace tk70::reg
