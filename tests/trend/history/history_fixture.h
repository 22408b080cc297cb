// Shared ground of the historical reader tests: data files written by the collection's
// own writers (sample i holds i + k / 10 in column k, so a value names its record),
// files written byte by byte, and the records of a load.
#pragma once

#include "trend/history/historical_file.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace tk70test {

class HistoryFiles {
public:
    // A file of the kind with tags columns T1, T2, ... (addresses loop 1, PCU k + 2,
    // module k + 3, block 100 + k) and count samples one second apart.
    QString written(tk70::HistoryFileKind kind, int tags, int count);
    // The same with the columns named names (a DOS file keeps 9 characters of each).
    QString written(tk70::HistoryFileKind kind, const QStringList &names, int count);
    // The same, written as a file of the collection's type "ASCII", "CSV" or "TK70 (DOS)".
    QString writtenAs(const QString &fileType, int tags, int count);
    QString writtenAs(const QString &fileType, const QStringList &names, int count);
    // A file holding exactly bytes.
    QString raw(const QByteArray &bytes);
    // Appends bytes to a file.
    static void append(const QString &path, const QByteArray &bytes);

private:
    QString next();
    QTemporaryDir m_dir;
    int m_files = 0;
};

// The record numbers of a load's points.
std::vector<qint64> recordsOf(const std::vector<tk70::HistoryPoint> &points);

}  // namespace tk70test
