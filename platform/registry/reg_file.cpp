// The settings file on disk: see reg_file.h.
#include "platform/registry/reg_file.h"

#include "platform/registry/reg_document.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tk70::reg {

namespace {

QString tooLarge() { return QStringLiteral("larger than %1 bytes, which no settings file is").arg(kMaxFileSize); }

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

QString notAFolder(const QString &folder)
{
    return QStringLiteral("%1 is in the way of the settings folder: it is not a folder").arg(folder);
}

// Creates one folder, after its missing parents.
QString createFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return {};
    if (info.exists())
        return notAFolder(folder);
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath()) {
        if (QString why = createFolder(parent); !why.isEmpty())
            return why;
    }
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
        return QStringLiteral("cannot create the folder %1: %2").arg(folder, systemError());
    return {};
}

// The folder that holds path, or the nearest one above it that exists (or whatever is in
// the way of such a folder).
QString nearestExistingFolder(const QString &path)
{
    QFileInfo info(QFileInfo(path).absolutePath());
    while (!info.exists() && info.absolutePath() != info.absoluteFilePath())
        info.setFile(info.absolutePath());
    return info.absoluteFilePath();
}

}  // namespace

FileRead readFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile())
        return {{}, QStringLiteral("not a regular file")};
    if (info.size() > kMaxFileSize)
        return {{}, tooLarge()};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    if (bytes.size() > kMaxFileSize)
        return {{}, tooLarge()};
    return {bytes, {}};
}

QString createFolderOf(const QString &path) { return createFolder(QFileInfo(path).absolutePath()); }

QString checkWritable(const QString &path)
{
    if (QFileInfo::exists(path) && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return systemError();
    const QString folder = nearestExistingFolder(path);
    if (!QFileInfo(folder).isDir())
        return notAFolder(folder);
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("the folder %1: %2").arg(folder, systemError());
    return {};
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(bytes);
    if (!file.commit())
        return file.errorString();
    return {};
}

}  // namespace tk70::reg
