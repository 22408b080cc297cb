// File errors of loading and saving a document, and the general message that reports
// each of them after the document's own "Error Loading/Saving ..." message.
#pragma once

#include <QFileDevice>
#include <QString>

namespace tk70 {

enum class FileErrorKind {
    UnexpectedFormat,  // the file ended early or is not a file of this kind
    NotFound,
    AccessDenied,
    DiskFull,
    Other,
};

struct FileError {
    FileErrorKind kind = FileErrorKind::Other;
    QString path;
    bool saving = false;

    // The general message for this failure, e.g. "Unexpected file format."
    QString text() const;
};

// The kind of a failure of a QFile (reading) or QSaveFile (saving) on path.
FileErrorKind fileErrorKind(const QFileDevice &file, const QString &path, bool saving);

}  // namespace tk70
