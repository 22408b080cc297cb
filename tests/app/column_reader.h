// A reader of data files written apart from the writers, by the fixed column positions
// the historical viewer reads them by: names and addresses from the header lines, and
// each sample line's values and quality flags.  It checks that files need no adjustment
// before the viewer can read them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tk70test {

struct ReadColumn {
    QString name;
    int loop = 0, pcu = 0, module = 0, block = 0;
};

struct ReadSample {
    QString date;  // empty in the DOS layout
    QString time;
    QList<double> values;
    QList<bool> bad;
};

struct ReadDataFile {
    QList<ReadColumn> columns;
    QList<ReadSample> samples;
};

enum class ReadLayout { Ascii, Dos };

// The columns and samples of a data file's bytes; samples are the lines that start with
// a date (ASCII) or a time of day (DOS).
ReadDataFile readByColumns(const QByteArray &bytes, ReadLayout layout);

}  // namespace tk70test
