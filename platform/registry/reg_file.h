// The settings file on disk: read whole with a size limit, written whole through a
// temporary file and a rename, its folder created (owner-only) when missing.
#pragma once

#include <QByteArray>
#include <QString>

namespace tk70::reg {

struct FileRead {
    QByteArray bytes;  // empty for a missing file
    QString error;     // why the file could not be read, or empty
};

// Reads at most kMaxFileSize bytes; a larger file, a folder or a device is an error.
FileRead readFile(const QString &path);

// Creates the folder that holds path and its missing parents, each with mode 0700.
// Returns why that failed, or an empty text.
QString createFolderOf(const QString &path);

// Replaces the file with the bytes; the old file stays whole if this fails.  Returns why
// it failed, or an empty text.
QString writeFileAtomically(const QString &path, const QByteArray &bytes);

}  // namespace tk70::reg
