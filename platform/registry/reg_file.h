// The settings file on disk: read whole with a size limit, written whole through a
// temporary file and a rename, its folder created (owner-only) when missing.
#pragma once

#include <QByteArray>
#include <QString>

namespace tk70::reg {

// Each reason below is a short text without the file's own path ("Permission denied",
// "not a regular file"); the caller names the file.

struct FileRead {
    QByteArray bytes;  // empty for a missing file
    QString error;     // why the file could not be read, or empty
};

// Reads at most kMaxFileSize bytes; a larger file, a folder or a device is an error.
FileRead readFile(const QString &path);

// Creates the folder that holds path and its missing parents, each with mode 0700.
// Returns why that failed, or an empty text.
QString createFolderOf(const QString &path);

// Why the file could not be replaced now: the file itself is not writable, or its folder
// (or, when that is missing, the nearest folder above it that exists) does not let a file
// be created and renamed in it.  Creates nothing; returns an empty text when it could.
QString checkWritable(const QString &path);

// Replaces the file with the bytes; the old file stays whole if this fails, and a file
// that is not writable is not replaced (QSaveFile refuses it).  Returns why it failed, or an empty text.
QString writeFileAtomically(const QString &path, const QByteArray &bytes);

}  // namespace tk70::reg
