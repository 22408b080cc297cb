// File errors: see file_error.h.
#include "tags/file_error.h"

#include <QFileInfo>

namespace tk70 {

QString FileError::text() const
{
    const QString name = QFileInfo(path).fileName();
    switch (kind) {
    case FileErrorKind::UnexpectedFormat: return QStringLiteral("Unexpected file format.");
    case FileErrorKind::NotFound:
        return QStringLiteral(
                   "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.")
            .arg(name);
    case FileErrorKind::AccessDenied:
        return saving ? QStringLiteral("Unable to write to %1, it is read-only or opened by someone else.").arg(name)
                      : QStringLiteral("Unable to read from %1, it is read-protected or opened by someone else.")
                            .arg(name);
    case FileErrorKind::DiskFull: return QStringLiteral("Destination disk drive is full.");
    case FileErrorKind::Other: break;
    }
    return saving ? QStringLiteral("An unexpected error occurred while writing %1.").arg(name)
                  : QStringLiteral("An unexpected error occurred while reading %1.").arg(name);
}

namespace {

// Why a file could not be opened: what is missing or in the way at path (for saving,
// the folder that receives the file).
FileErrorKind openErrorKind(const QString &path, bool saving)
{
    const QFileInfo target(path);
    const QFileInfo place = saving ? QFileInfo(target.absolutePath()) : target;
    if (!place.exists())
        return FileErrorKind::NotFound;
    if (place.isDir() != saving)
        return FileErrorKind::Other;
    return FileErrorKind::AccessDenied;
}

}  // namespace

FileErrorKind fileErrorKind(const QFileDevice &file, const QString &path, bool saving)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError: return FileErrorKind::AccessDenied;
    case QFileDevice::ResourceError:  // also a full disk
        return FileErrorKind::DiskFull;
    case QFileDevice::OpenError: return openErrorKind(path, saving);
    default: return FileErrorKind::Other;
    }
}

}  // namespace tk70
