// Shared ground of the data file tests: see datafile_fixture.h.
#include "tests/collect/datafile/datafile_fixture.h"

#include <QFile>

using namespace tk70;

namespace tk70test {

ReadingTable &ReadingTable::set(int position, double value, bool badQuality)
{
    m_readings[position] = PointReading{0, value, badQuality};
    return *this;
}

ReadingTable &ReadingTable::setError(int position, int errorCode)
{
    m_readings[position] = PointReading{errorCode, 55.0, true};
    return *this;
}

PointReading ReadingTable::reading(int position) const
{
    const auto found = m_readings.find(position);
    return found == m_readings.end() ? PointReading{} : found->second;
}

std::vector<DataColumn> threeOfFiveColumns()
{
    return {
        {0, QStringLiteral("FIC101"), 1, 12, 2, 3423},
        {2, QStringLiteral("TI_205"), 1, 5, 4, 17},
        {4, QStringLiteral("FEEDWATER_FLOW"), 2, 7, 10, 1200},
    };
}

std::vector<DataColumn> numberedColumns(int count)
{
    std::vector<DataColumn> columns;
    for (int k = 0; k < count; ++k)
        columns.push_back({k, QStringLiteral("T%1").arg(k + 1), k % 100, (k + 10) % 100, k % 32, 1000 + k});
    return columns;
}

HeaderFacts plantFacts(const QString &inhibitTagName)
{
    return HeaderFacts{onPlantDay(14, 27, 5), QStringLiteral("/home/op/plant.tsf"), 2, inhibitTagName};
}

QDateTime onPlantDay(int hour, int minute, int second)
{
    return QDateTime(QDate(1996, 12, 6), QTime(hour, minute, second));
}

ReadingTable firstSample()
{
    ReadingTable readings;
    readings.set(0, 1234.5).set(2, -5.0, true).setError(4, 12);
    return readings;
}

ReadingTable secondSample()
{
    ReadingTable readings;
    readings.set(0, 0.05).set(2, 0.0).set(4, 123456789.0, true);
    return readings;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> fileLines(const QString &path)
{
    QList<QByteArray> lines = fileBytes(path).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << "line without its carriage return: " << line.constData();
        line.chop(1);
    }
    return lines;
}

std::unique_ptr<GroupOutput> DataFileTest::openOutput(const QString &fileType, const QString &name, bool append)
{
    std::unique_ptr<GroupOutput> output = makeTextGroupOutput(fileType);
    EXPECT_NE(output, nullptr) << fileType.toStdString();
    if (output) {
        EXPECT_TRUE(output->open(path(name), append, OverwritePolicy::Overwrite));
    }
    return output;
}

QByteArray DataFileTest::writeTwoSamples(const QString &fileType, const QString &inhibitTagName)
{
    const QString name = QStringLiteral("two-samples.dat");
    std::unique_ptr<GroupOutput> output = openOutput(fileType, name);
    if (!output)
        return {};
    const std::vector<DataColumn> columns = threeOfFiveColumns();
    output->writeHeader(plantFacts(inhibitTagName), columns);
    output->writeSample(onPlantDay(14, 27, 15), columns, firstSample());
    output->writeSample(onPlantDay(14, 27, 25), columns, secondSample());
    output->close();
    return fileBytes(path(name));
}

}  // namespace tk70test
