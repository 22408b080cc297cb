// Data files for the historical reader tests, written through the collection's writers.
#include "tests/trend/history/history_fixture.h"

#include "collect/datafile/text_group_output.h"

#include <QFile>

namespace tk70test {

namespace {

// Sample i's readings: i + k / 10 in column k, good quality.
class SampleReadings : public tk70::PointReadings {
public:
    explicit SampleReadings(int sample) : m_sample(sample) {}
    tk70::PointReading reading(int position) const override { return {0, m_sample + position / 10.0, false}; }

private:
    int m_sample;
};

}  // namespace

QString HistoryFiles::next() { return m_dir.filePath(QStringLiteral("data%1.txt").arg(++m_files)); }

// T1, T2, ... Tn.
static QStringList numberedNames(int tags)
{
    QStringList names;
    for (int k = 0; k < tags; ++k)
        names << QStringLiteral("T%1").arg(k + 1);
    return names;
}

QString HistoryFiles::written(tk70::HistoryFileKind kind, int tags, int count)
{
    return written(kind, numberedNames(tags), count);
}

QString HistoryFiles::written(tk70::HistoryFileKind kind, const QStringList &names, int count)
{
    return writtenAs(QString::fromLatin1(kind == tk70::HistoryFileKind::Ascii ? "ASCII" : "TK70 (DOS)"), names, count);
}

QString HistoryFiles::writtenAs(const QString &fileType, int tags, int count)
{
    return writtenAs(fileType, numberedNames(tags), count);
}

QString HistoryFiles::writtenAs(const QString &fileType, const QStringList &names, int count)
{
    std::vector<tk70::DataColumn> columns;
    for (int k = 0; k < int(names.size()); ++k)
        columns.push_back({k, names[k], 1, k + 2, k + 3, 100 + k});
    const QDateTime start(QDate(1996, 12, 6), QTime(14, 0, 0));
    const tk70::HeaderFacts facts{start, QStringLiteral("/home/op/plant.tsf"), 1, {}};
    tk70::TextGroupOutput output(tk70::makeTextLayout(fileType));
    const QString path = next();
    output.open(path, false, tk70::OverwritePolicy::Overwrite);
    output.writeHeader(facts, columns);
    for (int i = 0; i < count; ++i)
        output.writeSample(start.addSecs(i), columns, SampleReadings(i));
    output.close();
    return path;
}

QString HistoryFiles::raw(const QByteArray &bytes)
{
    const QString path = next();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void HistoryFiles::append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::Append))
        file.write(bytes);
}

std::vector<qint64> recordsOf(const std::vector<tk70::HistoryPoint> &points)
{
    std::vector<qint64> records;
    for (const auto &point : points)
        records.push_back(point.record);
    return records;
}

}  // namespace tk70test
