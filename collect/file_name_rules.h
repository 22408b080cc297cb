// Names of data files: the default name of a group's file, the extension that follows a
// change of file type, and the rollover suffix put into the name of each new file.
//
// Directory parts are separated by '/' here and by '\' in selections made on Windows;
// both count as separators, so a '.' in a directory name is never taken for the
// extension of the file.
#pragma once

#include <QDateTime>
#include <QString>

namespace tk70 {

// ".txt" (ASCII), ".DAT" (TK70 (DOS)), ".csv" (CSV), ".db" (any other type: the database).
QString dataFileExtension(const QString &fileType);
// "TK70CG" + the group number 1..4 + the type's extension, e.g. "TK70CG2.csv".
QString defaultDataFileName(int groupNumber, const QString &fileType);
// The name with its extension replaced by the type's; a name without an extension in its
// file part is returned unchanged.
QString switchDataFileExtension(const QString &name, const QString &fileType);

// "-YYMMDDHH" of when in local time: 6 Dec 1996 at 14:xx gives "-96120614".
QString rolloverSuffix(const QDateTime &when);
// The suffix put before the extension of the file part, or after the whole name when the
// file part has no extension: "/log/TK70CG1.txt" gives "/log/TK70CG1-96120614.txt".
QString insertRolloverSuffix(const QString &name, const QString &suffix);
// The next rollover instant (in UTC) for hours of 1 or more: when + hours, at the
// start of that local hour.  Always after when, also where the local clock skips or
// repeats an hour.
QDateTime nextRolloverInstant(const QDateTime &when, int hours);

}  // namespace tk70
